// The words that ask for more than the helpers in a rendered picture, the same on the
// command line and in scripts: "--labels [all|selected|none]" (all when no mode follows),
// "--links", and "--time SECONDS" (the lights' style glows as at that moment).
#pragma once
#include <string>
#include <vector>
#include "session/scene_picture.h"

// Takes the option at words[at] (and its mode or value) into options and moves at past
// it. False, with at unchanged, when words[at] is no such option, or (with error said) a
// time that is no number of seconds, 0 or more.
bool takePictureOption(const std::vector<std::string>& words, size_t& at, PictureOptions& options,
                       std::string& error);
