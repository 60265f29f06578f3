#include "kor_names_manager.h"

#include "kor_object.h"

const char* const KorNamesManager::TypePatterns[KOR_NUM_ENTITY_TYPES] = {
    "Empty",          "Coincident",         "Colinear",      "Parallel",
    "Vertical",       "Horizontal",         "Tangent",       "Concentric",
    "Distance",       "NSDistance",         "SSDistance",    "VerticalDistance",
    "HorizonatlDistance", "Radius",         "Angle",         "Unmovable",
    "Symmetry",       "Node",               "Segment",       "Circle",
    "Arc",            "Delete",             "Resolve",       "Value",
    "Perpendicular",  "LinearTracker",      "CircularTracker", "Weight",
    "Coincident",
};

long KorNamesManager::m_counters[KOR_NUM_ENTITY_TYPES] = {};

// ---- KorNameTable ----

KorHandle KorNameTable::Find(const std::string& name) const
{
    auto it = mByName.find(name);
    return it == mByName.end() ? 0 : it->second;
}

const char* KorNameTable::Find(KorHandle handle) const
{
    auto it = mByHandle.find(handle);
    return it == mByHandle.end() ? nullptr : it->second.c_str();
}

void KorNameTable::Bind(const std::string& name, KorHandle handle)
{
    mByName[name] = handle;
    mByHandle[handle] = name;
}

void KorNameTable::ReleaseName(KorHandle handle)
{
    auto it = mByHandle.find(handle);
    if (it == mByHandle.end())
        return;
    auto named = mByName.find(it->second);
    if (named != mByName.end() && named->second == handle)
        mByName.erase(named);
    mByHandle.erase(it);
}

void KorNameTable::Clear()
{
    mByName.clear();
    mByHandle.clear();
}

// ---- KorNamesManager ----

KorNamesManager::KorNamesManager() : mNames(this) {}

void KorNamesManager::ResetCounters()
{
    for (long& counter : m_counters)
        counter = 0;
}

KorHandle KorNamesManager::CreateObject(KorObject* object)
{
    const KorHandle handle = mNextHandle;
    mByHandle[handle] = object;
    mByObject[object] = handle;
    GetName(handle, object->GetType());
    ++mNextHandle;
    return handle;
}

KorHandle KorNamesManager::GetObjectHandle(const KorObject* object) const
{
    auto it = mByObject.find(object);
    return it == mByObject.end() ? 0 : it->second;
}

KorObject* KorNamesManager::GetObjectAddress(KorHandle handle) const
{
    auto it = mByHandle.find(handle);
    return it == mByHandle.end() ? nullptr : it->second;
}

bool KorNamesManager::RemoveObject(KorHandle handle)
{
    auto it = mByHandle.find(handle);
    if (it == mByHandle.end())
        return false;
    mByObject.erase(it->second);
    mByHandle.erase(it);
    return true;
}

bool KorNamesManager::RemoveAddress(const KorObject* object)
{
    auto it = mByObject.find(object);
    if (it == mByObject.end())
        return false;
    mByHandle.erase(it->second);
    mByObject.erase(it);
    return true;
}

KorHandle KorNamesManager::GetObjectHandle(const std::string& name, KorHandle handle)
{
    const KorHandle holder = mNames.Find(name);
    if (handle == 0 || holder == handle)
        return holder;
    const bool hasName = mNames.Find(handle) != nullptr;
    // A first name must be free.
    if (!hasName && holder != 0)
        return 0;
    // Renaming: the handle gives up its old name and takes the new one; a
    // previous holder keeps writing the name, but look-ups now answer this
    // handle (replaying a text that names two objects alike binds the name
    // to the later one).
    mNames.ReleaseName(handle);
    mNames.Bind(name, handle);
    return handle;
}

KorHandle KorNamesManager::GetObjectHandle(const char* name) const
{
    return name ? mNames.Find(std::string(name)) : 0;
}

const char* KorNamesManager::GetName(KorHandle handle) const
{
    return mNames.Find(handle);
}

const char* KorNamesManager::GetName(KorHandle handle, KOREntityType type)
{
    if (const char* bound = mNames.Find(handle))
        return bound;
    std::string name = newName(type);
    while (mNames.Find(name) != 0)
        name = newName(type);
    mNames.Bind(name, handle);
    return mNames.Find(handle);
}

const char* KorNamesManager::GetName(KOREntityType type)
{
    if (type < 0 || type >= KOR_NUM_ENTITY_TYPES)
        return nullptr;
    return TypePatterns[type];
}

std::string KorNamesManager::newName(KOREntityType type)
{
    if (type < 0 || type >= KOR_NUM_ENTITY_TYPES)
        type = KOR_EMPTY;
    const long number = ++m_counters[type];
    const std::string word = TypePatterns[type];
    const bool shortPrefix = type >= KOR_DISTANCE && type <= KOR_ANGLE;
    return word.substr(0, shortPrefix ? 1 : 3) + std::to_string(number);
}

bool KorNamesManager::CreateOrdinal(const KorObject* object, int ordinal)
{
    return mOrdinals.emplace(object, ordinal).second;
}

int KorNamesManager::GetOrdinal(const KorObject* object) const
{
    auto it = mOrdinals.find(object);
    return it == mOrdinals.end() ? 0 : it->second;
}

bool KorNamesManager::CreateSeg2LineEntry(const KorObject* object, int ordinal)
{
    return mLineOrdinals.emplace(object, ordinal).second;
}

int KorNamesManager::GetLineOrdinal(const KorObject* object) const
{
    auto it = mLineOrdinals.find(object);
    return it == mLineOrdinals.end() ? 0 : it->second;
}

void KorNamesManager::CleanOrdinals()
{
    mOrdinals.clear();
    mLineOrdinals.clear();
}

void KorNamesManager::init()
{
    ResetCounters();
    mByHandle.clear();
    mByObject.clear();
    mOrdinals.clear();
    mLineOrdinals.clear();
    mNames.Clear();
    mNextHandle = 1;
}
