// The question a host asks before changes would be lost: "Save changes to NAME?", with
// the buttons Save, Don't Save and Cancel.
#pragma once
#include <windows.h>
#include <string>

enum class SaveChoice { Save, DontSave, Cancel };

// A modal dialog owned by owner; Escape and the close box cancel.
SaveChoice askSaveChanges(HWND owner, const std::string& name);
