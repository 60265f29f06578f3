// Holds the document's lock for one scope (a dialog's life, a load, a save);
// the journal thread skips its turn meanwhile.
#pragma once

#include "threads.h"

class DocumentLock {
public:
    explicit DocumentLock(CCriticalSection& lock) : mLock(lock) { mLock.Lock(); }
    ~DocumentLock() { mLock.Unlock(); }
    DocumentLock(const DocumentLock&) = delete;
    DocumentLock& operator=(const DocumentLock&) = delete;

private:
    CCriticalSection& mLock;
};
