// The fixed names the object sheets offer: door kinds, opening actions and
// positions, object categories and their subtypes. Identifiers are the
// values the objects store; the names show them back to the user. Indexes
// and keys outside the tables answer 0 or null.
#pragma once

#include "win_types.h"

class CObjectTypeCatalog {
public:
    // The catalog's marker, made on the first call that may create it. The
    // tables themselves are constant and answer even before that.
    static CObjectTypeCatalog* Load(bool create);

    static int GetDoorKindCount();
    static LPCTSTR GetDoorKindName(int index);

    static int GetCategoryCount();
    static int GetCategoryId(int index);
    // The index of the category with that identifier; 0 when absent.
    static int FindCategory(int id);
    // Null for a category without a name of its own.
    static LPCTSTR GetCategoryName(int index);

    static int GetSubtypeCount(int category);
    static LPCTSTR GetSubtypeName(int category, int index);
    static int GetSubtypeId(int category, int index);
    // The index of the subtype with that identifier; 0 when absent.
    static int FindSubtype(int category, int id);

    static LPCTSTR GetActionName(int key);
    static LPCTSTR GetPositionName(int key);

    // The keys an opening of that kind offers and their count; 0 and a null
    // table for kinds that offer none.
    static int GetActionChoices(int kind, const int*& table);
    static int GetPositionChoices(int kind, const int*& table);
};

// Forgets the marker.
void ResetObjectTypeCatalog();
