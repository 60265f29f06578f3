#include "document_text_ddv.h"

#include <string>

#include "message_box.h"
#include "text_utilities.h"

void DDV_DocumentText(CDataExchange* pDX, const CString& value)
{
    if (!pDX->m_bSaveAndValidate)
        return;
    const std::wstring lost = CharactersOutsideCodePage(value);
    if (lost.empty())
        return;
    CString message;
    message.Format(L"The file cannot keep these characters: %s. Please type others.",
                   lost.c_str());
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    pDX->Fail();
}
