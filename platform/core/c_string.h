// The class library's wide string. Narrow text converts through the fixed
// Windows-1252 code page, never through the process locale.
#pragma once

#include <compare>
#include <string>
#include <string_view>

#include "text_format.h"
#include "win_types.h"

class CString {
public:
    CString() = default;
    CString(const wchar_t* s) : m_text(s ? s : L"") {}
    CString(const wchar_t* s, int length) : m_text(s ? std::wstring(s, static_cast<size_t>(length)) : L"") {}
    CString(const char* s);
    CString(wchar_t ch, int repeat = 1) : m_text(repeat > 0 ? static_cast<size_t>(repeat) : 0, ch) {}
    CString(std::wstring s) : m_text(std::move(s)) {}
    CString(std::wstring_view s) : m_text(s) {}
    explicit CString(std::string_view narrow);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    BOOL IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    wchar_t GetAt(int i) const;
    void SetAt(int i, wchar_t ch);
    wchar_t operator[](int i) const { return GetAt(i); }
    operator LPCTSTR() const { return m_text.c_str(); }
    LPCTSTR GetString() const { return m_text.c_str(); }
    const std::wstring& str() const { return m_text; }
    // Narrow text in the code page; characters outside it become '?'.
    std::string ToNarrow() const;

    CString& operator=(const wchar_t* s) { m_text = s ? s : L""; return *this; }
    CString& operator=(const char* s) { return *this = CString(s); }
    CString& operator=(wchar_t ch) { m_text.assign(1, ch); return *this; }
    CString& operator+=(const CString& s) { m_text += s.m_text; return *this; }
    CString& operator+=(const wchar_t* s) { if (s) m_text += s; return *this; }
    CString& operator+=(wchar_t ch) { m_text += ch; return *this; }
    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_text + b.m_text); }
    friend CString operator+(const CString& a, const wchar_t* b) { return a + CString(b); }
    friend CString operator+(const wchar_t* a, const CString& b) { return CString(a) + b; }
    friend CString operator+(const CString& a, wchar_t b) { return CString(a.m_text + b); }
    friend CString operator+(wchar_t a, const CString& b) { return CString(a) + b; }

    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const wchar_t* b) { return a.Compare(b) == 0; }
    friend std::strong_ordering operator<=>(const CString& a, const CString& b) { return a.m_text <=> b.m_text; }

    // Ordinal comparisons: <0, 0, >0.
    int Compare(LPCTSTR s) const;
    int CompareNoCase(LPCTSTR s) const;
    int Collate(LPCTSTR s) const { return Compare(s); }

    // Indices are clamped to the text, as the class library does.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(LPCTSTR set) const;
    CString SpanExcluding(LPCTSTR set) const;

    void MakeUpper();
    void MakeLower();
    void MakeReverse();
    int Replace(wchar_t from, wchar_t to);
    int Replace(LPCTSTR from, LPCTSTR to);
    int Remove(wchar_t ch);
    int Insert(int index, wchar_t ch);
    int Insert(int index, LPCTSTR s);
    int Delete(int index, int count = 1);
    void TrimLeft();
    void TrimRight();
    void Trim() { TrimRight(); TrimLeft(); }
    void TrimLeft(wchar_t ch);
    void TrimRight(wchar_t ch);
    void TrimLeft(LPCTSTR set);
    void TrimRight(LPCTSTR set);

    // -1 when absent.
    int Find(wchar_t ch, int start = 0) const;
    int Find(LPCTSTR s, int start = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(LPCTSTR set) const;

    template <typename... Args>
    void Format(LPCTSTR format, const Args&... args) {
        m_text = FormatWide(format, args...);
    }
    template <typename... Args>
    void AppendFormat(LPCTSTR format, const Args&... args) {
        m_text += FormatWide(format, args...);
    }

    // From the string table; FALSE (text unchanged) for an unknown id.
    BOOL LoadString(UINT id);

    // Writable buffer of at least minLength characters plus a terminator;
    // ReleaseBuffer(-1) ends the text at the first NUL.
    LPTSTR GetBuffer(int minLength = 0);
    LPTSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

private:
    std::wstring m_text;
};

inline FormatArg::FormatArg(const CString& s) : m_kind(Kind::Wide), m_wide(s.str()) {}
