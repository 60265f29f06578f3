// Save, open and backup: the suggested names and the save counter, the
// encrypted file under both passphrases, the storage card's copy, the Levels
// menu and the import of a folder of room scripts.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "file_cipher.h"
#include "file_utilities.h"
#include "floor_plan_test_support.h"
#include "level_files.h"
#include "room_type_catalog.h"

namespace {

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A level of one room as a new document would hold it.
void MakeLevel(CReplDoc& document, const char* level = "Main")
{
    document.m_street = CString("Anystreet");
    document.m_house = CString("1");
    document.m_level = CString(level);
    document.MakeFileBase();
    FloorPlanTest::AddRoom(document, "Hall1");
}

}  // namespace

using SaveOpenTest = FloorPlanTest;

TEST_F(SaveOpenTest, CounterIsTheNumberThatEndsTheFileName)
{
    const struct {
        const wchar_t* path;
        int counter;
    } cases[] = {
        {L"My Documents\\Any1Mn3.fpl", 3},
        {L"My Documents\\Any1Mn12", 12},
        {L"My Documents\\Any1Mn.fpl", 0},
        {L"Job7\\Plan.fpl", 0},
        {L"v2.1\\Plan5", 5},
        {L"My Documents\\Plan99999999999999.fpl", 999999999},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CReplDoc::GetCounterFromName(CString(c.path)), c.counter) << CString(c.path).ToNarrow();
}

TEST_F(SaveOpenTest, NameEndingInThreeMakesTheNextSuggestionFour)
{
    HeadlessDriver driver;
    CReplDoc document;
    MakeLevel(document);
    driver.AnswerFileDialog(CString(L"My Documents\\Any1Mn3.fpl"));
    document.OnFileSave();
    ASSERT_EQ(driver.FileDialogs().size(), 1u);
    const FileDialogRequest& request = driver.FileDialogs()[0];
    EXPECT_FALSE(request.open);
    EXPECT_EQ(request.suggestion, CString(L"Any1Mn1"));
    EXPECT_EQ(request.filter, CString(L"FloorPlans (*.fpl)|*.fpl||"));
    EXPECT_EQ(request.defaultExtension, CString(L"fpl"));
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(document.m_fileNumber, 3);
    EXPECT_EQ(document.GetNextFileName(), CString(L"Any1Mn4"));
    EXPECT_TRUE(std::filesystem::exists(documents / "Any1Mn3.fpl"));

    document.OnFileSave();  // cancelled
    ASSERT_EQ(driver.FileDialogs().size(), 2u);
    EXPECT_EQ(driver.FileDialogs()[1].suggestion, CString(L"Any1Mn4"));
}

TEST_F(SaveOpenTest, FirstSuggestionWithoutAFileBase)
{
    HeadlessDriver driver;
    CReplDoc document;
    AddRoom(document, "Hall1");
    document.OnFileSave();
    ASSERT_EQ(driver.FileDialogs().size(), 1u);
    EXPECT_EQ(driver.FileDialogs()[0].suggestion, CString(L"My Documents\\TEST"));
}

TEST_F(SaveOpenTest, DocumentWithoutRoomsIsNotSaved)
{
    HeadlessDriver driver;
    CReplDoc document;
    driver.AnswerFileDialog(CString(L"My Documents\\Empty1.fpl"));
    EXPECT_FALSE(document.SaveAs(CString(L"Empty1")));
    EXPECT_TRUE(driver.FileDialogs().empty());
    EXPECT_FALSE(std::filesystem::exists(documents / "Empty1.fpl"));
}

TEST_F(SaveOpenTest, TrailingDotIsDropped)
{
    HeadlessDriver driver;
    CReplDoc document;
    MakeLevel(document);
    driver.AnswerFileDialog(CString(L"My Documents\\Plan7."));
    ASSERT_TRUE(document.SaveAs(CString(L"Plan")));
    EXPECT_TRUE(std::filesystem::exists(documents / "Plan7"));
    EXPECT_FALSE(std::filesystem::exists(documents / "Plan7."));
    EXPECT_EQ(document.m_fileNumber, 7);
}

