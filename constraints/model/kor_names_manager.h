// Handles and names of a model's objects, and the process-wide counters of
// generated names.
#pragma once

#include <map>
#include <string>

#include "kor_types.h"

class KorObject;
class KorNamesManager;

// Names bound to handles, both ways.
class KorNameTable {
public:
    explicit KorNameTable(KorNamesManager* owner) : mpOwner(owner) {}

    KorHandle Find(const std::string& name) const;  // 0 when unbound
    const char* Find(KorHandle handle) const;       // null when unbound
    void Bind(const std::string& name, KorHandle handle);
    void ReleaseName(KorHandle handle);  // the handle's own name only
    void Clear();

    KorNamesManager* GetOwner() const { return mpOwner; }

private:
    std::map<std::string, KorHandle> mByName;
    std::map<KorHandle, std::string> mByHandle;
    KorNamesManager* mpOwner;
};

class KorNamesManager {
public:
    KorNamesManager();
    KorNamesManager(const KorNamesManager&) = delete;
    KorNamesManager& operator=(const KorNamesManager&) = delete;

    // Binds the next handle and a generated name of the object's type.
    KorHandle CreateObject(KorObject* object);
    KorHandle GetObjectHandle(const KorObject* object) const;
    KorObject* GetObjectAddress(KorHandle handle) const;
    bool RemoveObject(KorHandle handle);
    bool RemoveAddress(const KorObject* object);

    // handle 0: look-up by name; else binds the name to the handle.
    KorHandle GetObjectHandle(const std::string& name, KorHandle handle);
    KorHandle GetObjectHandle(const char* name) const;

    const char* GetName(KorHandle handle) const;
    const char* GetName(KorHandle handle, KOREntityType type);
    static const char* GetName(KOREntityType type);

    // The next generated name of the type (shared counter).
    static std::string newName(KOREntityType type);

    bool CreateOrdinal(const KorObject* object, int ordinal);
    int GetOrdinal(const KorObject* object) const;
    bool CreateSeg2LineEntry(const KorObject* object, int ordinal);
    int GetLineOrdinal(const KorObject* object) const;
    void CleanOrdinals();

    void init();
    KorHandle GetNextHandle() const { return mNextHandle; }

    // Command words indexed by KOREntityType.
    static const char* const TypePatterns[KOR_NUM_ENTITY_TYPES];
    // Generated-name counters, one per type, shared by every model.
    static long m_counters[KOR_NUM_ENTITY_TYPES];
    static void ResetCounters();

private:
    KorHandle mNextHandle = 1;
    unsigned mReserved = 0;
    // Look-ups only; nothing iterates the maps keyed by address.
    std::map<KorHandle, KorObject*> mByHandle;
    std::map<const KorObject*, KorHandle> mByObject;
    std::map<const KorObject*, int> mOrdinals;
    std::map<const KorObject*, int> mLineOrdinals;
    KorNameTable mNames;
};
