// The platform's cryptography interface as the program uses it: one
// provider ("Microsoft Base Cryptographic Provider v1.0"), MD5 hashes and
// keys derived from them for RC2 (and RC4), over Nettle. The base
// provider's choices live in one table in crypto_api.cpp.
#pragma once

#include <cstdint>

#include "win_types.h"

using HCRYPTPROV = std::uintptr_t;
using HCRYPTHASH = std::uintptr_t;
using HCRYPTKEY = std::uintptr_t;
using ALG_ID = unsigned int;

constexpr DWORD PROV_RSA_FULL = 1;
constexpr DWORD CRYPT_VERIFYCONTEXT = 0xF0000000;
constexpr ALG_ID CALG_MD5 = 0x8003;
constexpr ALG_ID CALG_RC2 = 0x6602;
constexpr ALG_ID CALG_RC4 = 0x6801;
#define MS_DEF_PROV L"Microsoft Base Cryptographic Provider v1.0"

// Error codes left for GetLastError.
constexpr DWORD NTE_BAD_DATA = 0x80090005;
constexpr DWORD NTE_BAD_LEN = 0x80090004;
constexpr DWORD NTE_BAD_ALGID = 0x80090008;
constexpr DWORD NTE_BAD_HASH = 0x80090002;
constexpr DWORD NTE_BAD_KEY = 0x80090003;
constexpr DWORD NTE_BAD_PROV_TYPE = 0x80090014;
constexpr DWORD NTE_KEYSET_NOT_DEF = 0x80090019;

BOOL CryptAcquireContext(HCRYPTPROV* provider, LPCWSTR container, LPCWSTR providerName,
                         DWORD type, DWORD flags);
BOOL CryptReleaseContext(HCRYPTPROV provider, DWORD flags);
BOOL CryptCreateHash(HCRYPTPROV provider, ALG_ID algorithm, HCRYPTKEY key, DWORD flags,
                     HCRYPTHASH* hash);
BOOL CryptHashData(HCRYPTHASH hash, const BYTE* data, DWORD length, DWORD flags);
BOOL CryptDestroyHash(HCRYPTHASH hash);
// HP_HASHVAL: the digest so far (16 bytes); the hash goes on.
constexpr DWORD HP_HASHVAL = 2;
BOOL CryptGetHashParam(HCRYPTHASH hash, DWORD parameter, BYTE* data, DWORD* length, DWORD flags);
BOOL CryptDeriveKey(HCRYPTPROV provider, ALG_ID algorithm, HCRYPTHASH hash, DWORD flags,
                    HCRYPTKEY* key);
BOOL CryptDestroyKey(HCRYPTKEY key);
// In place; with a null data buffer only the output length is told. A block
// cipher chains its blocks across calls until the final one, which pads.
BOOL CryptEncrypt(HCRYPTKEY key, HCRYPTHASH hash, BOOL final, DWORD flags, BYTE* data,
                  DWORD* length, DWORD bufferLength);
BOOL CryptDecrypt(HCRYPTKEY key, HCRYPTHASH hash, BOOL final, DWORD flags, BYTE* data,
                  DWORD* length);

// The base provider's session key from an MD5 digest: the first five digest
// bytes followed by eleven zero bytes (40 effective bits, no salt).
void CryptBaseProviderKey(const BYTE digest[16], BYTE key[16]);
