// Trk_StringArray: ordered texts, with searches that take the framework's case flag
// (true = exact, false = ignoring letter case).
#pragma once

#include "trk/Trk_Array.h"
#include "trk/Trk_String.h"

class Trk_StringArray : public Trk_Array<Trk_String> {
public:
    using Trk_Array<Trk_String>::Trk_Array;
    Trk_StringArray() = default;
    Trk_StringArray(const Trk_Array<Trk_String>& other) : Trk_Array<Trk_String>(other) {}

    // Index of the first text equal to `text` at or after `start`, or -1.
    int find(const Trk_String& text, bool caseSensitive = true, int start = 0) const;
    bool contains(const Trk_String& text, bool caseSensitive = true) const;
    // Sorts in place, case-insensitively with numbers in natural order (see ObjectExportSort).
    void sort();
};
