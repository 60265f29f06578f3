#include "history_record.h"

#include <cstring>

#include "floor_plan_text.h"
#include "profile.h"
#include "program_version.h"
#include "text_utilities.h"
#include "xml_element.h"

namespace {

CString gEdition = L"Unknown";

CString Attribute(CXMLElement* node, const char* name)
{
    CString value;
    if (!ToCString(value, node->GetAttribute(name), false))
        value = L"";
    return value;
}

}  // namespace

CString& ApplicationEdition()
{
    return gEdition;
}

CString FormatHistoryTime(const SYSTEMTIME& time)
{
    CString text;
    text.Format(L"%d/%d/%d %d:%d", time.wMonth, time.wDay, time.wYear, time.wHour, time.wMinute);
    return text;
}

CHistoryRecord::CHistoryRecord(const CString& version)
    : m_application(gEdition), m_version(version), m_owner(GetOwnerName())
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    m_time = FormatHistoryTime(now);
}

void CHistoryRecord::Read(CXMLElement* node)
{
    m_application = Attribute(node, "a");
    m_version = Attribute(node, "v");
    m_time = Attribute(node, "t");
    m_owner = Attribute(node, "u");
}

void CHistoryRecord::Write(CString& text) const
{
    text.AppendFormat(L"<NODE a=\"%s\" v=\"%s\" t=\"%s\" u=\"%s\"/>",
                      EscapeAttribute(m_application).GetString(), EscapeAttribute(m_version).GetString(),
                      EscapeAttribute(m_time).GetString(), EscapeAttribute(m_owner).GetString());
}

void AddHistoryRecord(CHistoryList& list)
{
    list.emplace_back(GetProgramVersion());
}

void ClearHistory(CHistoryList& list)
{
    list.clear();
}

void WriteHistory(const CHistoryList& list, CString& text)
{
    text += L"\n<HISTORY>";
    for (const CHistoryRecord& record : list)
        record.Write(text);
    text += L"</HISTORY>";
}

void ReadHistory(CHistoryList& list, CXMLElement* root)
{
    CXMLElement* history = root ? root->GetChild("HISTORY", 1) : nullptr;
    if (!history)
        return;
    const int count = history->GetChildCount();
    for (int i = 0; i < count; ++i) {
        // Child indices count from 1 (0 would name the first one again, and
        // climb to the ancestors): every record is read once.
        CXMLElement* node = history->GetChild("NODE", i + 1);
        if (!node)
            break;
        CHistoryRecord record;
        record.Read(node);
        list.push_back(record);
    }
}

CString GetOwnerName()
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, L"\\ControlPanel\\Owner", 0, KEY_READ, &key) != 0)
        return CString();
    BYTE buffer[768] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    DWORD type = REG_BINARY;
    CString owner;
    if (RegQueryValueEx(key, L"Owner", nullptr, &type, buffer, &size) == 0) {
        wchar_t text[768 / sizeof(wchar_t)] = {};
        std::memcpy(text, buffer, std::min<std::size_t>(size, sizeof text - sizeof(wchar_t)));
        owner = text;
    }
    RegCloseKey(key);
    return owner;
}
