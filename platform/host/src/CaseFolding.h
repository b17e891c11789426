// Simple one-to-one letter case mapping for the scripts the application's texts use: Latin
// (ASCII, Latin-1, Latin Extended-A, ƒ), Greek and Cyrillic. Other characters map to themselves.
#pragma once

namespace trkx {

wchar_t toLowerChar(wchar_t c);
wchar_t toUpperChar(wchar_t c);

} // namespace trkx
