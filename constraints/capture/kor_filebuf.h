// Small unbuffered file object for the constraint manager's text files: every
// call goes straight to the operating system. Read mode opens existing files
// only; write mode creates new files only and never overwrites one.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

class KorFilebuf {
public:
    // Access masks accepted by open().
    static constexpr unsigned long kRead = 0x80000000UL;
    static constexpr unsigned long kWrite = 0x40000000UL;
    // Longest path accepted, in characters; a longer one fails, never truncated.
    static constexpr std::size_t kMaxPathChars = 260;

    // Copies share the handle; nothing closes a file but close().
    KorFilebuf() = default;

    // path is UTF-8. Fails for any other mode, a bad or too long path, a
    // missing file in read mode, an existing one in write mode, or when a file
    // is open already.
    bool open(const char* path, unsigned long mode);
    bool isOpen() const { return mHandle >= 0; }

    // One byte 0..255, or -1 at the end of the file or on a failure.
    int sgetc();
    int snextc() { return sgetc(); }
    // Bytes read or written; 0 on failure.
    std::size_t sgetn(char* buffer, std::size_t count);
    std::size_t sputn(const char* text, std::size_t count);
    std::size_t sputc(int c);

    // The whole text, then "\n"; false (and no line feed) when not all of it
    // was written.
    bool writeln(const std::string& text);

    // Appends the next line to line and returns the number of characters
    // appended. A line ends at a carriage return or the end of the file; a line
    // feed before the first character is skipped, one after a character ends
    // the line. 0: end of file, or a line empty up to its carriage return;
    // atEnd, when given, tells the two apart (true when the end of the file
    // or a read failure ended the line).
    std::size_t getline(std::string& line, bool* atEnd = nullptr);

    // True when no file was open.
    bool close();

    // Reads the whole file into a new buffer of size + 1 bytes, zero after the
    // bytes read, and returns their number. On any failure buffer is null and
    // the result 0; an empty file gives 0 with a one-byte buffer.
    static std::size_t getall(std::unique_ptr<char[]>& buffer, const char* path);

private:
    int mHandle = -1;
};
