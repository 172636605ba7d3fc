#include "window/entity_rows.h"
#include <algorithm>
#include "scene/scene.h"

namespace {

// ASCII only, and no call into the C library's locale per character: filtering compares
// every character of every node's four columns.
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool containsIgnoringCase(const std::string& text, const std::string& part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(),
                       [](char a, char b) { return lower(a) == lower(b); }) != text.end();
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A run of digits from at, its leading zeros passed over: [begin, end) of what is left.
void digitRun(const std::string& text, size_t& at, size_t& begin) {
    while (at < text.size() && text[at] == '0') ++at;
    begin = at;
    while (at < text.size() && isDigit(text[at])) ++at;
}

// Natural order in any case: runs of digits compare as the numbers they are.
int naturalCompare(const std::string& x, const std::string& y) {
    size_t i = 0, j = 0;
    while (i < x.size() && j < y.size()) {
        if (isDigit(x[i]) && isDigit(y[j])) {
            size_t xBegin, yBegin;
            digitRun(x, i, xBegin);
            digitRun(y, j, yBegin);
            const size_t xDigits = i - xBegin, yDigits = j - yBegin;
            if (xDigits != yDigits) return xDigits < yDigits ? -1 : 1;
            if (int c = x.compare(xBegin, xDigits, y, yBegin, yDigits)) return c;
            continue;
        }
        const char a = lower(x[i++]), b = lower(y[j++]);
        if (a != b) return a < b ? -1 : 1;
    }
    if (i < x.size() || j < y.size()) return i < x.size() ? 1 : -1;
    return 0;
}

}  // namespace

// Names that differ only in case or in leading zeros keep a fixed order.
bool rowOrder(const std::string& x, const std::string& y) {
    const int c = naturalCompare(x, y);
    return c != 0 ? c < 0 : x < y;
}

namespace {

bool byName(const Node* a, const Node* b) { return rowOrder(a->name(), b->name()); }

void insertSorted(std::vector<const Node*>& rows, const Node* node) {
    rows.insert(std::upper_bound(rows.begin(), rows.end(), node, byName), node);
}

}  // namespace

EntityRows::EntityRows(EntityIndex& index) : index_(index) {
    index_.onChange = [this](EntityIndex::Change change, const Node* node) { noted(change, node); };
}

EntityRows::~EntityRows() { index_.onChange = nullptr; }

void EntityRows::noted(EntityIndex::Change change, const Node* node) {
    switch (change) {
        case EntityIndex::Change::All:
            rebuildPending_ = true;
            changed_.clear();
            removed_.clear();
            break;
        case EntityIndex::Change::Removed:
            changed_.erase(node);
            removed_.insert(node);
            break;
        case EntityIndex::Change::Node:
            changed_.insert(node);
            break;
    }
}

void EntityRows::setFilter(const std::string& text) {
    update();
    filter_ = text;
    rows_.clear();
    for (const Node* node : sorted_)
        if (matches(*node)) rows_.push_back(node);
}

bool EntityRows::update() {
    // What is typed into the edited node's pages may be stored without a word.
    if (const Node* edited = index_.editedNode()) changed_.insert(edited);
    // Many changes at once (an import, a big delete) cost less as one new sort.
    if (rebuildPending_ || changed_.size() + removed_.size() > sorted_.size() / 8 + 16) {
        rebuild();
        return true;
    }
    if (changed_.empty() && removed_.empty()) return false;
    // A changed node leaves its row and comes back where its name and filter put it now;
    // a node's address may be reused by a new node after a removal, so both leave first.
    auto leaves = [this](const Node* n) { return changed_.count(n) || removed_.count(n); };
    sorted_.erase(std::remove_if(sorted_.begin(), sorted_.end(), leaves), sorted_.end());
    rows_.erase(std::remove_if(rows_.begin(), rows_.end(), leaves), rows_.end());
    for (const Node* node : changed_) {
        insertSorted(sorted_, node);
        if (matches(*node)) insertSorted(rows_, node);
    }
    changed_.clear();
    removed_.clear();
    return true;
}

void EntityRows::rebuild() {
    sorted_.clear();
    for (const EntityMark& mark : index_.marks()) sorted_.push_back(mark.node);
    std::sort(sorted_.begin(), sorted_.end(), byName);
    rows_.clear();
    for (const Node* node : sorted_)
        if (matches(*node)) rows_.push_back(node);
    changed_.clear();
    removed_.clear();
    rebuildPending_ = false;
}

bool EntityRows::matches(const Node& node) {
    if (filter_.empty() || containsIgnoringCase(node.name(), filter_)) return true;
    const EntityMark* mark = index_.mark(node);
    if (!mark) return false;
    if (containsIgnoringCase(mark->classname, filter_) ||
        containsIgnoringCase(mark->targetName, filter_))
        return true;
    return std::any_of(mark->targets.begin(), mark->targets.end(),
                       [this](const std::string& t) { return containsIgnoringCase(t, filter_); });
}

int EntityRows::rowOf(const Node* node) const {
    auto it = std::find(rows_.begin(), rows_.end(), node);
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}
