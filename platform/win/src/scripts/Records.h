// Recording of what the headless platform showed, and of problems met while driving it.
#pragma once

#include "win/winx_script.h"

namespace winx::records {

void problem(std::wstring text);
void messageBox(MessageBoxRecord record);
void fileDialog(FileDialogRecord record);
void menu(MenuRecord record);
void unattended(UnattendedRecord record);

} // namespace winx::records
