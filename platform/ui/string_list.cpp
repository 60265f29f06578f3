#include "string_list.h"

#include <cwctype>

namespace {

bool StartsWithNoCase(const CString& text, const CString& prefix)
{
    if (prefix.GetLength() > text.GetLength()) return false;
    return text.Left(prefix.GetLength()).CompareNoCase(prefix) == 0;
}

}  // namespace

int StringList::Add(const CString& text)
{
    if (!m_sorted) {
        m_items.push_back({text, 0});
        return Count() - 1;
    }
    int index = 0;
    while (index < Count() && At(index).text.CompareNoCase(text) <= 0) ++index;
    m_items.insert(m_items.begin() + index, Item{text, 0});
    return index;
}

int StringList::Insert(int index, const CString& text)
{
    if (index == -1) index = Count();
    if (index < 0 || index > Count()) return -1;
    m_items.insert(m_items.begin() + index, Item{text, 0});
    return index;
}

int StringList::Delete(int index)
{
    if (!Valid(index)) return -1;
    m_items.erase(m_items.begin() + index);
    return Count();
}

template <typename Match>
int StringList::Search(int start, Match match) const
{
    const int count = Count();
    if (count == 0) return -1;
    const int first = (start < -1 || start >= count) ? 0 : start + 1;
    for (int step = 0; step < count; ++step) {
        const int index = (first + step) % count;
        if (match(At(index).text)) return index;
    }
    return -1;
}

int StringList::FindPrefix(int start, const CString& prefix) const
{
    return Search(start, [&](const CString& text) { return StartsWithNoCase(text, prefix); });
}

int StringList::FindExact(int start, const CString& text) const
{
    return Search(start, [&](const CString& item) { return item.CompareNoCase(text) == 0; });
}

DWORD_PTR StringList::DataOf(int index) const
{
    return Valid(index) ? At(index).data : static_cast<DWORD_PTR>(-1);
}

int StringList::SetDataOf(int index, DWORD_PTR data)
{
    if (!Valid(index)) return -1;
    At(index).data = data;
    return 0;
}

int StringList::TextOf(int index, CString& text) const
{
    if (!Valid(index)) return -1;
    text = At(index).text;
    return text.GetLength();
}

int StringList::TextLengthOf(int index) const
{
    return Valid(index) ? At(index).text.GetLength() : -1;
}