TEST_F(SaveOpenTest, EncryptedSaveOpensAgainAndClearsTheModifiedState)
{
    HeadlessDriver driver;
    CReplDoc document;
    MakeLevel(document);
    document.m_plan.SetModified(true);
    document.SaveToFile(CString(L"My Documents\\Any1Mn1.fpl"));
    EXPECT_FALSE(document.IsModified());
    const std::string bytes = ReadBytes(documents / "Any1Mn1.fpl");
    ASSERT_GT(bytes.size(), 1u);
    EXPECT_EQ(bytes[0], '@');
    EXPECT_EQ((bytes.size() - 1) % 8, 0u);

    CReplDoc reader;
    ASSERT_TRUE(reader.OnOpenDocument(L"My Documents\\Any1Mn1.fpl"));
    ASSERT_EQ(reader.GetNumOfRooms(), 1);
    EXPECT_EQ(RoomName(reader, 0), "Hall1");
    EXPECT_EQ(reader.GetPathName(), CString(L"My Documents\\Any1Mn1.fpl"));
    EXPECT_EQ(reader.m_fileNumber, 1);
}

TEST_F(SaveOpenTest, PlainSaveWhenEncryptionIsOff)
{
    CFileCipher::EncryptionFlag() = 0;
    CReplDoc document;
    MakeLevel(document);
    document.SaveToFile(CString(L"My Documents\\Plain1.fpl"));
    std::string expected;
    document.BuildFileText(expected);
    EXPECT_EQ(ReadBytes(documents / "Plain1.fpl"), expected);
    CReplDoc reader;
    EXPECT_TRUE(reader.OnOpenDocument(L"My Documents\\Plain1.fpl"));
}

TEST_F(SaveOpenTest, FileUnderTheOlderPassphraseOpensAndIsSavedUnderTheCurrentOne)
{
    CReplDoc writer;
    MakeLevel(writer);
    std::string cipher;
    writer.BuildFileText(cipher);
    CFileCipher::SelectPassphrase(false);
    ASSERT_GT(CFileCipher::Encrypt(cipher), 0);
    CFileCipher::SelectPassphrase(true);
    WriteBytes(documents / "Old1.fpl", "@" + cipher);

    CReplDoc reader;
    ASSERT_TRUE(reader.OnOpenDocument(L"My Documents\\Old1.fpl"));
    EXPECT_EQ(reader.GetNumOfRooms(), 1);
    EXPECT_EQ(CFileCipher::ActivePassphrase(), "RZMWQDLKHFNJ");

    reader.SaveToFile(CString(L"My Documents\\Old2.fpl"));
    std::string saved = ReadBytes(documents / "Old2.fpl");
    DWORD error = 0;
    int done = 0, count = 0;
    ASSERT_TRUE(CFileCipher::Decrypt(saved.data(), static_cast<int>(saved.size()), error, done, count));
    EXPECT_NE(saved.find("<QUENDAR_FPL "), std::string::npos) << "readable under the current passphrase";
}

TEST_F(SaveOpenTest, CipherOfWholeChunksGetsNoFinalCallAndStillLoads)
{
    CReplDoc writer;
    MakeLevel(writer);
    std::string plain;
    writer.BuildFileText(plain);
    // RC2 pads to the next 8-byte block: 192 to 199 bytes past a multiple of
    // 200 give a cipher of whole 200-byte chunks.
    const std::size_t target = (plain.size() / 200 + 1) * 200 - 4;
    plain.append(target - plain.size(), '\n');
    std::string cipher = plain;
    ASSERT_GT(CFileCipher::Encrypt(cipher), 0);
    ASSERT_EQ(cipher.size() % 200, 0u);
    WriteBytes(documents / "Whole1.fpl", "@" + cipher);

    CReplDoc reader;
    ASSERT_TRUE(reader.OnOpenDocument(L"My Documents\\Whole1.fpl"));
    EXPECT_EQ(RoomName(reader, 0), "Hall1");
}

