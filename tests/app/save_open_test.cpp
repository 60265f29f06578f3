// Save, open and backup: the suggested names and the save counter, the
// encrypted file under both passphrases, the storage card's copy, the Levels
// menu and the import of a folder of room scripts.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "file_cipher.h"
#include "file_utilities.h"
#include "floor_plan_test_support.h"
#include "level_files.h"
#include "room_type_catalog.h"
#include "zup_edge.h"
#include "zup_opening.h"

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

std::string ReadInput(const char* name)
{
    return ReadBytes(std::filesystem::path(PELK_TEST_INPUTS) / name);
}

// Leaves the current room through the named door into the room beyond it,
// or into a new room when nothing is there yet.
bool LeaveThrough(CReplDoc& document, const char* door)
{
    ZupOpening* opening = document.GetCurrentRoom()->GetOpening(door);
    if (!opening || !document.CloseRoom())
        return false;
    document.ExitThroughOpening(opening);
    return true;
}

// The room just entered, drawn from the first shape (200 x 300) with its
// entrance, and closed into the plan.
bool DrawEnteredRoom(CReplDoc& document)
{
    if (!document.InsertShape(0, 0))
        return false;
    document.PlaceEntrance(nullptr);
    return document.CloseRoom();
}

// A hall with a den and a bath off it, each through its own door of the hall.
void DrawThreeRooms(CReplDoc& document)
{
    document.ResetLevel();
    document.m_street = CString("Elm Road");
    document.m_house = CString("5");
    document.MakeFileBase();
    ASSERT_TRUE(document.InsertShape(0, 0));
    document.PlaceEntrance(nullptr);
    CRoomFloor* hall = document.GetCurrentRoom();
    hall->ZupFloor::SetName("Hall1");
    for (const char* door : {"Hall1A", "Hall1B"}) {
        ZupEdge* wall = nullptr;
        for (ZupEdge* e = hall->Get1stEdge(); e && !wall; e = hall->GetNextEdge())
            if (e->GetNumOfObjects() == 0)
                wall = e;
        ASSERT_NE(wall, nullptr);
        const point centre = wall->GetGeoCenter();
        ZupOpening* opening = hall->CreateOpening(door, 1, centre.x(), centre.y());
        ASSERT_NE(opening, nullptr);
        opening->CreateWidthDimension();
        opening->CreatePosDimension(nullptr, -1.0f);
    }
    ASSERT_TRUE(hall->Resolve());
    ASSERT_TRUE(LeaveThrough(document, "Hall1A"));
    ASSERT_TRUE(DrawEnteredRoom(document));
    ASSERT_TRUE(LeaveThrough(document, "Hall1A"));  // back into the hall
    ASSERT_TRUE(LeaveThrough(document, "Hall1B"));
    ASSERT_TRUE(DrawEnteredRoom(document));
    ASSERT_EQ(document.GetNumOfRooms(), 3);
    ASSERT_EQ(document.m_plan.GetNumOfPartitions(), 3);
}

// What a refused open must leave as it was.
struct LevelState {
    explicit LevelState(CReplDoc& document)
        : fileText(FloorPlanTest::FileText(document)),
          current(document.GetCurrentRoom()),
          modified(document.IsModified() != FALSE),
          partitions(document.m_plan.GetNumOfPartitions()),
          path(document.GetPathName().ToNarrow())
    {
        for (int i = 0; i < document.GetNumOfRooms(); ++i) {
            CRoomFloor* room = document.GetRoom(i);
            rooms.push_back(room);
            names.push_back(FloorPlanTest::RoomName(document, i));
            std::string text;
            room->Save(text, false);
            texts.push_back(text);
            joined.push_back(document.GetPartitionOfRoom(room) != nullptr);
        }
    }
    bool operator==(const LevelState&) const = default;

    std::string fileText;
    CRoomFloor* current;
    bool modified;
    int partitions;
    std::string path;
    std::vector<CRoomFloor*> rooms;
    std::vector<std::string> names;
    std::vector<std::string> texts;
    std::vector<bool> joined;
};

// The body of a 200 x 300 hall with its entrance, as a file holds it.
constexpr const char* kHallBody =
    "Name=Hall1\nN1=Node(0.0,0.0)\nN2=Node(200.0,0.0)\nN3=Node(200.0,300.0)\nN4=Node(0.0,300.0)\n"
    "Entrance=Node(100.0,0.0)\nS1=Segment(N1,N2)\nS2=Segment(N2,N3)\nS3=Segment(N3,N4)\n"
    "S4=Segment(N4,N1)\nD1=Distance(N1,N2)\nD2=Distance(N2,N3)\nD3=Distance(N3,N4)\n"
    "D4=Distance(N4,N1)\nShape=Rectangle\n";

std::string RootStart(const std::string& path)
{
    return "\n<QUENDAR_FPL version=\"1.0\" house=\"7\" street=\"Oak Lane\" unit=\"\" level=\"Upper\" "
           "zip=\"\" mls=\"\" jobid=\"\" orient=\"\" codepage=\"0\"\n" +
           path + ">\n<HISTORY></HISTORY>\n";
}

constexpr const char* kRootEnd = "\n</QUENDAR_FPL>\n";

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

