#include "kor_filebuf.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <new>
#include <utility>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Number of characters of a UTF-8 path, or -1 when it is not valid UTF-8.
long Utf8CharCount(const char* text)
{
    long chars = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p != 0) {
        int trail = 0;
        if (*p < 0x80)
            trail = 0;
        else if ((*p & 0xE0) == 0xC0 && *p >= 0xC2)
            trail = 1;
        else if ((*p & 0xF0) == 0xE0)
            trail = 2;
        else if ((*p & 0xF8) == 0xF0 && *p <= 0xF4)
            trail = 3;
        else
            return -1;
        ++p;
        for (int i = 0; i < trail; ++i, ++p)
            if ((*p & 0xC0) != 0x80)
                return -1;
        ++chars;
    }
    return chars;
}

bool IsAcceptablePath(const char* path)
{
    if (path == nullptr || *path == 0)
        return false;
    const long chars = Utf8CharCount(path);
    return chars > 0 && static_cast<std::size_t>(chars) <= KorFilebuf::kMaxPathChars;
}

bool IsDirectory(int handle)
{
    struct stat info {};
    return fstat(handle, &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

bool KorFilebuf::open(const char* path, unsigned long mode)
{
    if (isOpen() || !IsAcceptablePath(path))
        return false;
    int handle = -1;
    if (mode == kRead)
        handle = ::open(path, O_RDONLY | O_CLOEXEC);
    else if (mode == kWrite)
        handle = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    else
        return false;
    if (handle >= 0 && IsDirectory(handle)) {
        ::close(handle);
        handle = -1;
    }
    mHandle = handle;
    return isOpen();
}

int KorFilebuf::sgetc()
{
    unsigned char byte = 0;
    return sgetn(reinterpret_cast<char*>(&byte), 1) == 1 ? byte : -1;
}

std::size_t KorFilebuf::sgetn(char* buffer, std::size_t count)
{
    if (!isOpen() || buffer == nullptr)
        return 0;
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(mHandle, buffer + done, count - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return 0;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::size_t KorFilebuf::sputn(const char* text, std::size_t count)
{
    if (!isOpen() || (text == nullptr && count > 0))
        return 0;
    std::size_t done = 0;
    while (done < count) {
        const ssize_t put = ::write(mHandle, text + done, count - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            break;
        done += static_cast<std::size_t>(put);
    }
    return done;
}

std::size_t KorFilebuf::sputc(int c)
{
    const char byte = static_cast<char>(c);
    return sputn(&byte, 1);
}

bool KorFilebuf::writeln(const std::string& text)
{
    if (!isOpen() || sputn(text.data(), text.size()) != text.size())
        return false;
    return sputc('\n') == 1;
}

std::size_t KorFilebuf::getline(std::string& line, bool* atEnd)
{
    std::size_t appended = 0;
    int c = sgetc();
    for (; c >= 0 && c != '\r'; c = sgetc()) {
        if (c == '\n') {
            if (appended > 0)
                break;
            continue;
        }
        line.push_back(static_cast<char>(c));
        ++appended;
    }
    if (atEnd != nullptr)
        *atEnd = c < 0;
    return appended;
}

bool KorFilebuf::close()
{
    if (!isOpen())
        return true;
    const int handle = mHandle;
    mHandle = -1;
    return ::close(handle) == 0;
}

std::size_t KorFilebuf::getall(std::unique_ptr<char[]>& buffer, const char* path)
{
    buffer.reset();
    KorFilebuf file;
    if (!file.open(path, kRead))
        return 0;
    struct stat info {};
    if (fstat(file.mHandle, &info) != 0 || info.st_size < 0
        || static_cast<std::uintmax_t>(info.st_size) >= SIZE_MAX) {
        file.close();
        return 0;
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    std::unique_ptr<char[]> bytes(new (std::nothrow) char[size + 1]);
    if (!bytes) {
        file.close();
        return 0;
    }
    // sgetn loops over partial reads; a short count means the file shrank.
    const std::size_t read = file.sgetn(bytes.get(), size);
    const bool failed = read == 0 && size > 0;
    file.close();
    if (failed)
        return 0;
    bytes[read] = 0;
    buffer = std::move(bytes);
    return read;
}
