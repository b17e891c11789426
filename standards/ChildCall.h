// The pieces of a child call: a calculation line holding CallChild("file", Var1, Var2, ...)
// runs another standards spreadsheet on copies of the caller's variables.
#pragma once

#include "trk/Trk_String.h"
#include "trk/Trk_StringArray.h"

// The keyword that makes a calculation line a child call.
inline constexpr const wchar_t* kCallChild = L"CallChild";

// The child file name (one leading and one trailing double quote removed) and the variable
// names of a child call. False when "CallChild", the "(" after it or the ")" after that is
// missing, or when the parentheses hold fewer than two comma-separated parts. Nested
// parentheses are not supported.
bool parseChildCall(const Trk_String& expression, Trk_String& childName,
                    Trk_StringArray& variableNames);

// The first existing file among: the name itself; the caller's folder + the name (without a
// leading backslash); the library's "Connection Standards\\", "...\\Childs\\", "...\\Data\\"
// and "...\\Parents\\" folders + the name. Otherwise the name itself, which does not exist.
Trk_String resolveChildPath(const Trk_String& childName, const Trk_String& callerPath);
