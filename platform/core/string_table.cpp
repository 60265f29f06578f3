#include "string_table.h"

#include <map>
#include <mutex>
#include <string>

namespace {

std::mutex& TableMutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<UINT, std::wstring>& Table() {
    static std::map<UINT, std::wstring> table;
    return table;
}

}  // namespace

void RegisterStrings(std::initializer_list<std::pair<UINT, const wchar_t*>> strings) {
    std::lock_guard lock(TableMutex());
    for (const auto& [id, text] : strings) Table()[id] = text;
}

const wchar_t* FindString(UINT id) {
    std::lock_guard lock(TableMutex());
    const auto it = Table().find(id);
    return it == Table().end() ? nullptr : it->second.c_str();
}
