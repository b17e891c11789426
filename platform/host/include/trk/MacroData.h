// MacroData: the core's record of one placed connection macro, handed to the macro dialogs by
// copy and copied back on OK.
#pragma once

#include "trk/ErrorStatus.h"
#include "trk/MacroTabData.h"
#include "trk/Trk_Array.h"
#include "trk/Trk_String.h"

class MacroData {
public:
    MacroData() = default;
    MacroData(const MacroData& other) = default;
    MacroData& operator=(const MacroData& other) = default;
    virtual ~MacroData();

    // The index of the tab named `name` (exact); eInvalidInput when there is none.
    ErrorStatus findTab(const Trk_String& name, int& index) const;
    // The tab at index, or null; valid until the tab list changes (an added tab may move all).
    MacroTabData* getTab(int index);
    const MacroTabData* getTab(int index) const;

    // The properties of section group `group` over its members (only member `memberName` when
    // that is not empty); fields that differ between members are empty. eInvalidInput when no
    // member matches.
    ErrorStatus getMergedPropsOfGroup(const Trk_String& group, const Trk_String& memberName,
                                      MacroProfData& props) const;
    // Writes the non-empty fields of `props` (member name, section, material) into every
    // matching member; eInvalidInput when none matches.
    ErrorStatus setMergedPropsOfGroup(const Trk_String& group, const Trk_String& memberName,
                                      const MacroProfData& props);

    Trk_String name; // the macro's name
    // Set by the core while it updates the drawing from this record; a modeless dialog showing
    // the record must not close meanwhile.
    bool isBusy = false;
    Trk_Array<MacroTabData> tabs;
};
