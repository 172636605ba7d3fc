// The words that ask for labels and links in a rendered picture, the same on the command
// line and in scripts: "--labels [all|selected|none]" (all when no mode follows) and
// "--links".
#pragma once
#include <string>
#include <vector>
#include "render/entity_overlay.h"

// Takes the option at words[at] (and its mode, when one follows) into options and moves
// at past it. False, with at unchanged, when words[at] is no overlay option.
bool takeOverlayOption(const std::vector<std::string>& words, size_t& at, OverlayOptions& options);
