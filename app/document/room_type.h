// A room type of the job (Hall, Bedroom, Bath ...): the default size of a new
// room, how its label shows, the numbering of its room names and whether it
// counts as a bath, a deck or a garage.
#pragma once

#include <string>

class CXMLElement;

class CRoomType {
public:
    // A type with the defaults an exchange-file category starts from.
    CRoomType() = default;
    // A type from a QXR_ROOM_CATEGORY element; without a name nothing else
    // is read.
    explicit CRoomType(CXMLElement* element);
    // The one type of a job whose exchange file names no category.
    static CRoomType MakeFallback(const std::string& name);

    // The type name followed by the next number (1 for the first room).
    std::string GetNextName();
    // Keeps the number at the end of a loaded room's name from being handed
    // out again; returns the counter.
    int NoteName(const char* name);
    bool IsGarage() const;
    bool IsLivingArea() const { return m_inside && !IsGarage(); }
    bool HasShortName() const { return !m_shortName.empty(); }

    std::string m_name;
    std::string m_shortName;
    int m_defaultDepth = 0;
    int m_defaultWidth = 0;
    bool m_areaShown = true;
    bool m_sizeShown = true;
    bool m_nameShown = true;
    bool m_transparent = false;
    bool m_inside = true;
    bool m_shortList = false;
    bool m_dropSize = true;
    bool m_room = false;
    bool m_selectable = true;
    bool m_deck = false;
    bool m_bath = false;
    int m_nameCounter = 0;
    int m_reserved = -1;

private:
    void ReadSize(const char* size, const char* ratio);
    void ReadDisplayFlags(CXMLElement* element);
    void ReadKindFlags(CXMLElement* element);
};

// A room's name without leading blanks, its number and the blanks before
// the number; the default room name when nothing is left.
std::string TrimRoomName(const char* name);
