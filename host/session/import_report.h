// What an import had to say, for a reader: a level from another editor can give thousands
// of warnings, most of them the same few. The report keeps every finding with the node its
// entity became, and sums them up by kind: one line a kind with its count and first place,
// then a few examples of each.
#pragma once
#include <string>
#include <vector>

// How many findings of each kind a summary shows after its count.
constexpr size_t IMPORT_EXAMPLES = 3;

struct ImportFinding {
    std::string place;    // "FILE:LINE" or "FILE:LINE:COLUMN"
    bool error = false;   // the entity was left out
    std::string message;  // "func_detail: the classname ... is not in the catalogue; kept"
    std::string node;     // the node made of the entity, "" when none was

    std::string text() const;  // "PLACE: warning|error: MESSAGE"
};

class ImportReport {
public:
    void add(ImportFinding finding);
    const std::vector<ImportFinding>& findings() const { return findings_; }
    bool empty() const { return findings_.empty(); }

    // One line a kind, in the order the kinds first came: "12 warnings: func_detail: the
    // classname "func_detail" is not in the catalogue; kept (first at FILE:LINE)"; a kind
    // seen once is its finding's text.
    std::vector<std::string> summary() const;
    // The summary, then up to examples findings of each kind that came more than once;
    // every finding when examples is 0.
    std::vector<std::string> lines(size_t examples) const;
    // How many findings lines(examples) leaves out.
    size_t notShown(size_t examples) const;
    // "447 warnings of 3 kinds, 1 entity left out", or "" without findings.
    std::string headline() const;

private:
    struct Kind {
        std::string key;
        std::vector<size_t> findings;  // indexes into findings_, in map order
    };
    std::vector<ImportFinding> findings_;
    std::vector<Kind> kinds_;
};

// The kind of a message: its text with every quoted name and number taken out, so that
// the same complaint about other keys or values counts as one.
std::string messageKind(const std::string& message);

// "2,966": a count as a reader takes it in.
std::string countText(size_t count);
