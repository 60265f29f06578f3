#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "c_file.h"
#include "file_dialog.h"
#include "file_system.h"
#include "headless_driver.h"
#include "paths.h"

namespace fs = std::filesystem;

namespace {

// Documents and card roots in a fresh temporary folder.
class Files : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("pelk-files-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "docs");
        PlatformPaths::SetDocumentsRoot((root / "docs").string());
        PlatformPaths::SetCardRoot(std::nullopt);
    }
    void TearDown() override {
        PlatformPaths::Reset();
        std::error_code error;
        fs::permissions(root / "docs" / "locked", fs::perms::owner_all, error);
        fs::remove_all(root, error);
    }
    void Touch(const fs::path& path, const std::string& text = "x") {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << text;
    }
    std::vector<std::wstring> Find(LPCTSTR pattern) {
        std::vector<std::wstring> names;
        WIN32_FIND_DATA data;
        HANDLE search = FindFirstFile(pattern, &data);
        if (search == INVALID_HANDLE_VALUE) return names;
        do names.push_back(data.cFileName);
        while (FindNextFile(search, &data));
        EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
        FindClose(search);
        return names;
    }

    fs::path root;
};

}  // namespace

TEST_F(Files, BackslashPathsMapOntoTheDocumentsRoot) {
    const auto a = PlatformPaths::ToHost(L"My Documents\\qxr.xml");
    const auto b = PlatformPaths::ToHost(L"\\My Documents\\journal\\header");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(*a, (root / "docs" / "qxr.xml").string());
    EXPECT_EQ(*b, (root / "docs" / "journal" / "header").string());
    EXPECT_EQ(*PlatformPaths::ToHost(L"\\TEST.fpl"), (root / "docs" / "TEST.fpl").string());
    EXPECT_FALSE(PlatformPaths::ToHost(L"My Documents\\..\\..\\etc\\passwd"));
    EXPECT_FALSE(PlatformPaths::ToHost(L""));
}

TEST_F(Files, ExistingNamesAreFoundWithoutRegardToCase) {
    Touch(root / "docs" / "Journal" / "Kitchen");
    EXPECT_EQ(*PlatformPaths::ToHost(L"my documents\\JOURNAL\\kitchen"), (root / "docs" / "Journal" / "Kitchen").string());
}

TEST_F(Files, WriteThenReadWholeFile) {
    {
        CFile file(L"My Documents\\plan1.fpl", CFile::modeCreate | CFile::modeWrite);
        file.Write("@abc", 4);
        file.Close();
    }
    std::string contents;
    ASSERT_TRUE(ReadWholeFile(L"My Documents\\plan1.fpl", &contents));
    EXPECT_EQ(contents, "@abc");
    CFile again;
    ASSERT_TRUE(again.Open(L"My Documents\\plan1.fpl", CFile::modeCreate | CFile::modeWrite));
    again.Write("z", 1);
    again.Close();
    ASSERT_TRUE(ReadWholeFile(L"My Documents\\plan1.fpl", &contents));
    EXPECT_EQ(contents, "z");  // created again means truncated
}

