// The dialog-side records of a macro: one tab per module group, with the bolt counts of its
// patterns, its bolt data and the properties of its section groups. MacroData holds the tabs.
#pragma once

#include "trk/ErrorStatus.h"
#include "trk/Trk_Array.h"
#include "trk/Trk_String.h"

// The counts of a bolt pattern, per direction, as texts ("3", or "" when the pattern has no
// second direction).
class MacroPatternProps {
public:
    virtual ~MacroPatternProps() = default;

    // The count of one direction (0 first, 1 second) as a number; -1 when the text is empty or
    // not a whole number.
    int getCount(int direction) const;

    Trk_String name;
    Trk_String nrBolts[2];
};

// The bolt data of a tab, five texts.
class MacroBoltData {
public:
    virtual ~MacroBoltData() = default;

    Trk_String assembly;    // bolt assembly name
    Trk_String diameter;    // nominal diameter, mm
    Trk_String holeOffset;  // hole clearance over the diameter, mm
    Trk_String grade;       // property class
    Trk_String extraLength; // length added to the clamped thickness, mm
};

// The properties of one member of a section group ("merged" over several members: a field
// that differs between them is empty).
class MacroProfData {
public:
    virtual ~MacroProfData() = default;

    Trk_String groupName;
    Trk_String memberName;
    Trk_String sectionName;
    Trk_String material;
};

class MacroTabData {
public:
    virtual ~MacroTabData() = default;

    // The pattern of that name (exact), or null; valid until the pattern list changes.
    MacroPatternProps* findPattern(const Trk_String& name);

    int kind = 0;          // 0 general, 1 bolts, 2 sections, 3 other
    Trk_String name;       // the tab's name: the module group it shows (or the module's name)
    Trk_String dialogFile; // designed dialog shown on the tab
    Trk_Array<MacroPatternProps> patterns;
    bool hasBoltData = false;
    MacroBoltData boltData;
    Trk_Array<MacroProfData> profGroups;
};

// The counts of pattern `name` of a tab, first or second direction, read into or written from
// `value`. eInvalidInput without tab or pattern, when a set gives a text that is not a count
// of at least 1, or when it sets the second count of a pattern that has none (an empty text).
ErrorStatus getSetNrBolts(MacroTabData* tab, const Trk_String& name, Trk_String& value, bool get,
                          bool firstDirection);