TEST_F(SaveOpenTest, UnreadableFilesAreReported)
{
    HeadlessDriver driver;
    VisibleMainWindow window;
    WriteBytes(documents / "Junk1.fpl", "no floor plan here");
    WriteBytes(documents / "Bad1.fpl", "@" + std::string(16, 'x'));
    CReplDoc reader;
    EXPECT_FALSE(reader.OnOpenDocument(L"My Documents\\Junk1.fpl"));
    EXPECT_FALSE(reader.OnOpenDocument(L"My Documents\\Missing1.fpl"));
    EXPECT_FALSE(reader.OnOpenDocument(L"My Documents\\Bad1.fpl"));
    ASSERT_EQ(driver.MessageBoxes().size(), 3u);
    EXPECT_EQ(driver.MessageBoxes()[0].text, CString(L"Invalid or corrupted file My Documents\\Junk1.fpl"));
    EXPECT_EQ(driver.MessageBoxes()[1].text, CString(L"Invalid or corrupted file My Documents\\Missing1.fpl"));
    EXPECT_EQ(driver.MessageBoxes()[2].text.Find(L"Decryption failed. Error "), 0);
}

TEST_F(SaveOpenTest, BackupOnTheStorageCardHoldsTheSameBytes)
{
    const auto card = documents / "card";
    std::filesystem::create_directories(card / "Backup");
    PlatformPaths::SetCardRoot(card.string());
    for (const BYTE encrypted : {1, 0}) {
        CFileCipher::EncryptionFlag() = encrypted;
        CReplDoc document;
        MakeLevel(document);
        const std::string name = encrypted ? "Any1Mn5.fpl" : "Any1Mn6.fpl";
        document.SaveToFile(CString(("My Documents\\" + name).c_str()));
        const std::string main = ReadBytes(documents / name);
        ASSERT_FALSE(main.empty());
        EXPECT_EQ(ReadBytes(card / "Backup" / name), main) << name;
    }
}

TEST_F(SaveOpenTest, FileWithoutStreetTakesItsBaseAndCounterFromTheFolder)
{
    CFileCipher::EncryptionFlag() = 0;
    CReplDoc writer;
    AddRoom(writer, "Hall1");
    std::string text;
    writer.BuildFileText(text);
    WriteBytes(documents / "Elm12" / "plan.fpl", text);
    CReplDoc reader;
    ASSERT_TRUE(reader.OnOpenDocument(L"My Documents\\Elm12\\plan.fpl"));
    EXPECT_EQ(reader.m_fileBase, CString(L"Elm"));
    EXPECT_EQ(reader.m_fileNumber, 12);
}

TEST_F(SaveOpenTest, LoadCommandAsksForAFile)
{
    HeadlessDriver driver;
    CReplDoc writer;
    MakeLevel(writer);
    writer.SaveToFile(CString(L"My Documents\\Any1Mn2.fpl"));
    CReplDoc reader;
    EXPECT_FALSE(reader.LoadFromDialog()) << "cancelled";
    driver.AnswerFileDialog(CString(L"My Documents\\Any1Mn2.fpl"));
    ASSERT_TRUE(reader.LoadFromDialog());
    ASSERT_EQ(driver.FileDialogs().size(), 2u);
    EXPECT_TRUE(driver.FileDialogs()[1].open);
    EXPECT_EQ(RoomName(reader, 0), "Hall1");
}

