// EditConstrData: the core's record of a connection macro being defined, shown and edited by
// the constraints editor.
#pragma once

#include "trk/Trk_String.h"

class EditConstrData {
public:
    EditConstrData() = default;
    EditConstrData(const EditConstrData& other) = default;
    EditConstrData& operator=(const EditConstrData& other) = default;
    virtual ~EditConstrData();

    Trk_String macroName; // the macro being defined
};
