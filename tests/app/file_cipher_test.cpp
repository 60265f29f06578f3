// The floor-plan file's encryption: a known answer for each passphrase,
// the marker, chunked decryption and its acceptance rules, guarded writes.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "c_file.h"
#include "file_cipher.h"

namespace {

std::string Hex(const std::string& bytes)
{
    std::string out;
    char two[3];
    for (unsigned char c : bytes) {
        std::snprintf(two, sizeof two, "%02x", c);
        out += two;
    }
    return out;
}

class FileCipherTest : public ::testing::Test {
protected:
    void SetUp() override { CFileCipher::ResetGlobals(); }
    void TearDown() override { CFileCipher::ResetGlobals(); }

    // Decrypts a marked copy of the text's cipher; the decrypted buffer.
    static std::string RoundTrip(const std::string& plain, bool& ok, int& done, int& count)
    {
        std::string cipher = plain;
        EXPECT_GT(CFileCipher::Encrypt(cipher), 0);
        std::string data = CFileCipher::kMarker + cipher;
        DWORD error = 0;
        ok = CFileCipher::Decrypt(data.data(), static_cast<int>(data.size()), error, done, count);
        return data;
    }
};

// Pinned once from this implementation: any change to the cipher's
// parameters breaks every saved file, and this test.
TEST_F(FileCipherTest, KnownAnswerForEachPassphrase)
{
    const std::string plain = "<QUENDAR_FPL codepage=\"0\"/>";
    std::string text = plain;
    ASSERT_EQ(CFileCipher::Encrypt(text), 32);
    EXPECT_EQ(Hex(text), "56f77a355480d10f80b3f3543be5d052bcfea70c0373e8386fc27f38f9c8b83d");
    CFileCipher::SelectPassphrase(false);
    text = plain;
    ASSERT_EQ(CFileCipher::Encrypt(text), 32);
    EXPECT_EQ(Hex(text), "afb40984aabf29935188a4b9f1b4ea4b0772eb8662854d03f9f1e75249326071");
}

TEST_F(FileCipherTest, ShortTextDecryptsByTheFinalCallAlone)
{
    bool ok = false;
    int done = -1, count = -1;
    const std::string plain = "<QUENDAR_FPL codepage=\"0\"></QUENDAR_FPL>";
    const std::string data = RoundTrip(plain, ok, done, count);
    ASSERT_TRUE(ok);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(data.substr(0, plain.size() + 1), " " + plain);
}

TEST_F(FileCipherTest, WholeChunksKeepTheirPadBytes)
{
    // 399 plain bytes make 400 cipher bytes: two whole chunks, no final call.
    const std::string plain = "<QUENDAR_FPL a=\"1\">" + std::string(399 - 33, 'x') + "</QUENDAR_FPL>";
    ASSERT_EQ(plain.size(), 399u);
    bool ok = false;
    int done = 0, count = 0;
    const std::string data = RoundTrip(plain, ok, done, count);
    ASSERT_TRUE(ok);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(done, 2);
    EXPECT_EQ(data.substr(1, plain.size()), plain);
    EXPECT_EQ(data.back(), '\x01');  // the pad byte stays behind the text
}

TEST_F(FileCipherTest, WrongPassphraseFailsUnlessTheRootTagReadsBack)
{
    const std::string plain = "<QUENDAR_FPL codepage=\"0\">" + std::string(300, 'y') + "</QUENDAR_FPL>";
    std::string cipher = plain;
    CFileCipher::SelectPassphrase(false);
    ASSERT_GT(CFileCipher::Encrypt(cipher), 0);
    CFileCipher::SelectPassphrase(true);
    std::string data = CFileCipher::kMarker + cipher;
    DWORD error = 0;
    int done = 0, count = 0;
    EXPECT_FALSE(CFileCipher::Decrypt(data.data(), static_cast<int>(data.size()), error, done, count));

    // The right passphrase with a damaged last block: the start tag is
    // already there, so the text is taken.
    CFileCipher::SelectPassphrase(false);
    data = CFileCipher::kMarker + cipher;
    data.back() ^= 0x5a;
    EXPECT_TRUE(CFileCipher::Decrypt(data.data(), static_cast<int>(data.size()), error, done, count));
    EXPECT_EQ(done, 0);
    EXPECT_EQ(data.substr(1, 26), plain.substr(0, 26));
}

TEST_F(FileCipherTest, WriteFileWritesMarkerAndCipherText)
{
    const std::string path = "/tmp/file_cipher_" + std::to_string(getpid()) + ".fpl";
    const std::wstring wide(path.begin(), path.end());
    std::string text = "<QUENDAR_FPL codepage=\"0\"/>";
    {
        CFile file(wide.c_str(), CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(CFileCipher::WriteFile(text, file), 32);
    }
    FILE* in = std::fopen(path.c_str(), "rb");
    ASSERT_NE(in, nullptr);
    std::string written(64, '\0');
    written.resize(std::fread(written.data(), 1, written.size(), in));
    std::fclose(in);
    std::remove(path.c_str());
    ASSERT_EQ(written.size(), 33u);
    EXPECT_EQ(written[0], '@');
    EXPECT_EQ(Hex(written.substr(1)), "56f77a355480d10f80b3f3543be5d052bcfea70c0373e8386fc27f38f9c8b83d");
}

TEST_F(FileCipherTest, FailedWriteIsReportedAsMinusOne)
{
    const std::string path = "/tmp/file_cipher_ro_" + std::to_string(getpid());
    const std::wstring wide(path.begin(), path.end());
    { CFile create(wide.c_str(), CFile::modeCreate | CFile::modeWrite); }
    CFile file(wide.c_str(), CFile::modeRead);
    EXPECT_EQ(CFileCipher::ReportSaveError(file, "abc", 3), -1);
    file.Abort();
    std::remove(path.c_str());
}

}  // namespace
