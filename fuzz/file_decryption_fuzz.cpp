// Feeds arbitrary bytes, with and without the at-sign marker, to the
// floor-plan file's decryption under both passphrases. Any crash or
// sanitizer report is a fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "file_cipher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string buffer(reinterpret_cast<const char*>(data), size);
    for (bool current : {true, false}) {
        CFileCipher::SelectPassphrase(current);
        std::string copy = buffer;
        DWORD error = 0;
        int done = 0, count = 0;
        CFileCipher::Decrypt(copy.data(), static_cast<int>(copy.size()), error, done, count);
    }
    CFileCipher::ResetGlobals();
    return 0;
}
