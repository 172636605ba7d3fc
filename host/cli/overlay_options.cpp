#include "cli/overlay_options.h"

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

}  // namespace

bool takeOverlayOption(const std::vector<std::string>& words, size_t& at, OverlayOptions& options) {
    if (at >= words.size()) return false;
    if (words[at] == "--links") {
        options.links = true;
        ++at;
        return true;
    }
    if (words[at] != "--labels") return false;
    options.labels = LabelMode::All;
    ++at;
    if (at < words.size() && parseLabelMode(words[at], options.labels)) ++at;
    return true;
}
