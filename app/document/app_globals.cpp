#include "app_globals.h"

#include "exchange_file.h"
#include "exchange_settings.h"
#include "object_type_catalog.h"
#include "program_version.h"
#include "room_type_catalog.h"
#include "zup_globals.h"

void PelkResetAppGlobals()
{
    ResetExchangeTables();
    ResetExchangeSettings();
    ResetRoomTypeCatalog();
    ResetObjectTypeCatalog();
    ResetProgramVersion();
    // The floor-plan library's reset covers the constraint library's too.
    ZupResetGlobals();
}
