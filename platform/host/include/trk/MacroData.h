// MacroData: the core's record of one placed connection macro, handed to the macro dialogs by
// copy and copied back on OK.
#pragma once

#include "trk/Trk_String.h"

class MacroData {
public:
    MacroData() = default;
    MacroData(const MacroData& other) = default;
    MacroData& operator=(const MacroData& other) = default;
    virtual ~MacroData();

    Trk_String name; // the macro's name
    // Set by the core while it updates the drawing from this record; a modeless dialog showing
    // the record must not close meanwhile.
    bool isBusy = false;
};
