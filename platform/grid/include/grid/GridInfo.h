// Identity of the grid control: its window class and the version of its file format.
#pragma once

namespace gridx {

// The window class every grid window is created with.
const wchar_t* windowClassName();

} // namespace gridx
