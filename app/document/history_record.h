// The history of a level: one record per New, saying which edition and
// version of the program made it, when, and on whose device. Saved as the
// HISTORY block of the floor-plan file.
#pragma once

#include <vector>

#include "c_string.h"
#include "file_system.h"

class CXMLElement;

class CHistoryRecord {
public:
    CHistoryRecord() = default;
    // A record for now, with the given program version.
    explicit CHistoryRecord(const CString& version);

    // Attributes a, v, t and u; a missing one reads as empty.
    void Read(CXMLElement* node);
    // Appends the record's NODE element.
    void Write(CString& text) const;

    CString m_time;
    CString m_application;
    CString m_version;
    CString m_owner;
};

using CHistoryList = std::vector<CHistoryRecord>;

// "month/day/year hour:minute", nothing zero-padded.
CString FormatHistoryTime(const SYSTEMTIME& time);
// The edition name the records carry ("Unknown" until start-up sets it).
CString& ApplicationEdition();

void AddHistoryRecord(CHistoryList& list);
void ClearHistory(CHistoryList& list);
void WriteHistory(const CHistoryList& list, CString& text);
void ReadHistory(CHistoryList& list, CXMLElement* root);
// The device owner's name from the registry; empty when it is not there.
CString GetOwnerName();
