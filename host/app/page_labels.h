// What a user can address on a parameter page: the labels it shows, and the unlabelled
// edit cells of a grid (the key/value pairs), named "Key 1".."Key 8" (left column) and
// "Value 1".."Value 8" (right column), top down.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Every label of the page that names a control, in template order, cells last.
std::vector<std::string> pageLabels(HWND page);

// The cell of the page named "Key N" or "Value N" (case ignored), or null.
HWND findPageCell(HWND page, const std::string& name);
