// Command and window ids the framework itself uses.
#pragma once

#include <cstdint>
#include <vector>

#include "win_types.h"

constexpr UINT ID_FILE_NEW = 0xE100;       // 57600
constexpr UINT ID_FILE_OPEN = 0xE101;      // 57601
constexpr UINT ID_FILE_CLOSE = 0xE102;
constexpr UINT ID_FILE_SAVE = 0xE103;      // 57603
constexpr UINT ID_FILE_SAVE_AS = 0xE104;
constexpr UINT ID_FILE_MRU_FILE1 = 0xE110;
constexpr UINT ID_APP_ABOUT = 0xE140;      // 57664
constexpr UINT ID_APP_EXIT = 0xE141;       // 57665
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;   // 59392, the command bar
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;
constexpr UINT AFX_IDS_APP_TITLE = 0xE000;

// Hints and positions for iterating the framework's lists.
struct PositionTag;
using POSITION = PositionTag*;

// Positions in a framework list are the index plus one; null ends a walk.
template <typename T>
POSITION FirstPosition(const std::vector<T*>& list) {
    return list.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(1));
}

template <typename T>
T* NextAtPosition(const std::vector<T*>& list, POSITION& position) {
    const auto index = reinterpret_cast<std::uintptr_t>(position) - 1;
    if (position == nullptr || index >= list.size()) {
        position = nullptr;
        return nullptr;
    }
    position = index + 1 < list.size() ? reinterpret_cast<POSITION>(index + 2) : nullptr;
    return list[index];
}
