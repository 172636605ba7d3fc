#include "cli/picture_options.h"
#include "number_text.h"
#include <cmath>
#include <cstdlib>

namespace {

bool parseLabelMode(const std::string& word, LabelMode& mode) {
    const struct {
        const char* word;
        LabelMode mode;
    } modes[] = {
        {"all", LabelMode::All}, {"selected", LabelMode::Selected}, {"none", LabelMode::None}};
    for (const auto& m : modes)
        if (word == m.word) {
            mode = m.mode;
            return true;
        }
    return false;
}

bool parseSeconds(const std::string& word, double& seconds) {
    char* end = nullptr;
    seconds = std::strtod(word.c_str(), &end);
    return !word.empty() && *end == '\0' && std::isfinite(seconds) && seconds >= 0;
}

bool takeTime(const std::vector<std::string>& words, size_t& at, PictureOptions& options,
              std::string& error) {
    double seconds = 0;
    if (at + 1 >= words.size() || !parseSeconds(words[at + 1], seconds)) {
        error = "--time needs a number of seconds, 0 or more";
        if (at + 1 < words.size()) error += ", not " + quotedExcerpt(words[at + 1]);
        return false;
    }
    options.lightTime = seconds;
    at += 2;
    return true;
}

}  // namespace

bool takePictureOption(const std::vector<std::string>& words, size_t& at, PictureOptions& options,
                       std::string& error) {
    if (at >= words.size()) return false;
    if (words[at] == "--time") return takeTime(words, at, options, error);
    if (words[at] == "--links") {
        options.overlay.links = true;
        ++at;
        return true;
    }
    if (words[at] != "--labels") return false;
    options.overlay.labels = LabelMode::All;
    ++at;
    if (at < words.size() && parseLabelMode(words[at], options.overlay.labels)) ++at;
    return true;
}
