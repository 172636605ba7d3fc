// The common open and save dialogs, as the host's menus ask for a file.
#pragma once
#include <windows.h>
#include <string>

struct FileDialog {
    const char* filter;           // "Map text (*.map)\0*.map\0All files\0*.*\0"
    const char* extension;        // added to a name typed without one
    std::string folder;           // where the dialog starts; empty: the system's choice
    std::string name;             // the name it offers
    const char* title = nullptr;  // the dialog's caption; null: the system's "Open" or "Save As"
};

// The chosen path, or "" when the user cancelled. A save asks before overwriting; an open
// takes only a file that exists.
std::string askFileName(HWND owner, bool save, const FileDialog& dialog);
