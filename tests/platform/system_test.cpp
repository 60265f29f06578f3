#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "c_win_app.h"
#include "c_wnd.h"
#include "file_system.h"
#include "headless_driver.h"
#include "paths.h"
#include "profile.h"
#include "system_services.h"
#include "threads.h"

namespace fs = std::filesystem;

namespace {

class ConfigFolder : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("pelk-config-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        PlatformPaths::SetConfigDirectory(folder.string());
        ProfileStore::Instance().Reload();
    }
    void TearDown() override {
        SingleInstance::Release();
        PlatformPaths::Reset();
        ProfileStore::Instance().Reload();
        std::error_code error;
        fs::remove_all(folder, error);
    }
    fs::path folder;
};

UINT RecordPriority(LPVOID data) {
    *static_cast<int*>(data) = CurrentThreadPriority();
    return 5;
}

}  // namespace

TEST_F(ConfigFolder, TheOwnerNameIsReadAsWideTextFromTheRegistry) {
    std::ofstream(folder / "pelk.ini", std::ios::app);  // may not exist yet
    fs::create_directories(folder);
    std::ofstream(folder / "pelk.ini") << "[HKCU\\ControlPanel\\Owner]\nOwner=Jane Doe\n";
    ProfileStore::Instance().Reload();
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, L"\\ControlPanel\\Owner", 0, KEY_READ, &key), 0);
    BYTE buffer[768] = {};
    DWORD type = 0;
    DWORD size = sizeof buffer;
    ASSERT_EQ(RegQueryValueEx(key, L"Owner", nullptr, &type, buffer, &size), 0);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(buffer)), L"Jane Doe");
    EXPECT_EQ(size, 9 * sizeof(wchar_t));
    BYTE small[8];
    DWORD smallSize = sizeof small;
    EXPECT_EQ(static_cast<DWORD>(RegQueryValueEx(key, L"Owner", nullptr, nullptr, small, &smallSize)), ERROR_MORE_DATA);
    EXPECT_EQ(static_cast<DWORD>(RegQueryValueEx(key, L"Nobody", nullptr, nullptr, buffer, &size)), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
    EXPECT_EQ(static_cast<DWORD>(RegOpenKeyEx(HKEY_CURRENT_USER, L"\\Missing", 0, KEY_READ, &key)), ERROR_FILE_NOT_FOUND);
}

TEST_F(ConfigFolder, RegistryValuesWrittenAreReadBackAfterAReload) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, L"Software\\Test", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), 0);
    const wchar_t text[] = L"line1\nline2 100%";
    ASSERT_EQ(RegSetValueEx(key, L"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text), 0);
    const DWORD number = 0xBEEF;
    ASSERT_EQ(RegSetValueEx(key, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4), 0);
    RegCloseKey(key);
    ProfileStore::Instance().Reload();
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, L"software\\test", 0, KEY_READ, &key), 0);
    wchar_t back[64] = {};
    DWORD size = sizeof back;
    ASSERT_EQ(RegQueryValueEx(key, L"Text", nullptr, nullptr, reinterpret_cast<BYTE*>(back), &size), 0);
    EXPECT_EQ(std::wstring(back), text);
    DWORD value = 0;
    DWORD type = 0;
    size = sizeof value;
    ASSERT_EQ(RegQueryValueEx(key, L"Number", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), 0);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(value, 0xBEEFu);
    RegCloseKey(key);
}

TEST_F(ConfigFolder, TheRecentFileListKeepsFourNewestFirst) {
    {
        CWinApp app(L"Pelk");
        app.SetRegistryKey(L"Quendar PELK");
        app.LoadStdProfileSettings(4);
        for (const wchar_t* path : {L"a.fpl", L"b.fpl", L"c.fpl", L"d.fpl", L"e.fpl", L"B.FPL"})
            app.AddToRecentFileList(path);
        EXPECT_EQ(app.RecentFiles(), (std::vector<CString>{L"B.FPL", L"e.fpl", L"d.fpl", L"c.fpl"}));
    }
    ProfileStore::Instance().Reload();
    CWinApp again(L"Pelk");
    again.SetRegistryKey(L"Quendar PELK");
    again.LoadStdProfileSettings(4);
    EXPECT_EQ(again.RecentFiles(), (std::vector<CString>{L"B.FPL", L"e.fpl", L"d.fpl", L"c.fpl"}));
    EXPECT_EQ(again.GetProfileInt(L"Settings", L"Missing", 9), 9u);
    EXPECT_TRUE(again.WriteProfileInt(L"Settings", L"Zoom", -3));
    EXPECT_EQ(static_cast<int>(again.GetProfileInt(L"Settings", L"Zoom", 0)), -3);
}

TEST_F(ConfigFolder, ASecondCopyFindsTheFirstAndSignalsIt) {
    EXPECT_EQ(CWnd::FindWindow(nullptr, L"Pelk"), nullptr);  // this process claims the title
    const pid_t child = fork();
    if (child == 0) {
        // Another copy: it sees a window and brings it forward.
        CWnd* first = CWnd::FindWindow(nullptr, L"Pelk");
        _exit(first != nullptr && first->IsWindowEnabled() && first->SetForegroundWindow() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    HeadlessDriver driver;
    for (int i = 0; i < 100 && driver.FrontRequests() == 0; ++i) {
        SingleInstance::ServiceRequests();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(driver.FrontRequests(), 1);
}

TEST(Threads, AWorkerStartsAtBelowNormalPriorityAndCanBeAwaited) {
    int seen = -1;
    CWinThread* thread = AfxBeginThread(RecordPriority, &seen, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(THREAD_PRIORITY_BELOW_NORMAL, 4);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    EXPECT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(thread->m_hThread, &code));
    EXPECT_EQ(code, 5u);
    EXPECT_EQ(seen, THREAD_PRIORITY_BELOW_NORMAL);
    HANDLE handle = thread->m_hThread;
    delete thread;
    EXPECT_EQ(WaitForSingleObject(handle, 0), WAIT_FAILED);
}

TEST(Threads, TheLockIsRecursiveAndTheTryDoesNotWait) {
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    EnterCriticalSection(&section);
    EXPECT_TRUE(TryEnterCriticalSection(&section));  // the owner again
    std::atomic<int> other{-1};
    std::thread([&] { other = TryEnterCriticalSection(&section); }).join();
    EXPECT_EQ(other, FALSE);
    LeaveCriticalSection(&section);
    LeaveCriticalSection(&section);
    std::thread([&] {
        other = TryEnterCriticalSection(&section);
        if (other) LeaveCriticalSection(&section);
    }).join();
    EXPECT_EQ(other, TRUE);
    DeleteCriticalSection(&section);
}

TEST(SystemServices, BeepsAreCountedAndTheWaitCursorNests) {
    HeadlessDriver driver;
    ResetBeepCount();
    MessageBeep(MB_ICONEXCLAMATION);
    MessageBeep(MB_ICONEXCLAMATION);
    EXPECT_EQ(BeepCount(), 2);
    EXPECT_EQ(LastBeepType(), MB_ICONEXCLAMATION);
    EXPECT_EQ(driver.Beeps(), 2);
    {
        CWaitCursor outer;
        EXPECT_TRUE(driver.WaitCursorShown());
        {
            CWaitCursor inner;
        }
        EXPECT_TRUE(driver.WaitCursorShown());
    }
    EXPECT_FALSE(driver.WaitCursorShown());
}