TEST_F(Files, FailuresCarryACauseCodeAndAText) {
    CFileException error;
    CFile file;
    EXPECT_FALSE(file.Open(L"My Documents\\missing.fpl", CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_lOsError, static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    wchar_t text[256];
    ASSERT_TRUE(error.GetErrorMessage(text, 256));
    EXPECT_NE(std::wstring(text).find(L"missing.fpl"), std::wstring::npos);
    wchar_t shortText[8];
    ASSERT_TRUE(error.GetErrorMessage(shortText, 8));
    EXPECT_EQ(std::wstring(shortText).size(), 7u);

    EXPECT_FALSE(file.Open(L"My Documents\\..\\x", CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);
    CFileException none;
    EXPECT_FALSE(none.GetErrorMessage(text, 256));
}

TEST_F(Files, ACreateThatFailsThrowsAHeapExceptionToDelete) {
    Touch(root / "docs" / "notes.txt");
    int cause = -1;
    CString name;
    try {
        CFile file(L"My Documents\\notes.txt\\a.fpl", CFile::modeCreate | CFile::modeWrite);
    } catch (CFileException* e) {
        cause = e->m_cause;
        name = e->m_strFileName;
        e->Delete();
    }
    EXPECT_EQ(cause, CFileException::badPath);
    EXPECT_EQ(name, CString(L"My Documents\\notes.txt\\a.fpl"));
}

TEST_F(Files, OpeningAFolderAsAFileIsRefused) {
    fs::create_directories(root / "docs" / "journal");
    CFileException error;
    CFile file;
    EXPECT_FALSE(file.Open(L"My Documents\\journal", CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);
    std::string contents;
    EXPECT_FALSE(ReadWholeFile(L"My Documents\\journal", &contents));
}

TEST_F(Files, SearchesMatchWildcardsWithoutCaseAndMarkFolders) {
    Touch(root / "docs" / "Smith12.fpl");
    Touch(root / "docs" / "smith3.FPL");
    Touch(root / "docs" / "notes.txt");
    Touch(root / "docs" / "README");
    fs::create_directories(root / "docs" / "journal");
    EXPECT_EQ(Find(L"My Documents\\smith*.fpl"), (std::vector<std::wstring>{L"Smith12.fpl", L"smith3.FPL"}));
    EXPECT_EQ(Find(L"My Documents\\*.*").size(), 5u);  // names without a dot too
    EXPECT_EQ(Find(L"My Documents\\smith?.fpl"), std::vector<std::wstring>{L"smith3.FPL"});
    EXPECT_EQ(Find(L"My Documents\\*.doc"), std::vector<std::wstring>{});
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetFileAttributes(L"My Documents\\journal"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributes(L"My Documents\\notes.txt") & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(GetFileAttributes(L"My Documents\\none"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Files, FoldersAreMadeAndFilesDeleted) {
    EXPECT_TRUE(CreateDirectory(L"My Documents\\journal", nullptr));
    EXPECT_FALSE(CreateDirectory(L"My Documents\\journal", nullptr));
    EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(CreateDirectory(L"My Documents\\a\\b", nullptr));  // one level at a time
    Touch(root / "docs" / "journal" / "header");
    EXPECT_FALSE(DeleteFile(L"My Documents\\journal"));
    EXPECT_TRUE(DeleteFile(L"My Documents\\journal\\header"));
    EXPECT_FALSE(DeleteFile(L"My Documents\\journal\\header"));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(RemoveDirectory(L"My Documents\\journal"));
}

TEST_F(Files, WithoutACardTheSearchFindsNone) {
    WIN32_FIND_DATA data;
    EXPECT_EQ(FindFirstStorageCard(&data), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(PlatformPaths::ToHost(L"Storage Card\\Backup"));
}

TEST_F(Files, TheCardsFolderMapsOntoTheBackupRoot) {
    PlatformPaths::SetCardRoot((root / "card").string());
    WIN32_FIND_DATA data;
    HANDLE card = FindFirstStorageCard(&data);
    ASSERT_NE(card, INVALID_HANDLE_VALUE);
    EXPECT_EQ(std::wstring(data.cFileName), L"Storage Card");
    EXPECT_FALSE(FindNextStorageCard(card, &data));
    FindClose(card);
    const std::wstring backup = std::wstring(L"\\") + L"Storage Card" + L"\\Backup";
    EXPECT_TRUE(CreateDirectory(backup.c_str(), nullptr));
    EXPECT_TRUE(fs::is_directory(root / "card" / "Backup"));
}

TEST_F(Files, OptionsOnTheCommandLineSetTheRootsAndAreRemoved) {
    PlatformPaths::Reset();
    std::string a0 = "pelk", a1 = "--documents", a2 = "/tmp/d", a3 = "plan.fpl", a4 = "--card=/tmp/c";
    char* argv[] = {a0.data(), a1.data(), a2.data(), a3.data(), a4.data(), nullptr};
    int argc = 5;
    PlatformPaths::Configure(argc, argv);
    EXPECT_EQ(argc, 2);
    EXPECT_STREQ(argv[1], "plan.fpl");
    EXPECT_EQ(argv[2], nullptr);
    EXPECT_EQ(PlatformPaths::DocumentsRoot(), "/tmp/d");
    EXPECT_EQ(PlatformPaths::CardRoot(), std::optional<std::string>("/tmp/c"));
}

TEST_F(Files, ModuleFileTimeGivesADate) {
    wchar_t path[MAX_PATH];
    ASSERT_GT(GetModuleFileName(nullptr, path, MAX_PATH), 0u);
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesEx(path, GetFileExInfoStandard, &data));
    FILETIME local;
    SYSTEMTIME time;
    ASSERT_TRUE(FileTimeToLocalFileTime(&data.ftLastWriteTime, &local));
    ASSERT_TRUE(FileTimeToSystemTime(&local, &time));
    EXPECT_GE(time.wYear, 2020);
    EXPECT_GE(time.wMonth, 1);
    EXPECT_LE(time.wMonth, 12);
    const FILETIME epoch{0xD53E8000, 0x019DB1DE};  // 1970-01-01 00:00:00
    ASSERT_TRUE(FileTimeToSystemTime(&epoch, &time));
    EXPECT_EQ(time.wYear, 1970);
    EXPECT_EQ(time.wMonth, 1);
    EXPECT_EQ(time.wDay, 1);
}

TEST_F(Files, FileDialogsAreAnsweredByTheScript) {
    HeadlessDriver driver;
    wchar_t name[256] = L"My Documents\\TEST";
    OPENFILENAME ofn;
    ofn.lpstrFile = name;
    ofn.nMaxFile = 256;
    ofn.lpstrFilter = L"FloorPlans (*.fpl)\0*.fpl\0";
    ofn.lpstrDefExt = L"fpl";
    ofn.Flags = OFN_OVERWRITEPROMPT;
    driver.AnswerFileDialog(CString(L"My Documents\\Smith4"));
    ASSERT_TRUE(GetSaveFileName(&ofn));
    EXPECT_EQ(std::wstring(name), L"My Documents\\Smith4.fpl");
    ASSERT_EQ(driver.FileDialogs().size(), 1u);
    EXPECT_EQ(driver.FileDialogs()[0].suggestion, CString(L"My Documents\\TEST"));
    EXPECT_EQ(driver.FileDialogs()[0].filter, CString(L"FloorPlans (*.fpl)|*.fpl||"));
    EXPECT_TRUE(driver.FileDialogs()[0].overwritePrompt);
    driver.AnswerFileDialog(std::nullopt);
    EXPECT_FALSE(GetSaveFileName(&ofn));  // Cancel
    EXPECT_FALSE(GetOpenFileName(&ofn));  // unanswered: Cancel
    ofn.Flags = OFN_FILEMUSTEXIST;
    driver.AnswerFileDialog(CString(L"My Documents\\absent.fpl"));
    EXPECT_FALSE(GetOpenFileName(&ofn));
    // A choice longer than the buffer is refused, not cut.
    ofn.Flags = 0;
    ofn.nMaxFile = 10;
    driver.AnswerFileDialog(CString(L"My Documents\\long-name"));
    EXPECT_FALSE(GetSaveFileName(&ofn));
    EXPECT_EQ(std::wstring(name), L"My Documents\\Smith4.fpl");
}

TEST(PathsDefaults, TheDocumentsRootFollowsTheDesktopsFolderList) {
    PlatformPaths::Reset();
    const auto home = fs::temp_directory_path() / ("pelk-home-" + std::to_string(::getpid()));
    fs::create_directories(home / ".config");
    std::ofstream(home / ".config" / "user-dirs.dirs") << "# desktop folders\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n";
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", home.c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("XDG_DOCUMENTS_DIR");
    ::unsetenv("PELK_DOCUMENTS");
    EXPECT_EQ(PlatformPaths::DocumentsRoot(), (home / "Dokumente" / "Pelk").string());
    ::setenv("PELK_DOCUMENTS", "/tmp/elsewhere", 1);
    EXPECT_EQ(PlatformPaths::DocumentsRoot(), "/tmp/elsewhere");
    ::unsetenv("PELK_DOCUMENTS");
    fs::remove(home / ".config" / "user-dirs.dirs");
    EXPECT_EQ(PlatformPaths::DocumentsRoot(), (home / "Documents" / "Pelk").string());
    EXPECT_EQ(PlatformPaths::ConfigDirectory(), (home / ".config" / "pelk").string());
    ::setenv("HOME", oldHome.c_str(), 1);
    fs::remove_all(home);
}
