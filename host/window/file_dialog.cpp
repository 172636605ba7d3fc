#include "window/file_dialog.h"
#include <commdlg.h>

std::string askFileName(HWND owner, bool save, const FileDialog& dialog) {
    char file[MAX_PATH] = {};
    lstrcpynA(file, dialog.name.c_str(), sizeof file);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = dialog.filter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrDefExt = dialog.extension;
    ofn.lpstrTitle = dialog.title;
    ofn.lpstrInitialDir = dialog.folder.empty() ? nullptr : dialog.folder.c_str();
    // The host never opens a file read-only: the dialog does not offer it.
    ofn.Flags = save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    const BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    return ok ? file : "";
}
