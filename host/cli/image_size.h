// The size of a rendered picture as the command line and scripts write it: "WIDTHxHEIGHT".
#pragma once
#include <string>

// Strict: two whole numbers joined by 'x', nothing else, each from 16 to 8192.
bool parseImageSize(const std::string& word, int& width, int& height);
// What is wrong with a word parseImageSize refused.
std::string imageSizeError(const std::string& word);
