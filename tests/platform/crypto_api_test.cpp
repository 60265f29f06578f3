// The cryptography interface: MD5 and RC2 pinned by their RFCs' vectors,
// the base provider's key derivation by a published RC4 example, and
// chained, padded RC2 in place.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <nettle/arcfour.h>
#include <nettle/arctwo.h>

#include "crypto_api.h"
#include "file_system.h"

namespace {

std::vector<BYTE> Bytes(const char* hex)
{
    std::vector<BYTE> out;
    for (const char* p = hex; p[0] && p[1];) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        out.push_back(static_cast<BYTE>(std::stoi(std::string(p, 2), nullptr, 16)));
        p += 2;
    }
    return out;
}

class CryptoApiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CryptAcquireContext(&provider, nullptr, MS_DEF_PROV, PROV_RSA_FULL,
                                        CRYPT_VERIFYCONTEXT));
    }
    void TearDown() override { CryptReleaseContext(provider, 0); }

    HCRYPTKEY KeyFor(const std::string& passphrase, ALG_ID algorithm)
    {
        HCRYPTHASH hash = 0;
        EXPECT_TRUE(CryptCreateHash(provider, CALG_MD5, 0, 0, &hash));
        EXPECT_TRUE(CryptHashData(hash, reinterpret_cast<const BYTE*>(passphrase.data()),
                                  static_cast<DWORD>(passphrase.size()), 0));
        HCRYPTKEY key = 0;
        EXPECT_TRUE(CryptDeriveKey(provider, algorithm, hash, 0, &key));
        CryptDestroyHash(hash);
        return key;
    }

    HCRYPTPROV provider = 0;
};

TEST_F(CryptoApiTest, Md5OfTheRfcTexts)
{
    const struct {
        const char* text;
        const char* digest;
    } rows[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    };
    for (const auto& row : rows) {
        HCRYPTHASH hash = 0;
        ASSERT_TRUE(CryptCreateHash(provider, CALG_MD5, 0, 0, &hash));
        ASSERT_TRUE(CryptHashData(hash, reinterpret_cast<const BYTE*>(row.text),
                                  static_cast<DWORD>(std::strlen(row.text)), 0));
        BYTE digest[16];
        DWORD length = sizeof digest;
        ASSERT_TRUE(CryptGetHashParam(hash, HP_HASHVAL, digest, &length, 0));
        EXPECT_EQ(std::vector<BYTE>(digest, digest + 16), Bytes(row.digest)) << row.text;
        CryptDestroyHash(hash);
    }
}

TEST(Rc2Test, RfcVectors)
{
    const struct {
        const char* key;
        unsigned effectiveBits;
        const char* plain;
        const char* cipher;
    } rows[] = {
        {"0000000000000000", 63, "0000000000000000", "ebb773f993278eff"},
        {"ffffffffffffffff", 64, "ffffffffffffffff", "278b27e42e2f0d49"},
        {"3000000000000000", 64, "1000000000000001", "30649edf9be7d2c2"},
        {"88bca90e90875a7f0f79c384627bafb2", 64, "0000000000000000", "1a807d272bbe5db1"},
        {"88bca90e90875a7f0f79c384627bafb2", 128, "0000000000000000", "2269552ab0f85ca6"},
    };
    for (const auto& row : rows) {
        const std::vector<BYTE> key = Bytes(row.key);
        arctwo_ctx ctx;
        arctwo_set_key_ekb(&ctx, key.size(), key.data(), row.effectiveBits);
        std::vector<BYTE> block = Bytes(row.plain);
        arctwo_encrypt(&ctx, block.size(), block.data(), block.data());
        EXPECT_EQ(block, Bytes(row.cipher)) << row.key;
    }
}

// The base provider's key: the digest's first five bytes and eleven zero
// bytes; as an RC4 key it gives the published stream over 00..1f.
TEST_F(CryptoApiTest, BaseProviderKeyMatchesThePublishedExample)
{
    const std::vector<BYTE> digest = Bytes("7340e6e274b8ea399395aa29d638b52a");
    BYTE key[16];
    CryptBaseProviderKey(digest.data(), key);
    EXPECT_EQ(std::vector<BYTE>(key, key + 16), Bytes("7340e6e2740000000000000000000000"));
    arcfour_ctx rc4;
    arcfour_set_key(&rc4, 16, key);
    std::vector<BYTE> stream(32);
    for (int i = 0; i < 32; ++i)
        stream[i] = static_cast<BYTE>(i);
    arcfour_crypt(&rc4, stream.size(), stream.data(), stream.data());
    EXPECT_EQ(stream, Bytes("2659de2444fa369c110cbb9db6a2bd24042ee3ba7276f3278dd5b42f56cff8c9"));
}

TEST_F(CryptoApiTest, EncryptPadsAndDecryptInChunksRestores)
{
    const std::string plain(437, 'q');
    HCRYPTKEY key = KeyFor("secret", CALG_RC2);
    DWORD length = static_cast<DWORD>(plain.size());
    ASSERT_TRUE(CryptEncrypt(key, 0, TRUE, 0, nullptr, &length, 0));
    EXPECT_EQ(length, 440u);
    std::vector<BYTE> data(plain.begin(), plain.end());
    data.resize(length);
    length = static_cast<DWORD>(plain.size());
    ASSERT_TRUE(CryptEncrypt(key, 0, TRUE, 0, data.data(), &length, static_cast<DWORD>(data.size())));
    CryptDestroyKey(key);

    key = KeyFor("secret", CALG_RC2);
    // Two chunks of 200 chained, then the final remainder.
    DWORD chunk = 200;
    ASSERT_TRUE(CryptDecrypt(key, 0, FALSE, 0, data.data(), &chunk));
    chunk = 200;
    ASSERT_TRUE(CryptDecrypt(key, 0, FALSE, 0, data.data() + 200, &chunk));
    DWORD last = 40;
    ASSERT_TRUE(CryptDecrypt(key, 0, TRUE, 0, data.data() + 400, &last));
    EXPECT_EQ(last, 37u);
    EXPECT_EQ(std::string(data.begin(), data.begin() + 437), plain);
    CryptDestroyKey(key);
}

TEST_F(CryptoApiTest, WrongKeyOrLengthIsBadData)
{
    std::vector<BYTE> data(16, 7);
    HCRYPTKEY key = KeyFor("one", CALG_RC2);
    DWORD length = 13;
    ASSERT_TRUE(CryptEncrypt(key, 0, TRUE, 0, data.data(), &length, 16));
    CryptDestroyKey(key);
    key = KeyFor("two", CALG_RC2);
    DWORD odd = 13;
    EXPECT_FALSE(CryptDecrypt(key, 0, TRUE, 0, data.data(), &odd));
    EXPECT_EQ(GetLastError(), NTE_BAD_DATA);
    CryptDestroyKey(key);
    HCRYPTPROV other = 0;
    EXPECT_FALSE(CryptAcquireContext(&other, nullptr, L"Another Provider", PROV_RSA_FULL, 0));
}

}  // namespace
