#include "text_mutator.h"
#include <algorithm>
#include <string>

namespace {

constexpr size_t MAX_GROWTH = 1 << 20;  // bytes one mutation adds at most: inputs stay quick

struct Span {
    size_t offset, length;
};

size_t below(std::mt19937_64& random, size_t n) { return n ? random() % n : 0; }

template <size_t N>
const char* pick(const char* const (&choices)[N], std::mt19937_64& random) {
    return choices[below(random, N)];
}

bool isBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// Quoted texts (up to their closing quote or line end) and runs of other bytes.
std::vector<Span> tokens(const Bytes& b) {
    std::vector<Span> found;
    for (size_t at = 0; at < b.size();) {
        if (isBlank(b[at])) {
            ++at;
            continue;
        }
        size_t end = at + 1;
        if (b[at] == '"')
            while (end < b.size() && b[end] != '\n' && b[end++] != '"') {
            }
        else
            while (end < b.size() && !isBlank(b[end])) ++end;
        found.push_back({at, end - at});
        at = end;
    }
    return found;
}

// Numbers wherever they stand, inside quoted values too: "-12.5e3" in "origin" "0 -12.5e3 8".
std::vector<Span> numbers(const Bytes& b) {
    std::vector<Span> found;
    for (size_t at = 0; at < b.size(); ++at) {
        const bool sign = (b[at] == '-' || b[at] == '+') && at + 1 < b.size() && isDigit(b[at + 1]);
        if (!sign && !isDigit(b[at])) continue;
        size_t end = at + 1;
        while (end < b.size() && (isDigit(b[end]) || b[end] == '.' || b[end] == 'e' ||
                                  b[end] == 'E' || b[end] == '-' || b[end] == '+'))
            ++end;
        found.push_back({at, end - at});
        at = end;
    }
    return found;
}

// The bounds of the lines, their line breaks included.
std::vector<Span> lines(const Bytes& b) {
    std::vector<Span> found;
    for (size_t at = 0; at < b.size();) {
        const auto end = std::find(b.begin() + at, b.end(), '\n');
        const size_t next = end == b.end() ? b.size() : end - b.begin() + 1;
        found.push_back({at, next - at});
        at = next;
    }
    return found;
}

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }
Bytes copyOf(const Bytes& b, const Span& s) {
    return Bytes(b.begin() + s.offset, b.begin() + s.offset + s.length);
}

void insertAt(Bytes& b, size_t at, const Bytes& piece) {
    b.insert(b.begin() + at, piece.begin(), piece.end());
}

void replace(Bytes& b, const Span& s, const Bytes& piece) {
    b.erase(b.begin() + s.offset, b.begin() + s.offset + s.length);
    insertAt(b, s.offset, piece);
}

void flipBit(Bytes& b, std::mt19937_64& random) {
    if (!b.empty())
        b[below(random, b.size())] ^= static_cast<unsigned char>(1u << below(random, 8));
}

// Control bytes, DEL, lone carriage returns and bytes of broken UTF-8.
void notText(Bytes& b, std::mt19937_64& random) {
    const unsigned char bytes[] = {0x00, 0x01, 0x08, 0x0B, 0x0C, 0x1A, 0x1B, 0x7F,
                                   '\r', 0x80, 0xC3, 0xE2, 0xEF, 0xFE, 0xFF};
    const unsigned char byte = bytes[below(random, std::size(bytes))];
    const size_t at = below(random, b.size() + 1);
    if (at < b.size() && random() & 1)
        b[at] = byte;
    else
        b.insert(b.begin() + at, byte);
}

void duplicateToken(Bytes& b, const Span& t) {
    Bytes copy = copyOf(b, t);
    copy.insert(copy.begin(), ' ');
    insertAt(b, t.offset + t.length, copy);
}

void swapTokens(Bytes& b, const std::vector<Span>& all, std::mt19937_64& random) {
    size_t i = below(random, all.size()), j = below(random, all.size());
    if (i == j) return;
    if (i > j) std::swap(i, j);
    const Bytes first = copyOf(b, all[i]), second = copyOf(b, all[j]);
    replace(b, all[j], first);  // the later one first: the earlier offsets stay valid
    replace(b, all[i], second);
}

// A line (a face, a pair) many times over: brushes of thousands of faces, huge entities.
void repeatLine(Bytes& b, std::mt19937_64& random) {
    const std::vector<Span> all = lines(b);
    if (all.empty()) return;
    const Span line = all[below(random, all.size())];
    const Bytes copy = copyOf(b, line);
    Bytes repeated;
    for (size_t n = 1 + below(random, 2000); n > 0 && repeated.size() < MAX_GROWTH; --n)
        repeated.insert(repeated.end(), copy.begin(), copy.end());
    insertAt(b, line.offset, repeated);
}

