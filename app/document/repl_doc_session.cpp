// The document's session commands: a new level from the New Session dialog
// or the level rebuilt from the journal, undo and redo through the journal,
// and the Options dialog.
#include "edit_mode.h"
#include "level_files.h"
#include "new_session_dlg.h"
#include "options_dlg.h"
#include "repl_doc.h"
#include "room_floor.h"
#include "system_services.h"
#include "zup_camera.h"

namespace {

// Dimensions shorter than this are hidden with Hide Zero Dimensions.
constexpr float kZeroDimensionLength = 2.0f;

void ApplyHideZeroDimensions(CReplDoc& document, bool hide)
{
    document.m_hideZeroDimensions = hide;
    if (!document.m_currentRoom)
        return;
    if (hide)
        document.m_currentRoom->HideZeroDimensions(false, kZeroDimensionLength);
    else
        document.m_currentRoom->ShowHiddenDimensions();
}

void ApplyHalfInches(CReplDoc& document, bool on)
{
    document.m_halfInches = on;
    if (CEditMode* mode = document.GetEditMode())
        mode->Refresh();
}

// A room being edited is entered again under the new setting.
void ApplyBottomEntrance(CReplDoc& document)
{
    document.m_bottomEntrance = !document.m_bottomEntrance;
    if (!document.m_roomView)
        return;
    document.m_roomView = false;
    document.OnViewChange();
    // A room the view change turns down (one without dimensions) stays
    // edited as it was.
    if (!document.m_roomView)
        document.m_roomView = true;
}

void ApplyOptions(CReplDoc& document, const COptionsDlg& dialog)
{
    document.m_showRooms = dialog.m_rooms != 0;
    document.m_showNames = dialog.m_names != 0;
    document.m_showAreas = dialog.m_areas != 0;
    document.m_showObjects = dialog.m_objects != 0;
    document.m_dimsAll = dialog.m_dimsAll != 0;
    document.m_dimsActive = dialog.m_dimsActive != 0;
    document.m_dimsUnlocked = dialog.m_dimsUnlocked != 0;
    if ((dialog.m_hideZeroDimensions != 0) != document.m_hideZeroDimensions)
        ApplyHideZeroDimensions(document, !document.m_hideZeroDimensions);
    if ((dialog.m_imperialDimensions != 0) != document.m_halfInches)
        ApplyHalfInches(document, !document.m_halfInches);
    if ((dialog.m_smartWalls != 0) != document.m_smartWalls)
        document.EnableRules(dialog.m_smartWalls != 0);
    if ((dialog.m_bottomEntrance != 0) != document.m_bottomEntrance)
        ApplyBottomEntrance(document);
}

}  // namespace

void CReplDoc::StartNewSession(const CNewSessionDlg& dialog)
{
    const CString oldStreet = m_street;
    const CString oldHouse = m_house;
    const CString oldLevel = m_level;
    const CString oldUnit = m_unit;
    // The journal's worker stays away while the rooms are replaced.
    m_lock.Lock();
    ClearLevel();
    m_street = dialog.m_street;
    m_house = dialog.m_house;
    m_zip = dialog.m_zip;
    m_level = dialog.m_level;
    m_orientation = dialog.m_orientation;
    m_jobId = dialog.m_jobId;
    SetUnitField(dialog.m_number);
    MakeFileBase();
    NextFileNumber();
    const bool sameHouse = m_street == oldStreet && m_house == oldHouse && m_unit == oldUnit;
    if (!sameHouse) {
        ZupCamera::ResetNamesCount();
        LevelFileMap().clear();
        RebuildLevelsMenu();
    } else if (m_level == oldLevel) {
        ZupCamera::ResetNamesCount();
    }
    AddHistoryRecord(m_history);
    m_entrance = m_defaultEntrance.get();
    m_journal.Start();
    m_journal.ClearFolder();
    NewRoom();
    m_lock.Unlock();
    UpdateAllViews(nullptr);
}

void CReplDoc::RestoreFromJournal()
{
    // A refused recovery leaves the level as it was; a document without
    // rooms still gets one to draw.
    const bool recovered = m_journal.Recover();
    if (recovered) {
        // The restored level is saved under its own house, street and level,
        // and is in no file yet: New and Exit ask before it goes.
        MakeFileBase();
        NextFileNumber();
        SetAllModified(true);
    } else if (m_rooms.empty()) {
        ResetLevel();
    }
    m_journal.Start();
    // The folder is the only copy of the restored level: it is brought up to
    // date in place (rooms renamed while reading get their files), never
    // emptied first.
    if (recovered)
        m_journal.WriteAll(false);
    UpdateAllViews(nullptr);
}

void CReplDoc::OnUndo()
{
    if (m_journal.Undo())
        UpdateAllViews(nullptr);
    else
        MessageBeep(MB_ICONEXCLAMATION);
}

void CReplDoc::OnRedo()
{
    if (m_journal.Redo())
        UpdateAllViews(nullptr);
    else
        MessageBeep(MB_ICONEXCLAMATION);
}

void CReplDoc::OnOptions()
{
    COptionsDlg dialog(m_showAreas, m_showNames, m_showRooms, m_showObjects, m_dimsAll,
                       m_dimsActive, m_dimsUnlocked, m_hideZeroDimensions, m_halfInches,
                       m_smartWalls, m_bottomEntrance);
    // Whatever the end, the dialog gives back its values; after Cancel they
    // are the ones it was given.
    dialog.DoModal();
    ApplyOptions(*this, dialog);
    UpdateAllViews(nullptr);
}
