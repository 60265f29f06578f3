// The floor-plan file's encryption: RC2 under a key derived by MD5 from a
// passphrase, written behind an at-sign byte. Reading tries the current
// passphrase first and the older one second, so older files still open.
#pragma once

#include <string>

#include "win_types.h"

class CFile;

class CFileCipher {
public:
    // The at-sign byte that starts an encrypted file.
    static constexpr char kMarker = '@';
    // Decryption works in chunks of this many bytes.
    static constexpr int kChunk = 200;

    // Makes the current (true) or the older (false) passphrase active.
    static void SelectPassphrase(bool current);
    static const std::string& ActivePassphrase();

    // Encrypts in place; the text becomes the cipher text. Its length, 0 on
    // any failure.
    static int Encrypt(std::string& text);
    // Decrypts in place, a leading marker skipped (and then overwritten by
    // a space). False with the platform's error code when a step fails; a
    // failed last block is accepted when the text already holds the root
    // start tag.
    static bool Decrypt(char* data, int length, DWORD& error, int& chunksDone, int& chunkCount);
    // Encrypts and writes the marker and the cipher text; the block write's
    // result, or 0 when the encryption gave nothing.
    static int WriteFile(std::string& text, CFile& file);
    // Writes the block; a file error is reported ("Can not save to ...") and
    // gives -1, else the length.
    static int ReportSaveError(CFile& file, const void* data, int length);

    // Saves write the encrypted form while set (it starts set).
    static BYTE& EncryptionFlag();
    // The process-wide state back to its start: flag set, current passphrase.
    static void ResetGlobals();
};
