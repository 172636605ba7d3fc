#include "session/import_report.h"
#include <algorithm>
#include <cctype>

std::string ImportFinding::text() const {
    return place + (error ? ": error: " : ": warning: ") + message;
}

std::string messageKind(const std::string& message) {
    std::string kind;
    for (size_t i = 0; i < message.size(); ++i) {
        const char c = message[i];
        if (c == '"') {
            const size_t close = message.find('"', i + 1);
            if (close == std::string::npos) break;
            kind += "\"\"";
            i = close;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            while (i + 1 < message.size() &&
                   std::isdigit(static_cast<unsigned char>(message[i + 1])))
                ++i;
            kind += '#';
        } else {
            kind += c;
        }
    }
    return kind;
}

std::string countText(size_t count) {
    std::string digits = std::to_string(count), text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

void ImportReport::add(ImportFinding finding) {
    const std::string key = (finding.error ? "e" : "w") + messageKind(finding.message);
    findings_.push_back(std::move(finding));
    for (Kind& kind : kinds_)
        if (kind.key == key) return kind.findings.push_back(findings_.size() - 1);
    kinds_.push_back({key, {findings_.size() - 1}});
}

std::vector<std::string> ImportReport::summary() const {
    std::vector<std::string> lines;
    for (const Kind& kind : kinds_) {
        const ImportFinding& first = findings_[kind.findings.front()];
        if (kind.findings.size() == 1) {
            lines.push_back(first.text());
            continue;
        }
        lines.push_back(countText(kind.findings.size()) + (first.error ? " errors" : " warnings") +
                        " like: " + first.message + " (first at " + first.place + ")");
    }
    return lines;
}

std::vector<std::string> ImportReport::lines(size_t examples) const {
    std::vector<std::string> lines;
    if (examples == 0) {
        for (const ImportFinding& finding : findings_) lines.push_back(finding.text());
        return lines;
    }
    lines = summary();
    for (const Kind& kind : kinds_)
        for (size_t i = 0; kind.findings.size() > 1 && i < std::min(examples, kind.findings.size());
             ++i)
            lines.push_back("  " + findings_[kind.findings[i]].text());
    return lines;
}

size_t ImportReport::notShown(size_t examples) const {
    size_t hidden = 0;
    for (const Kind& kind : kinds_)
        if (examples && kind.findings.size() > std::max<size_t>(examples, 1))
            hidden += kind.findings.size() - examples;
    return hidden;
}

std::string ImportReport::headline() const {
    size_t errors = 0;
    for (const ImportFinding& finding : findings_) errors += finding.error;
    const size_t warnings = findings_.size() - errors;
    const size_t kinds = std::count_if(kinds_.begin(), kinds_.end(),
                                       [](const Kind& kind) { return kind.key[0] == 'w'; });
    std::string text;
    if (warnings)
        text = countText(warnings) + (warnings == 1 ? " warning" : " warnings") + " of " +
               countText(kinds) + (kinds == 1 ? " kind" : " kinds");
    if (errors)
        text += (text.empty() ? "" : ", ") + countText(errors) +
                (errors == 1 ? " entity left out" : " entities left out");
    return text;
}
