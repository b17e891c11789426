// Split, join and inspection functions of the framework. Case flags: true = exact, false =
// ignoring letter case.
#pragma once

#include "trk/ErrorStatus.h"
#include "trk/Trk_Array.h"
#include "trk/Trk_StringArray.h"

// Splits at every occurrence of `separator`, keeping empty parts. An empty text gives an empty
// list, so arrToStr(strToArr(t, s), s) == t for every t; an empty separator gives the whole text.
Trk_StringArray strToArr(const Trk_String& text, const Trk_String& separator);
// Joins the texts with `separator` between them.
Trk_String arrToStr(const Trk_StringArray& texts, const Trk_String& separator);

// Splits at any of the characters in `delimiters`, dropping empty parts (token split: "a  b"
// with delimiter " " gives "a", "b"). Returns the number of parts.
int splitString(const Trk_String& text, const Trk_String& delimiters, Trk_StringArray& parts);

// Splits at every occurrence of `symbol`, keeping empty parts; with trimBlanks each part loses
// the blanks around it. With maxParts > 0 the text is split into at most that many parts, the
// last one holding the rest (maxParts 2 splits at the first occurrence). A text without the
// symbol gives one part; an empty text one empty part. eInvalidInput for an empty symbol
// (parts then hold the whole text).
ErrorStatus splitStringAtSymbol(const Trk_String& text, const Trk_String& symbol,
                                Trk_StringArray& parts, bool trimBlanks, int maxParts = 0);

// The text after / before `symbol`: at its first occurrence when firstOccurrence is true, at its
// last otherwise. False, with `result` unchanged, when the symbol does not occur (or is empty).
bool getSubstrAfter(const Trk_String& text, const Trk_String& symbol, Trk_String& result,
                    bool firstOccurrence = true);
bool getSubstrBefore(const Trk_String& text, const Trk_String& symbol, Trk_String& result,
                     bool firstOccurrence = true);

// True when some text occurs more than once.
bool hasDuplicates(const Trk_StringArray& texts, bool caseSensitive);
// The same; `repeated` receives each repeated text once, in order of first repetition.
bool hasDuplicates(const Trk_StringArray& texts, Trk_StringArray& repeated, bool caseSensitive);
// Indices (ascending) of the texts that repeat an earlier text; the first of each stays out.
void getDuplicates(const Trk_StringArray& texts, Trk_Array<int>& indices, bool caseSensitive);

// True when the whole text (blanks around allowed) is a decimal number: optional sign, digits
// with at most one ".", at least one digit, optional exponent ("1e-3").
bool isNumber(const Trk_String& text);
// Position of the first decimal digit in the text, or -1.
int findFirstNumber(const Trk_String& text);

// True when the text holds a character that no file name may hold: \ / : * ? " < > | or a
// control character.
bool hasInvalidFileNameChars(const Trk_String& text);

// A text that is not among `taken` (compared ignoring case, as file names on the original
// platform): the proposal itself when free; otherwise the proposal's trailing number counted up
// ("Stock3" → "Stock4", ...), or 1, 2, ... appended when it ends in no number ("Groep" → "Groep1").
Trk_String getUniqueName(const Trk_StringArray& taken, const Trk_String& proposal);

// A random text of `length` characters: letters and digits, or only upper-case letters and
// digits when upperCaseOnly is set. eInvalidInput (text unchanged) for a length below 1.
ErrorStatus generateRandomString(int length, Trk_String& text, bool upperCaseOnly);
