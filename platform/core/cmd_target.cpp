#include "cmd_target.h"

#include <atomic>

#include "backend.h"

namespace {

std::atomic<int>& WaitDepth() {
    static std::atomic<int> depth{0};
    return depth;
}

}  // namespace

BOOL CCmdTarget::OnCmdMsg(UINT id, UINT code, CCmdUI* ui) { return HandleOwnCommand(id, code, ui); }

BOOL CCmdTarget::HandleOwnCommand(UINT id, UINT code, CCmdUI* ui) {
    if (ui != nullptr) {
        const auto it = m_updates.find(id);
        if (it == m_updates.end()) return FALSE;
        it->second(ui);
        ui->m_handled = true;
        return TRUE;
    }
    if (const auto ex = m_commandsEx.find(id); ex != m_commandsEx.end() && code == BN_CLICKED) {
        if (ex->second(id)) return TRUE;
    }
    if (const auto it = m_commands.find(Key(id, code)); it != m_commands.end()) {
        it->second(id);
        return TRUE;
    }
    if (code == BN_CLICKED) {
        for (const Range& range : m_ranges) {
            if (id >= range.first && id <= range.last) {
                range.handler(id);
                return TRUE;
            }
        }
    }
    return FALSE;
}

void CCmdTarget::BeginWaitCursor() {
    if (WaitDepth()++ == 0) PlatformBackend().SetWaitCursor(true);
}

void CCmdTarget::EndWaitCursor() {
    if (WaitDepth() > 0 && --WaitDepth() == 0) PlatformBackend().SetWaitCursor(false);
}

void CCmdTarget::RestoreWaitCursor() {
    if (WaitDepth() > 0) PlatformBackend().SetWaitCursor(true);
}
