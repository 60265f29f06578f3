#include "program_version.h"

namespace {

CString gVersion = L"0.0.0";

}  // namespace

CString ProgramVersionFor(const SYSTEMTIME& date)
{
    CString text;
    text.Format(L"%d.%d.%d", date.wYear % 1000, date.wMonth, date.wDay);
    return text;
}

CString GetProgramVersion()
{
    if (gVersion == L"0.0.0") {
        TCHAR path[1024] = {};
        WIN32_FILE_ATTRIBUTE_DATA data{};
        FILETIME local{};
        SYSTEMTIME date{};
        if (GetModuleFileName(nullptr, path, 1024) > 0 &&
            GetFileAttributesEx(path, GetFileExInfoStandard, &data) &&
            FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) &&
            FileTimeToSystemTime(&local, &date))
            gVersion = ProgramVersionFor(date);
    }
    return gVersion;
}

void ResetProgramVersion()
{
    gVersion = L"0.0.0";
}