// Braces or parentheses opened many times before a token and, sometimes, closed after it.
void nest(Bytes& b, const Span& t, std::mt19937_64& random) {
    const bool braces = random() & 1;
    const size_t levels = 1 + below(random, 5000);
    Bytes open, close;
    for (size_t level = 0; level < levels; ++level) {
        open.insert(open.end(), {static_cast<unsigned char>(braces ? '{' : '('), '\n'});
        close.insert(close.end(), {static_cast<unsigned char>(braces ? '}' : ')'), '\n'});
    }
    if (random() & 1) insertAt(b, t.offset + t.length, close);
    insertAt(b, t.offset, open);
}

void hugeNumber(Bytes& b, const Span& n, std::mt19937_64& random) {
    static const char* const texts[] = {"99999999999999999999999",
                                        "123456789012345",
                                        "1234567890123456",
                                        "-999999999999999",
                                        "2147483647",
                                        "2147483648",
                                        "-2147483649",
                                        "4294967296",
                                        "1e308",
                                        "-1.7976931348623157e308",
                                        "3.4028236e38",
                                        "340282366920938463463374607431768211456",
                                        "1e-400",
                                        "4.9e-324",
                                        "0.000000000000000000000000000000000000000000001",
                                        "-0",
                                        "000000000000000000000000000000000000000000000001",
                                        "1.",
                                        ".5",
                                        "1e",
                                        "--1",
                                        "+-1"};
    replace(b, n, bytesOf(pick(texts, random)));
}

void nonFinite(Bytes& b, const Span& n, std::mt19937_64& random) {
    static const char* const texts[] = {"nan",    "-nan",     "NaN",  "nan(123)", "inf",
                                        "-inf",   "INF",      "+inf", "Infinity", "1e999",
                                        "-1e999", "infinity", "-NAN", "nan()",    "1e4000"};
    replace(b, n, bytesOf(pick(texts, random)));
}

// A quoted text made very long: past a cell, a classname, a target name, a line buffer.
void longText(Bytes& b, const std::vector<Span>& all, std::mt19937_64& random) {
    std::vector<Span> quoted;
    for (const Span& t : all)
        if (b[t.offset] == '"') quoted.push_back(t);
    const size_t sizes[] = {31, 32, 79, 80, 81, 127, 128, 255, 256, 1024, 65536};
    const Bytes filler(sizes[below(random, std::size(sizes))] + below(random, 3),
                       static_cast<unsigned char>('a' + below(random, 26)));
    insertAt(b, quoted.empty() ? 0 : quoted[below(random, quoted.size())].offset + 1, filler);
}

void structural(Bytes& b, std::mt19937_64& random) {
    static const char* const pieces[] = {"\"", "{",   "}",           "(",          ")",
                                         "//", "\n",  " ",           "|",          "\"\"",
                                         "{}", "( )", "\"k\" \"v\"", "Version 2\n"};
    insertAt(b, below(random, b.size() + 1), bytesOf(pick(pieces, random)));
}

// The forms other systems and tools give a text: other line ends, a byte-order mark,
// braces with no blank beside the quotes.
void otherForm(Bytes& b, std::mt19937_64& random) {
    Bytes out;
    const size_t form = below(random, 4);
    if (form == 2) out = bytesOf("\xEF\xBB\xBF");
    for (size_t i = 0; i < b.size(); ++i) {
        const unsigned char c = b[i];
        const bool blank = c == ' ' || c == '\n';
        if (form == 3 && blank && i > 0 && i + 1 < b.size() &&
            ((b[i - 1] == '{' && b[i + 1] == '"') || (b[i - 1] == '"' && b[i + 1] == '}')))
            continue;
        if (c == '\n' && form < 2) {
            out.push_back('\r');
            if (form == 0) out.push_back('\n');
        } else {
            out.push_back(c);
        }
    }
    b.swap(out);
}

}  // namespace

void mutateText(Bytes& input, std::mt19937_64& random) {
    const std::vector<Span> all = tokens(input);
    const size_t operation = below(random, 14);
    if (all.empty() && operation > 1 && operation != 10 && operation < 12)
        return structural(input, random);
    const Span t = all.empty() ? Span{0, 0} : all[below(random, all.size())];
    switch (operation) {
        case 0:
            return flipBit(input, random);
        case 1:
            return notText(input, random);
        case 2:
            return duplicateToken(input, t);
        case 3:
            return replace(input, t, {});
        case 4:
            return swapTokens(input, all, random);
        case 5:
            return input.resize(below(random, input.size() + 1));
        case 6:
            return nest(input, t, random);
        case 7:
        case 8: {
            const std::vector<Span> found = numbers(input);
            if (found.empty()) return structural(input, random);
            const Span n = found[below(random, found.size())];
            return operation == 7 ? hugeNumber(input, n, random) : nonFinite(input, n, random);
        }
        case 9:
            return longText(input, all, random);
        case 10:
            return repeatLine(input, random);
        case 13:
            return otherForm(input, random);
        default:
            return structural(input, random);
    }
}
