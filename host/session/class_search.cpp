#include "session/class_search.h"
#include <algorithm>
#include <cctype>
#include <unordered_map>
#include "entity_catalogue.h"

namespace {

std::string lowered(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::vector<ClassCount> findClasses(const std::string& text, const std::vector<EntityMark>& marks) {
    std::unordered_map<std::string, size_t> counts;
    for (const EntityMark& mark : marks) ++counts[mark.classname];
    const std::string wanted = lowered(text);
    std::vector<ClassCount> found;
    for (int i = 0; entityClassNames[i][0]; ++i) {
        const std::string name = entityClassNames[i];
        if (lowered(name).find(wanted) == std::string::npos) continue;
        const auto count = counts.find(name);
        found.push_back({name, count == counts.end() ? 0 : count->second});
    }
    std::sort(found.begin(), found.end(),
              [](const ClassCount& a, const ClassCount& b) { return a.classname < b.classname; });
    return found;
}

std::string classCountText(const ClassCount& found) {
    return found.count ? found.classname + " (" + std::to_string(found.count) + ")"
                       : found.classname;
}
