// The room types of the job, by name, and the job's level names; both come
// from the exchange file once per process.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "c_string.h"
#include "room_type.h"

class CXMLElement;
class ZupFloor;

class CRoomTypeCatalog {
public:
    CRoomTypeCatalog() = default;
    CRoomTypeCatalog(const CRoomTypeCatalog&) = delete;
    CRoomTypeCatalog& operator=(const CRoomTypeCatalog&) = delete;

    // The one catalog; made (empty) on the first request that may create it.
    static CRoomTypeCatalog* Instance(bool create);

    // Fills the types when there are none yet and the level list when it is
    // empty, so a second exchange file keeps the first job's catalog.
    void Load(CXMLElement* root);

    // Walks the types in name order; null past the last.
    CRoomType* First();
    CRoomType* Next();

    // The type a room name belongs to; with fallback the default room's type
    // when none is found.
    CRoomType* Find(const char* name, bool fallback = true);
    CRoomType* FindForFloor(const ZupFloor* floor);
    bool IsBath(const char* name);
    // The index-th selectable type (short-list types only, unless all); the
    // default room's type when there is no such type.
    CRoomType* GetByIndex(int index, bool all);
    void ResetCounters();

    int GetCount() const { return static_cast<int>(m_types.size()); }

private:
    using TypeMap = std::map<std::string, CRoomType>;

    void LoadTypes(CXMLElement* root);
    CRoomType* FindByName(const std::string& name);
    CRoomType* FindWithoutBlank(const std::string& name);
    // The default room name's type; else the first type, so that callers
    // with fallback always get one from a filled catalog.
    CRoomType* DefaultType();

    TypeMap m_types;
    TypeMap::iterator m_cursor = m_types.end();
};

// The job's level names in the exchange file's order.
std::vector<CString>& LevelList();
// The level's position in the level list (case ignored); 0 when absent.
int LevelIndex(const CString& level);

// Forgets the catalog and the level list (start of a new process state).
void ResetRoomTypeCatalog();
