// The level's header as a person typed it (house, street, number, level,
// ZIP, job, orientation, the owner of its history and the map's image)
// comes back exactly from a saved file opened again and from the journal
// restored by the New Session dialog; files keep their bytes and old files
// read as before.
#include <random>
#include <string>
#include <vector>

#include "floor_plan_test_support.h"
#include "history_record.h"
#include "level_files.h"
#include "typed_texts.h"

namespace {

constexpr DWORD kQuietPeriodMs = 3600 * 1000;

struct HeaderField {
    const char* name;
    CString& (*of)(CReplDoc&);
};

const HeaderField kHeaderFields[] = {
    {"house", [](CReplDoc& d) -> CString& { return d.m_house; }},
    {"street", [](CReplDoc& d) -> CString& { return d.m_street; }},
    {"unit", [](CReplDoc& d) -> CString& { return d.m_unit; }},
    {"level", [](CReplDoc& d) -> CString& { return d.m_level; }},
    {"zip", [](CReplDoc& d) -> CString& { return d.m_zip; }},
    {"mls", [](CReplDoc& d) -> CString& { return d.m_mls; }},
    {"jobid", [](CReplDoc& d) -> CString& { return d.m_jobId; }},
    {"orient", [](CReplDoc& d) -> CString& { return d.m_orientation; }},
    {"owner", [](CReplDoc& d) -> CString& { return d.m_history.front().m_owner; }},
    {"map image", [](CReplDoc& d) -> CString& { return d.m_mapLink.m_imageFile; }},
};
constexpr std::size_t kLevelField = 3;

// The typed texts, and letters of the program's code page (Windows-1252).
std::vector<std::string> HeaderTexts()
{
    std::vector<std::string> texts = TypedTexts();
    for (const char* text : {"Caf\xe9", "Stra\xdf" "e 5", "\x80 12", "\xe9\"\xe8", "M\xfcller's"})
        texts.push_back(text);
    return texts;
}

// A level of one room with a history record and a map position, its header
// fields holding the given texts in the order of kHeaderFields.
void MakeLevel(CReplDoc& document, const std::vector<std::string>& texts)
{
    AddHistoryRecord(document.m_history);
    document.m_mapLink.m_latitude = 45.5;
    document.m_mapLink.m_longitude = -73.25;
    for (std::size_t k = 0; k < std::size(kHeaderFields); ++k)
        kHeaderFields[k].of(document) = CString(texts[k].c_str());
    FloorPlanTest::AddRoom(document, "Hall1");
}

// A level of blanks only, which its list never offers, reads as "Main".
std::string LevelAsRead(const std::string& level)
{
    return level.find_first_not_of(" \t\n\r") == std::string::npos ? "Main" : level;
}

void ExpectHeader(CReplDoc& document, std::vector<std::string> texts)
{
    ASSERT_EQ(document.GetNumOfRooms(), 1);
    ASSERT_FALSE(document.m_history.empty());
    texts[kLevelField] = LevelAsRead(texts[kLevelField]);
    for (std::size_t k = 0; k < std::size(kHeaderFields); ++k)
        EXPECT_EQ(kHeaderFields[k].of(document).ToNarrow(), texts[k]) << kHeaderFields[k].name;
}

std::string Shorter(const std::string& text)
{
    return text.size() > 60 ? text.substr(0, 60) + "..." : text;
}

// A random text of the pieces that mean something to the file or the
// journal, and of plain ones.
std::string RandomText(std::mt19937& random)
{
    static const char* const pieces[] = {";", "(", ")", "=", ",", "/", "#", "\\", "\"", "'",
                                         "<", ">", "&", "\t", " ", "a", "Elm", "amp;", "quot;",
                                         "apos;", "lt;", "\xe9", "\x80", "house=", "path="};
    return RandomTextOf(random, pieces, 0, 10);
}

}  // namespace

using HeaderTextTest = FloorPlanTest;