TEST_F(SaveOpenTest, LevelsMenuListsEachSavedLevelOnce)
{
    HeadlessDriver driver;
    VisibleMainWindow window;
    CReplDoc document;
    MakeLevel(document, "Main");
    driver.AnswerFileDialog(CString(L"My Documents\\Any1Mn1.fpl"));
    driver.AnswerFileDialog(CString(L"My Documents\\Any1Mn2.fpl"));
    ASSERT_TRUE(document.SaveAs(CString(L"x")));
    ASSERT_TRUE(document.SaveAs(CString(L"x")));
    CMenu* levels = window.Levels();
    ASSERT_EQ(levels->GetMenuItemCount(), 3u) << "Change Level..., a separator, Main";
    EXPECT_EQ(levels->GetMenuItemID(0), 2199u);
    EXPECT_EQ(levels->GetMenuItemID(1), 0u);
    EXPECT_EQ(levels->GetMenuItemID(2), 2200u);
    EXPECT_EQ(LevelFileMap().at(CString(L"Main")), CString(L"My Documents\\Any1Mn2.fpl"));

    // The exchange file lists Main, Upper, Lower, Basement.
    document.m_level = CString("Upper");
    document.MakeFileBase();
    driver.AnswerFileDialog(CString(L"My Documents\\Any1Ur1.fpl"));
    ASSERT_TRUE(document.SaveAs(CString(L"x")));
    ASSERT_EQ(levels->GetMenuItemCount(), 4u);
    EXPECT_EQ(levels->GetMenuItemID(2), 2200u);
    EXPECT_EQ(levels->GetMenuItemID(3), 2201u);
    EXPECT_EQ(levels->GetMenuState(2200, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(levels->GetMenuState(2201, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);

    // Choosing Main opens its file; choosing the current level does nothing.
    document.OnChangeLevel(2200);
    EXPECT_EQ(document.m_level, CString("Main"));
    EXPECT_EQ(document.GetPathName(), CString(L"My Documents\\Any1Mn2.fpl"));
    EXPECT_EQ(levels->GetMenuState(2200, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    document.OnChangeLevel(2200);
    EXPECT_EQ(document.GetPathName(), CString(L"My Documents\\Any1Mn2.fpl"));
    document.OnChangeLevel(2209);  // beyond the level list
    EXPECT_EQ(document.m_level, CString("Main"));
}

TEST_F(SaveOpenTest, AddressFileImportsTheRoomScriptsOfItsFolder)
{
    CReplDoc scratch;
    CRoomFloor* hall = AddRoom(scratch, "Hall1");
    std::string script;
    hall->Save(script, false);
    const auto folder = documents / "Job4";
    WriteBytes(folder / "Hall1.vcr", script);
    // Holds the root tags, does not load as a floor plan, names one room.
    WriteBytes(folder / "address.fpl",
               "Hall1,\r\nStreet:Elm Road\nHouse:5\nLevel:Upper\nZIP:90210\nOrientation:N\n"
               "<QUENDAR_FPL ></QUENDAR_FPL>");
    CReplDoc reader;
    ASSERT_TRUE(reader.OnOpenDocument(L"My Documents\\Job4\\address.fpl"));
    ASSERT_EQ(reader.GetNumOfRooms(), 1);
    EXPECT_EQ(RoomName(reader, 0), "Hall1");
    EXPECT_EQ(reader.m_street, CString("Elm Road"));
    EXPECT_EQ(reader.m_house, CString("5"));
    EXPECT_EQ(reader.m_level, CString("Upper"));
    EXPECT_EQ(reader.m_zip, CString("90210"));
    EXPECT_EQ(reader.m_orientation, CString("N"));
}

TEST_F(SaveOpenTest, DeleteFolderEmptiesEveryFolderBelow)
{
    WriteBytes(documents / "journal" / "header", "h");
    WriteBytes(documents / "journal" / "Hall1", "r");
    WriteBytes(documents / "journal" / "old" / "Den1", "r");
    DeleteFolder(CString(L"My Documents\\journal\\"));
    EXPECT_TRUE(std::filesystem::is_directory(documents / "journal" / "old"));
    EXPECT_TRUE(std::filesystem::is_empty(documents / "journal" / "old"));
    EXPECT_FALSE(std::filesystem::exists(documents / "journal" / "header"));
}
