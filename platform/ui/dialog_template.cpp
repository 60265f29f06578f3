#include "dialog_template.h"

#include <map>
#include <mutex>
#include <set>

namespace {

struct Tables {
    std::mutex mutex;
    std::map<UINT, DialogTemplate> dialogs;
    std::map<UINT, std::vector<MenuTemplateItem>> menus;
};

Tables& TheTables()
{
    static Tables tables;
    return tables;
}

}  // namespace

BOOL RegisterDialogTemplate(DialogTemplate dialogTemplate)
{
    std::set<UINT> ids;
    for (const DialogItem& item : dialogTemplate.items)
        if (item.id != 0 && item.id != static_cast<UINT>(-1) && !ids.insert(item.id).second) return FALSE;
    Tables& tables = TheTables();
    std::lock_guard lock(tables.mutex);
    const UINT id = dialogTemplate.id;
    tables.dialogs[id] = std::move(dialogTemplate);
    return TRUE;
}

const DialogTemplate* FindDialogTemplate(UINT id)
{
    Tables& tables = TheTables();
    std::lock_guard lock(tables.mutex);
    auto found = tables.dialogs.find(id);
    return found == tables.dialogs.end() ? nullptr : &found->second;
}

void RegisterMenuTemplate(UINT id, std::vector<MenuTemplateItem> items)
{
    Tables& tables = TheTables();
    std::lock_guard lock(tables.mutex);
    tables.menus[id] = std::move(items);
}

const std::vector<MenuTemplateItem>* FindMenuTemplate(UINT id)
{
    Tables& tables = TheTables();
    std::lock_guard lock(tables.mutex);
    auto found = tables.menus.find(id);
    return found == tables.menus.end() ? nullptr : &found->second;
}
