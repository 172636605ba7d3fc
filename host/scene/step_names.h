// The names of the undo steps, as Edit > Undo shows them ("Undo Move"): one list, so that a
// script and the window name the same action alike.
#pragma once
#include <string>

namespace StepName {
constexpr const char* CREATE = "Create";
constexpr const char* CLONE = "Clone";
constexpr const char* DELETE_NODES = "Delete";
constexpr const char* MOVE = "Move";
constexpr const char* RENAME = "Rename";
constexpr const char* FREEZE = "Freeze";
constexpr const char* UNFREEZE = "Unfreeze";
constexpr const char* HIDE = "Hide";
constexpr const char* UNHIDE = "Unhide";
constexpr const char* IMPORT = "Import";
constexpr const char* ADD_BOX_BRUSH = "Add Box Brush";
constexpr const char* CLEAR_BRUSHES = "Clear Brushes";
constexpr const char* RESIZE_BOX = "Resize Box";
constexpr const char* LINK = "Link";

// A page edit of one helper: "func_door edit" (what its classname, else its node, is called).
inline std::string pageEdit(const std::string& what) { return what + " edit"; }
// One change made on the pages of several helpers at once.
inline std::string severalHelpersEdit(size_t count) {
    return "Edit " + std::to_string(count) + " helpers";
}
}  // namespace StepName
