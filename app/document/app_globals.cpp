#include "app_globals.h"

#include "exchange_file.h"
#include "exchange_settings.h"
#include "file_cipher.h"
#include "history_record.h"
#include "level_files.h"
#include "new_room_dlg.h"
#include "object_sheet_state.h"
#include "object_type_catalog.h"
#include "program_version.h"
#include "room_floor.h"
#include "room_type_catalog.h"
#include "snapshot_journal.h"
#include "symbol_helpers.h"
#include "zup_globals.h"

void PelkResetAppGlobals()
{
    ResetExchangeTables();
    ResetExchangeSettings();
    ResetRoomTypeCatalog();
    ResetObjectTypeCatalog();
    ResetProgramVersion();
    // The application tag that start-up sets.
    ApplicationEdition() = L"Unknown";
    ResetLevelFiles();
    CFileCipher::ResetGlobals();
    ResetSymbolGlobals();
    ResetSnapshotJournal();
    ResetNewRoomDialog();
    ResetObjectSheetState();
    // The floor-plan library's reset covers the constraint library's too.
    ZupResetGlobals();
}
