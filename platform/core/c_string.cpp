#include "c_string.h"

#include <algorithm>
#include <cwctype>

#include "code_page.h"
#include "string_table.h"

namespace {

size_t Clamp(int value, size_t limit) {
    if (value < 0) return 0;
    return std::min(static_cast<size_t>(value), limit);
}

// Case folding of the code page's letters only, independent of the locale.
wchar_t Upper(wchar_t c) {
    if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<wchar_t>(c - 0x20);
    if (c == 0xFF) return 0x178;
    if (c == 0x161 || c == 0x153 || c == 0x17E) return static_cast<wchar_t>(c - 1);
    return c;
}

wchar_t Lower(wchar_t c) {
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<wchar_t>(c + 0x20);
    if (c == 0x178) return 0xFF;
    if (c == 0x160 || c == 0x152 || c == 0x17D) return static_cast<wchar_t>(c + 1);
    return c;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f'; }

}  // namespace

CString::CString(const char* s) : m_text(s ? NarrowToWide(s) : L"") {}

CString::CString(std::string_view narrow) : m_text(NarrowToWide(narrow)) {}

std::string CString::ToNarrow() const { return WideToNarrow(m_text); }

wchar_t CString::GetAt(int i) const { return i >= 0 && i < GetLength() ? m_text[static_cast<size_t>(i)] : L'\0'; }

void CString::SetAt(int i, wchar_t ch) {
    if (i >= 0 && i < GetLength()) m_text[static_cast<size_t>(i)] = ch;
}

int CString::Compare(LPCTSTR s) const { return m_text.compare(s ? s : L""); }

int CString::CompareNoCase(LPCTSTR s) const {
    const std::wstring_view other(s ? s : L"");
    const size_t n = std::min(m_text.size(), other.size());
    for (size_t i = 0; i < n; ++i) {
        const wchar_t a = Lower(m_text[i]);
        const wchar_t b = Lower(other[i]);
        if (a != b) return a < b ? -1 : 1;
    }
    if (m_text.size() == other.size()) return 0;
    return m_text.size() < other.size() ? -1 : 1;
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
    const size_t start = Clamp(first, m_text.size());
    return CString(m_text.substr(start, Clamp(count, m_text.size() - start)));
}

CString CString::Left(int count) const { return CString(m_text.substr(0, Clamp(count, m_text.size()))); }

CString CString::Right(int count) const {
    const size_t n = Clamp(count, m_text.size());
    return CString(m_text.substr(m_text.size() - n));
}

CString CString::SpanIncluding(LPCTSTR set) const {
    const size_t end = m_text.find_first_not_of(set ? set : L"");
    return Left(end == std::wstring::npos ? GetLength() : static_cast<int>(end));
}

CString CString::SpanExcluding(LPCTSTR set) const {
    const size_t end = m_text.find_first_of(set ? set : L"");
    return Left(end == std::wstring::npos ? GetLength() : static_cast<int>(end));
}

void CString::MakeUpper() { std::transform(m_text.begin(), m_text.end(), m_text.begin(), Upper); }
void CString::MakeLower() { std::transform(m_text.begin(), m_text.end(), m_text.begin(), Lower); }
void CString::MakeReverse() { std::reverse(m_text.begin(), m_text.end()); }

int CString::Replace(wchar_t from, wchar_t to) {
    int count = 0;
    for (wchar_t& c : m_text)
        if (c == from) { c = to; ++count; }
    return count;
}

int CString::Replace(LPCTSTR from, LPCTSTR to) {
    const std::wstring_view pattern(from ? from : L"");
    const std::wstring_view replacement(to ? to : L"");
    if (pattern.empty()) return 0;
    int count = 0;
    std::wstring result;
    size_t pos = 0;
    for (size_t hit; (hit = m_text.find(pattern, pos)) != std::wstring::npos; pos = hit + pattern.size()) {
        result.append(m_text, pos, hit - pos).append(replacement);
        ++count;
    }
    result.append(m_text, pos, std::wstring::npos);
    m_text = std::move(result);
    return count;
}

int CString::Remove(wchar_t ch) {
    const auto before = m_text.size();
    std::erase(m_text, ch);
    return static_cast<int>(before - m_text.size());
}

int CString::Insert(int index, wchar_t ch) {
    m_text.insert(Clamp(index, m_text.size()), 1, ch);
    return GetLength();
}

int CString::Insert(int index, LPCTSTR s) {
    m_text.insert(Clamp(index, m_text.size()), s ? s : L"");
    return GetLength();
}

int CString::Delete(int index, int count) {
    const size_t start = Clamp(index, m_text.size());
    m_text.erase(start, Clamp(count, m_text.size() - start));
    return GetLength();
}

void CString::TrimLeft() {
    const auto it = std::find_if_not(m_text.begin(), m_text.end(), IsBlank);
    m_text.erase(m_text.begin(), it);
}

void CString::TrimRight() {
    while (!m_text.empty() && IsBlank(m_text.back())) m_text.pop_back();
}

void CString::TrimLeft(wchar_t ch) {
    const wchar_t set[2] = {ch, L'\0'};
    TrimLeft(set);
}

void CString::TrimRight(wchar_t ch) {
    const wchar_t set[2] = {ch, L'\0'};
    TrimRight(set);
}

void CString::TrimLeft(LPCTSTR set) {
    const size_t first = m_text.find_first_not_of(set ? set : L"");
    m_text.erase(0, first == std::wstring::npos ? m_text.size() : first);
}

void CString::TrimRight(LPCTSTR set) {
    const size_t last = m_text.find_last_not_of(set ? set : L"");
    m_text.erase(last == std::wstring::npos ? 0 : last + 1);
}

int CString::Find(wchar_t ch, int start) const {
    if (start < 0 || start >= GetLength()) return -1;
    const size_t hit = m_text.find(ch, static_cast<size_t>(start));
    return hit == std::wstring::npos ? -1 : static_cast<int>(hit);
}

int CString::Find(LPCTSTR s, int start) const {
    if (start < 0 || start > GetLength()) return -1;
    const size_t hit = m_text.find(s ? s : L"", static_cast<size_t>(start));
    return hit == std::wstring::npos ? -1 : static_cast<int>(hit);
}

int CString::ReverseFind(wchar_t ch) const {
    const size_t hit = m_text.rfind(ch);
    return hit == std::wstring::npos ? -1 : static_cast<int>(hit);
}

int CString::FindOneOf(LPCTSTR set) const {
    const size_t hit = m_text.find_first_of(set ? set : L"");
    return hit == std::wstring::npos ? -1 : static_cast<int>(hit);
}

BOOL CString::LoadString(UINT id) {
    const wchar_t* text = FindString(id);
    if (text == nullptr) return FALSE;
    m_text = text;
    return TRUE;
}

LPTSTR CString::GetBuffer(int minLength) {
    if (minLength > GetLength()) m_text.resize(static_cast<size_t>(minLength));
    return m_text.data();
}

LPTSTR CString::GetBufferSetLength(int length) {
    m_text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        const size_t end = m_text.find(L'\0');
        if (end != std::wstring::npos) m_text.resize(end);
    } else {
        m_text.resize(std::min(static_cast<size_t>(newLength), m_text.size()));
    }
}
