#include "node_names.h"
#include "name_comment.h"
#include "number_text.h"
#include "printable_name.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(const std::string& text) {
    size_t from = 0, to = text.size();
    while (from < to && isBlank(text[from])) ++from;
    while (to > from && isBlank(text[to - 1])) --to;
    return text.substr(from, to - from);
}

struct GivenName {
    const std::string* name;
    int line, column;
};

}  // namespace

bool NodeNames::take(const std::string& name) {
    return !nameTaken_(name) && given_.insert(name).second;
}

bool NodeNames::takeGiven(const MapEntity& entity, std::string& name,
                          std::vector<ImportNote>& notes) {
    std::string quoted;
    const bool isQuoted = readQuotedName(entity.comment, quoted);
    const MapPair* targetName = entity.find("targetname");
    std::vector<GivenName> candidates;
    if (isQuoted) candidates.push_back({&quoted, entity.commentLine, 0});
    if (targetName && !targetName->value.empty())
        candidates.push_back({&targetName->value, targetName->line, targetName->valueColumn});
    if (!isQuoted && !entity.comment.empty())
        candidates.push_back({&entity.comment, entity.commentLine, 0});
    for (const GivenName& given : candidates) {
        const std::string fitted =
            given.name->substr(0, utf8Prefix(*given.name, IMPORTED_NAME_MAX_BYTES));
        if (!take(fitted)) continue;
        if (fitted.size() < given.name->size())
            notes.push_back({given.line, false,
                             "the name " + quotedExcerpt(*given.name) + " is longer than " +
                                 std::to_string(IMPORTED_NAME_MAX_BYTES) +
                                 " bytes, which a node name holds; shortened to " +
                                 std::to_string(fitted.size()) + " bytes",
                             given.column, true});
        name = fitted;
        return true;
    }
    return false;
}

std::string NodeNames::takeMade(const std::string& classname) {
    if (isWorldClassname(classname) && take(classname)) return classname;
    // A classname's blanks at either end would make a name that is awkward to type.
    const std::string base = trimmed(classname) + "_";
    int& last = lastNumber_[base];
    while (!take(base + std::to_string(last + 1))) ++last;
    return base + std::to_string(++last);
}
