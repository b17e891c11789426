// Window procedures of the control classes, one per source file.
#pragma once

#include "win/wintypes.h"

namespace controls {

LRESULT staticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT buttonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT comboBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT listBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT tabControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT listViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace controls
