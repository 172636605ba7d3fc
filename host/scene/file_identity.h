// Whether two paths name one file, however they are spelled ("a.map", ".\a.map", a full
// path, another case): a command must not write its output over one of its inputs.
#pragma once
#include <string>

// True only when both exist and are the same file. A path that does not exist yet (a new
// output) is the same file as nothing.
bool sameFile(const std::string& a, const std::string& b);