// Each typed text in each header field, saved and opened, then restored from
// the journal as the New Session dialog's Restore does.
TEST_F(HeaderTextTest, TypedHeaderTextsComeBackFromTheFileAndTheJournal)
{
    const std::vector<std::string> all = HeaderTexts();
    for (std::size_t i = 0; i < all.size(); ++i) {
        // Each field takes every text in turn, its neighbours other ones.
        std::vector<std::string> texts;
        for (std::size_t k = 0; k < std::size(kHeaderFields); ++k)
            texts.push_back(all[(i + k) % all.size()]);
        SCOPED_TRACE("house [" + Shorter(texts[0]) + "]");
        CReplDoc writer;
        MakeLevel(writer, texts);
        ASSERT_TRUE(writer.SaveToFile(CString(L"My Documents\\Header1.fpl")));

        CReplDoc opened;
        ASSERT_TRUE(opened.OnNewDocument());
        opened.m_journal.SetPeriod(kQuietPeriodMs);
        CloseIntoPlanFlag() = true;
        ASSERT_TRUE(opened.OnOpenDocument(L"My Documents\\Header1.fpl"));
        {
            SCOPED_TRACE("saved and opened");
            ExpectHeader(opened, texts);
        }
        opened.m_journal.Stop();

        CReplDoc restored;
        ASSERT_TRUE(restored.OnNewDocument());
        restored.m_journal.SetPeriod(kQuietPeriodMs);
        CloseIntoPlanFlag() = true;
        restored.RestoreFromJournal();
        {
            SCOPED_TRACE("restored from the journal");
            ExpectHeader(restored, texts);
        }
        restored.m_journal.Stop();
    }
}

// Random header texts through the file's text and back.
TEST_F(HeaderTextTest, RandomHeaderTextsComeBack)
{
    std::mt19937 random(7121);
    for (int i = 0; i < 150; ++i) {
        std::vector<std::string> texts;
        for (std::size_t k = 0; k < std::size(kHeaderFields); ++k)
            texts.push_back(RandomText(random));
        SCOPED_TRACE("house [" + texts[0] + "] street [" + texts[1] + "]");
        CReplDoc writer;
        MakeLevel(writer, texts);
        CReplDoc reader;
        CloseIntoPlanFlag() = true;
        ASSERT_TRUE(Load(reader, FileText(writer)));
        ExpectHeader(reader, texts);
    }
}

// The attribute as the file holds it: a double quote is a reference of its
// own; every other text keeps the bytes it always had.
TEST_F(HeaderTextTest, HeaderAttributesAreWrittenAsBefore)
{
    const struct {
        const char* typed;
        const char* written;
    } rows[] = {
        {"Joe's \"Big\" House", "Joe&apos;s &quot;Big&quot; House"},
        {"\"", "&quot;"},
        {"&quot;", "&amp;quot;"},
        {"Elm Road", "Elm Road"},
        {" 5 <b> & 6 ", " 5 &lt;b&gt; &amp; 6 "},
        {"Caf\xe9;a=b,c/d\\e#f\tg", "Caf\xe9;a=b,c/d\\e#f\tg"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        CReplDoc writer;
        writer.m_house = CString(row.typed);
        AddRoom(writer, "Hall1");
        const std::string expected = std::string(" house=\"") + row.written + "\" street=";
        EXPECT_NE(FileText(writer).find(expected), std::string::npos) << FileText(writer);
    }
}

// Files of earlier versions, which wrote a double quote as two apostrophes,
// read as they always did.
TEST_F(HeaderTextTest, EarlierFilesReadAsBefore)
{
    const struct {
        const char* stored;
        const char* read;
    } rows[] = {
        {"5'6&apos;&apos; Loft", "5'6'' Loft"},
        {"&apos;&apos;", "''"},
        {"Joe&apos;s &amp; Co", "Joe's & Co"},
        {"a&b&bogus;c", "a&b&bogus;c"},
        {"Caf\xe9", "Caf\xe9"},
    };
    CReplDoc scratch;
    AddRoom(scratch, "Hall1");
    const std::string room = FileText(scratch).substr(FileText(scratch).find("<HISTORY>"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stored);
        const std::string text = std::string("\n<QUENDAR_FPL version=\"1.0\" house=\"") + row.stored +
                                 "\" street=\"" + row.stored + "\" level=\"Main\" orient=\"" +
                                 row.stored + "\" codepage=\"0\"\n path=\"Hall1,\">\n" + room;
        CReplDoc reader;
        CloseIntoPlanFlag() = true;
        ASSERT_TRUE(Load(reader, text));
        EXPECT_EQ(reader.m_house.ToNarrow(), row.read);
        EXPECT_EQ(reader.m_street.ToNarrow(), row.read);
        EXPECT_EQ(reader.m_orientation.ToNarrow(), row.read);
    }
}
