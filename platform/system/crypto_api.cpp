#include "crypto_api.h"

#include <cstring>
#include <memory>
#include <vector>

#include <nettle/arcfour.h>
#include <nettle/arctwo.h>
#include <nettle/cbc.h>
#include <nettle/md5.h>

#include "file_system.h"

namespace {

// What the base provider chooses where the interface leaves it open.
struct BaseProviderParameters {
    unsigned keyBytes;        // bytes of the session key
    unsigned digestKeyBytes;  // of them taken from the digest, the rest zero
    unsigned effectiveBits;   // RC2's effective key length
    unsigned blockSize;       // RC2 block, CBC from an all-zero vector, PKCS#5 padding
};
constexpr BaseProviderParameters kBase{16, 5, 40, ARCTWO_BLOCK_SIZE};

struct Provider {};

struct Hash {
    md5_ctx md5;
};

struct Key {
    ALG_ID algorithm;
    arctwo_ctx rc2;
    arcfour_ctx rc4;
    BYTE iv[ARCTWO_BLOCK_SIZE];
    // Decryption keeps the last block back until it knows whether the call
    // is the final one (so that padding can be taken off).
    void ResetChain() { std::memset(iv, 0, sizeof iv); }
};

template <class T>
T* From(std::uintptr_t handle)
{
    return reinterpret_cast<T*>(handle);
}

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

bool IsBaseProvider(LPCWSTR name)
{
    return name == nullptr || std::wcscmp(name, MS_DEF_PROV) == 0;
}

void Rc2Encrypt(const void* ctx, size_t length, uint8_t* dst, const uint8_t* src)
{
    arctwo_encrypt(static_cast<arctwo_ctx*>(const_cast<void*>(ctx)), length, dst, src);
}

void Rc2Decrypt(const void* ctx, size_t length, uint8_t* dst, const uint8_t* src)
{
    arctwo_decrypt(static_cast<arctwo_ctx*>(const_cast<void*>(ctx)), length, dst, src);
}

}  // namespace

void CryptBaseProviderKey(const BYTE digest[16], BYTE key[16])
{
    std::memset(key, 0, kBase.keyBytes);
    std::memcpy(key, digest, kBase.digestKeyBytes);
}

BOOL CryptAcquireContext(HCRYPTPROV* provider, LPCWSTR, LPCWSTR providerName, DWORD type, DWORD)
{
    if (!provider)
        return Fail(NTE_BAD_DATA);
    if (type != PROV_RSA_FULL || !IsBaseProvider(providerName))
        return Fail(NTE_BAD_PROV_TYPE);
    *provider = reinterpret_cast<HCRYPTPROV>(new Provider());
    return TRUE;
}

BOOL CryptReleaseContext(HCRYPTPROV provider, DWORD)
{
    delete From<Provider>(provider);
    return TRUE;
}

BOOL CryptCreateHash(HCRYPTPROV provider, ALG_ID algorithm, HCRYPTKEY, DWORD, HCRYPTHASH* hash)
{
    if (!provider || !hash)
        return Fail(NTE_BAD_DATA);
    if (algorithm != CALG_MD5)
        return Fail(NTE_BAD_ALGID);
    auto* made = new Hash();
    md5_init(&made->md5);
    *hash = reinterpret_cast<HCRYPTHASH>(made);
    return TRUE;
}

BOOL CryptHashData(HCRYPTHASH hash, const BYTE* data, DWORD length, DWORD)
{
    if (!hash || (!data && length > 0))
        return Fail(NTE_BAD_HASH);
    md5_update(&From<Hash>(hash)->md5, length, data);
    return TRUE;
}

BOOL CryptDestroyHash(HCRYPTHASH hash)
{
    delete From<Hash>(hash);
    return TRUE;
}

