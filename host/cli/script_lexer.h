// Splits one line of a host script into words: blanks separate words, double quotes
// group a word that holds blanks, '#' outside quotes starts a comment.
#pragma once
#include <string>
#include <vector>

struct ScriptLine {
    int number = 0;
    std::vector<std::string> words;
};

// False with a message when a quote is not closed.
bool splitScriptLine(const std::string& text, std::vector<std::string>& words, std::string& error);

// Strict number parsing: the whole word must be the number.
bool parseFloatWord(const std::string& word, float& value);
bool parseIntWord(const std::string& word, int& value);
