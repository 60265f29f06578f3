// The item list behind list boxes and combo boxes: texts with item data,
// optionally kept sorted, and the prefix and exact searches.
#pragma once

#include <cstdint>
#include <vector>

#include "c_string.h"

// Item data of list and combo boxes (pointer sized).
using DWORD_PTR = std::uintptr_t;

constexpr int LB_ERR = -1;
constexpr int LB_OKAY = 0;
constexpr int CB_ERR = -1;
constexpr int CB_OKAY = 0;

class StringList {
public:
    struct Item {
        CString text;
        DWORD_PTR data = 0;
    };

    explicit StringList(bool sorted = false) : m_sorted(sorted) {}
    void SetSorted(bool sorted) { m_sorted = sorted; }

    int Count() const { return static_cast<int>(m_items.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    // Sorted lists insert before the first greater text (case ignored);
    // others append. Returns the index.
    int Add(const CString& text);
    // At index (-1: the end); -1 when the index lies beyond the end.
    int Insert(int index, const CString& text);
    // The count left, or -1 for a bad index.
    int Delete(int index);
    void Clear() { m_items.clear(); }
    const Item& At(int index) const { return m_items[static_cast<size_t>(index)]; }
    Item& At(int index) { return m_items[static_cast<size_t>(index)]; }
    // Search after index start (-1: from the first item) to the end and
    // then from the beginning; case ignored. -1 when nothing matches.
    int FindPrefix(int start, const CString& prefix) const;
    int FindExact(int start, const CString& text) const;

    // The controls' answers: -1 (LB_ERR, CB_ERR) for a bad index.
    DWORD_PTR DataOf(int index) const;
    int SetDataOf(int index, DWORD_PTR data);
    int TextOf(int index, CString& text) const;
    int TextLengthOf(int index) const;

private:
    template <typename Match>
    int Search(int start, Match match) const;

    bool m_sorted;
    std::vector<Item> m_items;
};
