// A view that asks, at every update the document sends, whether the
// journal's worker could take the document's lock just then.
#pragma once

#include <thread>

#include "c_view.h"
#include "repl_doc.h"

class LockProbeView : public CView {
public:
    explicit LockProbeView(CReplDoc* document) : m_document(document) {}
    void OnDraw(CDC*) override {}
    void OnUpdate(CView*, LPARAM, CCmdTarget*) override
    {
        bool free = false;
        std::thread worker([&] {
            free = TryEnterCriticalSection(m_document->m_lock) != FALSE;
            if (free)
                LeaveCriticalSection(m_document->m_lock);
        });
        worker.join();
        ++updates;
        unlockedUpdates += free ? 1 : 0;
    }
    int updates = 0;
    int unlockedUpdates = 0;

private:
    CReplDoc* m_document;
};
