// Constants shared by the reader and the writer of macro files.
#pragma once

namespace trkx::macrofile {

inline constexpr const char* kFormat = "trk-macro";
inline constexpr int kVersion = 1;

} // namespace trkx::macrofile
