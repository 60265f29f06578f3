#include "kor_filebuf.h"
#include "kor_temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class KorFilebufTest : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return mDir.PathOf(name); }
    std::string WriteFile(const std::string& name, const std::string& bytes) const
    {
        return mDir.Write(name, bytes);
    }
    static std::string ReadFile(const std::string& path) { return KorTempDir::Read(path); }

    KorTempDir mDir;
};

TEST_F(KorFilebufTest, ReadOpensOnlyExistingFiles)
{
    KorFilebuf file;
    EXPECT_FALSE(file.open(PathOf("missing").c_str(), KorFilebuf::kRead));
    const std::string path = WriteFile("there", "x");
    EXPECT_TRUE(file.open(path.c_str(), KorFilebuf::kRead));
    EXPECT_TRUE(file.close());
}

TEST_F(KorFilebufTest, WriteCreatesOnlyNewFiles)
{
    const std::string existing = WriteFile("old", "keep");
    KorFilebuf file;
    EXPECT_FALSE(file.open(existing.c_str(), KorFilebuf::kWrite));
    EXPECT_EQ(ReadFile(existing), "keep");

    const std::string fresh = PathOf("new");
    ASSERT_TRUE(file.open(fresh.c_str(), KorFilebuf::kWrite));
    EXPECT_TRUE(file.writeln("Nod1=Node(0.0,0.0)"));
    EXPECT_TRUE(file.close());
    EXPECT_EQ(ReadFile(fresh), "Nod1=Node(0.0,0.0)\n");
}

TEST_F(KorFilebufTest, RefusesOtherModesAndBadPaths)
{
    const std::string path = WriteFile("f", "x");
    KorFilebuf file;
    EXPECT_FALSE(file.open(path.c_str(), 0));
    EXPECT_FALSE(file.open(path.c_str(), KorFilebuf::kRead | KorFilebuf::kWrite));
    EXPECT_FALSE(file.open("", KorFilebuf::kRead));
    EXPECT_FALSE(file.open(nullptr, KorFilebuf::kRead));
    EXPECT_FALSE(file.open("\xC3(", KorFilebuf::kWrite)); // not UTF-8
    EXPECT_FALSE(file.open(mDir.Path().string().c_str(), KorFilebuf::kRead)); // a folder
    EXPECT_FALSE(file.isOpen());
}

TEST_F(KorFilebufTest, SecondOpenFailsWhileAFileIsOpen)
{
    const std::string a = WriteFile("a", "A");
    const std::string b = WriteFile("b", "B");
    KorFilebuf file;
    ASSERT_TRUE(file.open(a.c_str(), KorFilebuf::kRead));
    EXPECT_FALSE(file.open(b.c_str(), KorFilebuf::kRead));
    EXPECT_EQ(file.sgetc(), 'A');
    EXPECT_TRUE(file.close());
}

// A path of exactly 260 characters, some of them two-byte characters, opens;
// one more character fails instead of being cut.
TEST_F(KorFilebufTest, PathLimitCountsCharactersNotBytes)
{
    const std::string base = mDir.Path().string() + "/";
    const std::string folder = base + std::string(100, 'd');
    fs::create_directory(folder);
    const std::size_t used = folder.size() + 1; // ASCII so far
    ASSERT_LT(used + 40, KorFilebuf::kMaxPathChars);
    const std::size_t rest = KorFilebuf::kMaxPathChars - used;
    std::string name;
    for (std::size_t i = 0; i < 40; ++i)
        name += "\xC3\xA9"; // e acute
    name += std::string(rest - 40, 'n');
    const std::string longest = folder + "/" + name;
    ASSERT_GT(longest.size(), KorFilebuf::kMaxPathChars);

    KorFilebuf file;
    EXPECT_TRUE(file.open(longest.c_str(), KorFilebuf::kWrite));
    EXPECT_TRUE(file.close());
    const std::string tooLong = longest + "x";
    EXPECT_FALSE(file.open(tooLong.c_str(), KorFilebuf::kWrite));
    EXPECT_FALSE(fs::exists(tooLong));
}

struct LineCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines; // the lines read before the first 0
    bool emptyLineBeforeEnd;        // a 0 result that is not the end of the file
};

class KorFilebufLines : public KorFilebufTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(KorFilebufLines, ReadsLinesAsTabled)
{
    const LineCase& c = GetParam();
    const std::string path = WriteFile("lines", c.bytes);
    KorFilebuf file;
    ASSERT_TRUE(file.open(path.c_str(), KorFilebuf::kRead));
    std::vector<std::string> lines;
    std::string line;
    while (file.getline(line) > 0) {
        lines.push_back(line);
        line.clear();
    }
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(file.sgetc() >= 0, c.emptyLineBeforeEnd);
    EXPECT_TRUE(file.close());
}