// A file that is refused leaves the level that was open as it was: its
// rooms, their geometry, the plan, the header and the unsaved changes.
TEST_F(SaveOpenTest, RefusedOpenKeepsTheOpenLevel)
{
    const std::string longName(64 * 1024, 'K');
    std::string encryptedCut = ReadInput("open_cut_body_clears_level.fpl");
    ASSERT_FALSE(encryptedCut.empty());
    ASSERT_GT(CFileCipher::Encrypt(encryptedCut), 0);
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"CutBody1.fpl", ReadInput("open_cut_body_clears_level.fpl")},
        {"Nested1.fpl", ReadInput("open_nested_300_clears_level.fpl")},
        {"CutBody2.fpl", "@" + encryptedCut},
        {"NoElement1.fpl", RootStart(" path=\"Hall1,Den1,\"") + kRootEnd},
        {"NoPath1.fpl", RootStart("") + "<Hall1 body=\"" + kHallBody + "\"/>" + kRootEnd},
        {"NoBody1.fpl", RootStart(" path=\"Hall1,\"") + "<Hall1 size=\"1\"/>" + kRootEnd},
        {"BadBody1.fpl", RootStart(" path=\"Hall1,\"") + "<Hall1 body=\"N1=Segment(N7)\"/>" + kRootEnd},
        {"LongName1.fpl", RootStart(" path=\"" + longName + ",\"") + "<" + longName +
                              " body=\"N1=Segment(N7)\"/>" + kRootEnd},
        // Reads as an address file whose room script is not in the folder.
        {"Address1.fpl", "Hall9,\nStreet:Birch Way\nHouse:9\nLevel:Lower\n" + RootStart("") + kRootEnd},
    };
    ASSERT_FALSE(ReadInput("open_nested_300_clears_level.fpl").empty());

    HeadlessDriver driver;
    CFileCipher::EncryptionFlag() = 0;
    CReplDoc drawn;
    DrawThreeRooms(drawn);
    drawn.SaveToFile(CString(L"My Documents\\Elm5Mn1.fpl"));

    VisibleMainWindow window;
    CReplDoc document;
    ASSERT_TRUE(document.OnOpenDocument(L"My Documents\\Elm5Mn1.fpl"));
    ASSERT_EQ(document.GetNumOfRooms(), 3);
    ASSERT_GE(document.m_plan.GetNumOfPartitions(), 2);
    document.m_plan.SetModified(true);
    const LevelState before(document);
    ASSERT_TRUE(before.modified);

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(documents / c.name, c.bytes);
        const std::size_t shown = driver.MessageBoxes().size();
        const CString path = CString(L"My Documents\\") + CString(c.name);
        EXPECT_FALSE(document.OnOpenDocument(path));
        ASSERT_EQ(driver.MessageBoxes().size(), shown + 1);
        EXPECT_EQ(driver.MessageBoxes().back().text, CString(L"Invalid or corrupted file ") + path);
        const LevelState after(document);
        EXPECT_EQ(after.names, before.names);
        EXPECT_EQ(after.texts, before.texts);
        EXPECT_EQ(after.joined, before.joined);
        EXPECT_EQ(after.modified, before.modified);
        EXPECT_EQ(after.fileText, before.fileText);
        EXPECT_TRUE(after == before);
    }

    // The Levels menu opens the file saved for a level the same way.
    LevelFileMap()[CString(L"Upper")] = CString(L"My Documents\\CutBody1.fpl");
    driver.AnswerMessageBox(IDYES);  // the unsaved changes may go
    document.OnChangeLevel(2201);
    EXPECT_EQ(driver.MessageBoxes().back().text,
              CString(L"Invalid or corrupted file My Documents\\CutBody1.fpl"));
    EXPECT_TRUE(LevelState(document) == before);
}

// A file whose first rooms are invalid asks whether to go on before the
// open level is touched: No keeps the level as it was, Yes opens the rooms
// that load, and the question is asked once for each invalid room.
TEST_F(SaveOpenTest, StoppingAtAnInvalidFirstRoomKeepsTheOpenLevel)
{
    const std::string bytes = RootStart(" path=\"Den1,Nook1,Hall1,\"") +
                              "<Den1 body=\"N1=Segment(N7)\"/>\n<Nook1 size=\"1\"/>\n<Hall1 body=\"" +
                              kHallBody + "\"/>" + kRootEnd;
    HeadlessDriver driver;
    CFileCipher::EncryptionFlag() = 0;
    CReplDoc drawn;
    DrawThreeRooms(drawn);
    drawn.SaveToFile(CString(L"My Documents\\Elm5Mn1.fpl"));
    WriteBytes(documents / "Invalid1.fpl", bytes);
    const CString path(L"My Documents\\Invalid1.fpl");
    const CString question(L"Invalid room Den1 discarded. Continue?");

    VisibleMainWindow window;
    CReplDoc document;
    ASSERT_TRUE(document.OnOpenDocument(L"My Documents\\Elm5Mn1.fpl"));
    ASSERT_EQ(document.GetNumOfRooms(), 3);
    document.m_plan.SetModified(true);
    const LevelState before(document);
    ASSERT_TRUE(before.modified);

    const std::size_t shown = driver.MessageBoxes().size();
    driver.AnswerMessageBox(IDNO);
    EXPECT_FALSE(document.OnOpenDocument(path));
    ASSERT_EQ(driver.MessageBoxes().size(), shown + 2);
    EXPECT_EQ(driver.MessageBoxes()[shown].text, question);
    EXPECT_EQ(driver.MessageBoxes().back().text, CString(L"Invalid or corrupted file ") + path);
    EXPECT_TRUE(LevelState(document) == before);

    driver.AnswerMessageBox(IDYES);
    EXPECT_TRUE(document.OnOpenDocument(path));
    ASSERT_EQ(driver.MessageBoxes().size(), shown + 3);
    EXPECT_EQ(driver.MessageBoxes().back().text, question);
    ASSERT_EQ(document.GetNumOfRooms(), 1);
    EXPECT_EQ(RoomName(document, 0), "Hall1");
    EXPECT_EQ(document.GetPathName(), path);
}
