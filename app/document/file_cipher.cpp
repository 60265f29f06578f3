#include "file_cipher.h"

#include <cstring>
#include <vector>

#include "c_file.h"
#include "c_string.h"
#include "c_win_app.h"
#include "c_wnd.h"
#include "crypto_api.h"
#include "file_system.h"
#include "message_box.h"

namespace {

const char* const kCurrentPassphrase = "RZMWQDLKHFNJ";
const char* const kOlderPassphrase = "BGRLWQF";
const char* const kRootStartTag = "<QUENDAR_FPL ";

std::string gActivePassphrase = kCurrentPassphrase;
BYTE gEncryptionFlag = 1;

// A provider context with the active passphrase's RC2 key; everything is
// released when it goes.
class SessionKey {
public:
    SessionKey()
    {
        if (!CryptAcquireContext(&mProvider, nullptr, MS_DEF_PROV, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) {
            mProvider = 0;
            mError = GetLastError();
            return;
        }
        const std::string passphrase = gActivePassphrase;
        HCRYPTHASH hash = 0;
        if (!CryptCreateHash(mProvider, CALG_MD5, 0, 0, &hash) ||
            !CryptHashData(hash, reinterpret_cast<const BYTE*>(passphrase.data()),
                           static_cast<DWORD>(passphrase.size()), 0) ||
            !CryptDeriveKey(mProvider, CALG_RC2, hash, 0, &mKey)) {
            mKey = 0;
            mError = GetLastError();
        }
        if (hash)
            CryptDestroyHash(hash);
    }
    SessionKey(const SessionKey&) = delete;
    SessionKey& operator=(const SessionKey&) = delete;
    ~SessionKey()
    {
        if (mKey)
            CryptDestroyKey(mKey);
        if (mProvider)
            CryptReleaseContext(mProvider, 0);
    }
    HCRYPTKEY Key() const { return mKey; }
    DWORD Error() const { return mError; }

private:
    HCRYPTPROV mProvider = 0;
    HCRYPTKEY mKey = 0;
    DWORD mError = 0;
};

bool IsMainWindowVisible()
{
    CWnd* main = AfxGetMainWnd();
    return main && main->IsWindowVisible();
}

bool HoldsRootStartTag(const char* data, int length)
{
    const std::size_t tag = std::strlen(kRootStartTag);
    for (int i = 0; i + static_cast<int>(tag) <= length; ++i)
        if (std::memcmp(data + i, kRootStartTag, tag) == 0)
            return true;
    return false;
}

}  // namespace

void CFileCipher::SelectPassphrase(bool current)
{
    gActivePassphrase = current ? kCurrentPassphrase : kOlderPassphrase;
}

const std::string& CFileCipher::ActivePassphrase()
{
    return gActivePassphrase;
}

BYTE& CFileCipher::EncryptionFlag()
{
    return gEncryptionFlag;
}

void CFileCipher::ResetGlobals()
{
    gEncryptionFlag = 1;
    gActivePassphrase = kCurrentPassphrase;
}

int CFileCipher::Encrypt(std::string& text)
{
    SessionKey session;
    if (!session.Key())
        return 0;
    const DWORD plain = static_cast<DWORD>(text.size());
    DWORD length = plain;
    if (!CryptEncrypt(session.Key(), 0, TRUE, 0, nullptr, &length, 0))
        return 0;
    if (length + 1 > text.capacity())
        text.reserve(length + 1);
    text.resize(length);
    DWORD used = plain;
    if (!CryptEncrypt(session.Key(), 0, TRUE, 0, reinterpret_cast<BYTE*>(text.data()), &used, length))
        return 0;
    text.resize(used);
    return static_cast<int>(used);
}

bool CFileCipher::Decrypt(char* data, int length, DWORD& error, int& chunksDone, int& chunkCount)
{
    error = 0;
    chunksDone = chunkCount = 0;
    if (!data || length < 0)
        return false;
    char* begin = data;
    const bool marked = length > 0 && data[0] == kMarker;
    if (marked) {
        ++begin;
        --length;
    }
    SessionKey session;
    if (!session.Key()) {
        error = session.Error();
        return false;
    }
    chunkCount = length / kChunk;
    const int remainder = length % kChunk;
    BYTE work[kChunk + 8];
    int written = 0;
    for (int i = 0; i < chunkCount; ++i) {
        std::memcpy(work, begin + i * kChunk, kChunk);
        DWORD out = kChunk;
        if (!CryptDecrypt(session.Key(), 0, FALSE, 0, work, &out)) {
            error = GetLastError();
            return false;
        }
        std::memcpy(begin + written, work, out);
        written += static_cast<int>(out);
        ++chunksDone;
    }
    bool result = true;
    if (remainder > 0) {
        std::memcpy(work, begin + chunkCount * kChunk, static_cast<std::size_t>(remainder));
        DWORD out = static_cast<DWORD>(remainder);
        if (CryptDecrypt(session.Key(), 0, TRUE, 0, work, &out)) {
            std::memcpy(begin + written, work, out);
        } else {
            chunksDone = 0;
            result = HoldsRootStartTag(begin, length);
        }
    }
    if (result && marked)
        data[0] = ' ';
    return result;
}

int CFileCipher::WriteFile(std::string& text, CFile& file)
{
    if (Encrypt(text) == 0)
        return 0;
    try {
        file.Write(&kMarker, 1);
    } catch (CFileException* e) {
        e->Delete();  // the cipher text's write reports the trouble
    }
    return ReportSaveError(file, text.data(), static_cast<int>(text.size()));
}

int CFileCipher::ReportSaveError(CFile& file, const void* data, int length)
{
    try {
        file.Write(data, static_cast<UINT>(length));
    } catch (CFileException* e) {
        TCHAR reason[256] = {};
        CString message;
        if (e->GetErrorMessage(reason, 255))
            message.Format(L"Can not save to %s. %s", file.GetFilePath().GetString(), reason);
        else
            message.Format(L"Can not save to %s. Error %d", file.GetFilePath().GetString(), e->m_cause);
        if (IsMainWindowVisible())
            AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        e->Delete();
        return -1;
    }
    return length;
}