INSTANTIATE_TEST_SUITE_P(
    Table, KorFilebufLines,
    ::testing::Values(LineCase{"CrLf", "A\r\nB", {"A", "B"}, false},
                      LineCase{"LfLf", "A\n\nB", {"A", "B"}, false},
                      LineCase{"CrLfCrLf", "A\r\n\r\nB", {"A"}, true},
                      LineCase{"ByteFF", "A\xFF" "B\nC", {"A\xFF" "B", "C"}, false},
                      LineCase{"LeadingLf", "\n\nA\n", {"A"}, false},
                      LineCase{"Empty", "", {}, false}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST_F(KorFilebufTest, CrLfEmptyLineReadsAsZeroThenGoesOn)
{
    const std::string path = WriteFile("crlf", "A\r\n\r\nB");
    KorFilebuf file;
    ASSERT_TRUE(file.open(path.c_str(), KorFilebuf::kRead));
    std::string line;
    EXPECT_EQ(file.getline(line), 1u);
    EXPECT_EQ(file.getline(line), 0u);
    EXPECT_EQ(file.getline(line), 1u);
    EXPECT_EQ(line, "AB"); // getline appends
    EXPECT_EQ(file.getline(line), 0u);
    file.close();
}

TEST_F(KorFilebufTest, ByteFFIsACharacterNotTheEnd)
{
    const std::string path = WriteFile("ff", "\xFF");
    KorFilebuf file;
    ASSERT_TRUE(file.open(path.c_str(), KorFilebuf::kRead));
    EXPECT_EQ(file.sgetc(), 255);
    EXPECT_EQ(file.snextc(), -1);
    file.close();
}

TEST_F(KorFilebufTest, CountsOfReadsAndWrites)
{
    const std::string path = PathOf("counts");
    KorFilebuf file;
    ASSERT_TRUE(file.open(path.c_str(), KorFilebuf::kWrite));
    EXPECT_EQ(file.sputn("abc", 3), 3u);
    EXPECT_EQ(file.sputc('d'), 1u);
    EXPECT_EQ(file.sgetc(), -1); // write-only
    ASSERT_TRUE(file.close());

    ASSERT_TRUE(file.open(path.c_str(), KorFilebuf::kRead));
    char buffer[8] = {};
    EXPECT_EQ(file.sgetn(buffer, sizeof buffer), 4u);
    EXPECT_EQ(std::string(buffer), "abcd");
    EXPECT_EQ(file.sgetn(buffer, sizeof buffer), 0u);
    EXPECT_EQ(file.sputn("x", 1), 0u); // read-only
    EXPECT_FALSE(file.writeln("x"));
    file.close();
}

TEST_F(KorFilebufTest, ClosedBufferFailsEverythingButClose)
{
    KorFilebuf file;
    EXPECT_TRUE(file.close());
    EXPECT_EQ(file.sgetc(), -1);
    EXPECT_EQ(file.sputc('a'), 0u);
    EXPECT_FALSE(file.writeln("a"));
    std::string line;
    EXPECT_EQ(file.getline(line), 0u);
}

TEST_F(KorFilebufTest, GetallReadsWholeFileWithTrailingZero)
{
    const std::string path = WriteFile("all", std::string("a\0b\r\n", 5));
    std::unique_ptr<char[]> buffer;
    ASSERT_EQ(KorFilebuf::getall(buffer, path.c_str()), 5u);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(std::string(buffer.get(), 5), std::string("a\0b\r\n", 5));
    EXPECT_EQ(buffer[5], 0);
}

TEST_F(KorFilebufTest, GetallOfEmptyFileHandsOverOneByte)
{
    const std::string path = WriteFile("empty", "");
    std::unique_ptr<char[]> buffer;
    EXPECT_EQ(KorFilebuf::getall(buffer, path.c_str()), 0u);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer[0], 0);
}

// A failure and an empty file both give 0; only the failure gives no buffer.
TEST_F(KorFilebufTest, GetallFailureGivesNullBuffer)
{
    std::unique_ptr<char[]> buffer(new char[4]);
    EXPECT_EQ(KorFilebuf::getall(buffer, PathOf("missing").c_str()), 0u);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(KorFilebuf::getall(buffer, mDir.Path().string().c_str()), 0u);
    EXPECT_EQ(buffer, nullptr);
}

} // namespace
