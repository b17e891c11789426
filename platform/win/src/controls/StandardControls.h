// Registration of the standard and common control classes with the window system.
#pragma once

// Registers "Static", "Button", "Edit", "ComboBox", "ListBox", "SysTabControl32" and
// "SysListView32" as global classes. The window system calls it once when it starts; calling it
// again does nothing.
void registerStandardControls();