BOOL CryptGetHashParam(HCRYPTHASH hash, DWORD parameter, BYTE* data, DWORD* length, DWORD)
{
    if (!hash || !length || parameter != HP_HASHVAL)
        return Fail(NTE_BAD_HASH);
    if (!data || *length < MD5_DIGEST_SIZE) {
        *length = MD5_DIGEST_SIZE;
        return data ? Fail(ERROR_MORE_DATA) : TRUE;
    }
    md5_ctx copy = From<Hash>(hash)->md5;
    md5_digest(&copy, MD5_DIGEST_SIZE, data);
    *length = MD5_DIGEST_SIZE;
    return TRUE;
}

BOOL CryptDeriveKey(HCRYPTPROV provider, ALG_ID algorithm, HCRYPTHASH hash, DWORD, HCRYPTKEY* key)
{
    if (!provider || !hash || !key)
        return Fail(NTE_BAD_DATA);
    if (algorithm != CALG_RC2 && algorithm != CALG_RC4)
        return Fail(NTE_BAD_ALGID);
    // The digest is taken from a copy: the hash may still be used.
    md5_ctx copy = From<Hash>(hash)->md5;
    BYTE digest[MD5_DIGEST_SIZE];
    md5_digest(&copy, sizeof digest, digest);
    BYTE material[16];
    CryptBaseProviderKey(digest, material);
    auto* made = new Key();
    made->algorithm = algorithm;
    made->ResetChain();
    if (algorithm == CALG_RC2)
        arctwo_set_key_ekb(&made->rc2, kBase.keyBytes, material, kBase.effectiveBits);
    else
        arcfour_set_key(&made->rc4, kBase.keyBytes, material);
    *key = reinterpret_cast<HCRYPTKEY>(made);
    return TRUE;
}

BOOL CryptDestroyKey(HCRYPTKEY key)
{
    delete From<Key>(key);
    return TRUE;
}

BOOL CryptEncrypt(HCRYPTKEY handle, HCRYPTHASH, BOOL final, DWORD, BYTE* data, DWORD* length,
                  DWORD bufferLength)
{
    Key* key = From<Key>(handle);
    if (!key || !length)
        return Fail(NTE_BAD_KEY);
    if (key->algorithm == CALG_RC4) {
        if (data)
            arcfour_crypt(&key->rc4, *length, data, data);
        return TRUE;
    }
    const DWORD block = kBase.blockSize;
    if (!final && *length % block != 0)
        return Fail(NTE_BAD_LEN);
    const DWORD out = final ? (*length / block + 1) * block : *length;
    if (!data) {
        *length = out;
        return TRUE;
    }
    if (out > bufferLength) {
        *length = out;
        return Fail(ERROR_MORE_DATA);
    }
    if (final) {
        const BYTE pad = static_cast<BYTE>(out - *length);
        std::memset(data + *length, pad, pad);
    }
    cbc_encrypt(&key->rc2, Rc2Encrypt, block, key->iv, out, data, data);
    *length = out;
    if (final)
        key->ResetChain();
    return TRUE;
}

BOOL CryptDecrypt(HCRYPTKEY handle, HCRYPTHASH, BOOL final, DWORD, BYTE* data, DWORD* length)
{
    Key* key = From<Key>(handle);
    if (!key || !length || (!data && *length > 0))
        return Fail(NTE_BAD_KEY);
    if (key->algorithm == CALG_RC4) {
        arcfour_crypt(&key->rc4, *length, data, data);
        return TRUE;
    }
    const DWORD block = kBase.blockSize;
    if (*length % block != 0) {
        key->ResetChain();
        return Fail(NTE_BAD_DATA);
    }
    cbc_decrypt(&key->rc2, Rc2Decrypt, block, key->iv, *length, data, data);
    if (!final)
        return TRUE;
    key->ResetChain();
    // The padding: 1 to 8 bytes, each holding the count.
    const BYTE pad = *length > 0 ? data[*length - 1] : 0;
    if (pad < 1 || pad > block || pad > *length)
        return Fail(NTE_BAD_DATA);
    for (DWORD i = *length - pad; i < *length; ++i)
        if (data[i] != pad)
            return Fail(NTE_BAD_DATA);
    *length -= pad;
    return TRUE;
}
