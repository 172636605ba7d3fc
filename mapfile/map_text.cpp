#include "map_text.h"
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include "number_text.h"

const MapPair* MapEntity::find(std::string_view key) const {
    for (auto pair = pairs.rbegin(); pair != pairs.rend(); ++pair)
        if (pair->key == key) return &*pair;
    return nullptr;
}

namespace {

struct Token {
    enum Kind { End, Word, Quoted } kind = End;
    std::string_view text;  // a quoted token's text is without its quotes
    size_t offset = 0;      // of its first byte (the opening quote of a quoted one)
    int line = 0, column = 0;

    bool is(std::string_view word) const { return kind == Word && text == word; }
};

bool isBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isControl(unsigned char c) { return (c < 0x20 && !isBlank(c)) || c == 0x7F; }

MapVector subtract(const MapVector& a, const MapVector& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
MapVector cross(const MapVector& a, const MapVector& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double dot(const MapVector& a, const MapVector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The plane through three points in the winding the plane-point dialects use.
MapPlane planeThrough(const MapVector& p0, const MapVector& p1, const MapVector& p2) {
    MapVector n = cross(subtract(p0, p1), subtract(p2, p1));
    const double length = std::sqrt(dot(n, n));
    if (length > 0) n = {n.x / length, n.y / length, n.z / length};
    return {n, dot(p1, n)};
}

class MapReader {
public:
    MapReader(MapText& map, MapTextError& error)
        : map_(map), error_(error), text_(map.text.data()), size_(map.text.size()) {}

    bool readFile();

private:
    bool fail(const Token& at, const std::string& message);
    bool failHere(const std::string& message);
    bool skipBlanksAndComments();
    bool startsItsLine(size_t offset) const;
    void skipLineEnd();
    bool next(Token& token);
    bool scanQuoted(Token& token);
    bool expect(std::string_view word, const char* what);
    bool number(double& value);
    void checkFloat(const Token& token, double value);
    bool point(MapVector& p);
    bool numbersUntilClose(std::vector<double>* values);

    bool readEntity(const Token& open);
    bool readPair(const Token& key, MapEntity& entity);
    bool readBrush(const Token& open, MapEntity& entity);
    bool readPlanePoints(bool withTextureMatrix);
    bool readPlaneEquations();
    bool skipFaceRest(Token& after);
    bool readPatch(bool extendedHeader);

    MapText& map_;
    MapTextError& error_;
    const char* text_;
    size_t size_;
    size_t pos_ = 0;
    int line_ = 1;
    size_t lineStart_ = 0;
    // The last comment since the last token, and the last one before the token just read:
    // their text, line and place.
    std::string comment_, commentBefore_;
    int commentLine_ = 0, commentBeforeLine_ = 0;
    size_t commentSpan_[2] = {}, commentBeforeSpan_[2] = {};
    MapEntity* entity_ = nullptr;  // the one being read
};

bool MapReader::fail(const Token& at, const std::string& message) {
    error_.line = at.line;
    error_.column = at.column;
    error_.message = message;
    return false;
}

bool MapReader::failHere(const std::string& message) {
    Token here;
    here.line = line_;
    here.column = static_cast<int>(pos_ - lineStart_) + 1;
    return fail(here, message);
}

bool MapReader::startsItsLine(size_t offset) const {
    for (size_t at = lineStart_; at < offset; ++at)
        if (text_[at] != ' ' && text_[at] != '\t') return false;
    return true;
}

bool MapReader::skipBlanksAndComments() {
    while (pos_ < size_) {
        const unsigned char c = text_[pos_];
        if (c == '\n' || c == '\r') {
            skipLineEnd();
        } else if (c == ' ' || c == '\t') {
            ++pos_;
        } else if (c == '/' && pos_ + 1 < size_ && text_[pos_ + 1] == '/') {
            const size_t start = pos_ + 2;
            while (pos_ < size_ && text_[pos_] != '\n' && text_[pos_] != '\r') {
                if (isControl(text_[pos_])) return failHere("a byte that is not text");
                ++pos_;
            }
            // Only a comment on a line of its own can name what follows: that of
            // "} // end" belongs to the closing line.
            if (!startsItsLine(start - 2)) continue;
            size_t from = start, to = pos_;
            while (from < to && isBlank(text_[from])) ++from;
            while (to > from && isBlank(text_[to - 1])) --to;
            comment_.assign(text_ + from, to - from);
            commentLine_ = line_;
            commentSpan_[0] = from;
            commentSpan_[1] = to;
        } else if (isControl(c)) {
            return failHere("a byte that is not text");
        } else {
            break;
        }
    }
    return true;
}

// LF, CR LF and a CR alone each end one line: files from every system count alike.
void MapReader::skipLineEnd() {
    if (text_[pos_] == '\r' && pos_ + 1 < size_ && text_[pos_ + 1] == '\n') ++pos_;
    ++line_;
    lineStart_ = ++pos_;
}

bool MapReader::scanQuoted(Token& token) {
    const size_t start = ++pos_;
    while (pos_ < size_ && text_[pos_] != '"') {
        const unsigned char c = text_[pos_];
        if (c == '\n' || c == '\r')
            return fail(token, "unterminated quote: the text runs to the end of its line");
        if (isControl(c)) return failHere("a byte that is not text");
        ++pos_;
    }
    if (pos_ == size_)
        return fail(token, "unterminated quote: the text runs to the end of the file");
    token.text = std::string_view(text_ + start, pos_ - start);
    ++pos_;
    return true;
}

bool MapReader::next(Token& token) {
    if (!skipBlanksAndComments()) return false;
    token = Token();
    token.offset = pos_;
    token.line = line_;
    token.column = static_cast<int>(pos_ - lineStart_) + 1;
    if (!comment_.empty() || !commentBefore_.empty()) {
        commentBefore_.swap(comment_);
        comment_.clear();
        commentBeforeLine_ = commentLine_;
        commentBeforeSpan_[0] = commentSpan_[0];
        commentBeforeSpan_[1] = commentSpan_[1];
    }
    if (pos_ == size_) return true;
    if (text_[pos_] == '"') {
        token.kind = Token::Quoted;
        return scanQuoted(token);
    }
    token.kind = Token::Word;
    const size_t start = pos_;
    // A quote starts the next token even without a blank before it: "{\"classname\"".
    while (pos_<size_&& static_cast<unsigned char>(text_[pos_])> ' ' && text_[pos_] != 0x7F &&
           text_[pos_] != '"')
        ++pos_;
    if (pos_ < size_ && isControl(text_[pos_])) return failHere("a byte that is not text");
    token.text = std::string_view(text_ + start, pos_ - start);
    return true;
}

bool MapReader::expect(std::string_view word, const char* what) {
    Token token;
    if (!next(token)) return false;
    if (token.is(word)) return true;
    if (token.kind == Token::End)
        return fail(token, std::string("end of file where ") + what + " belongs");
    return fail(token, std::string("expected ") + what);
}

// Coordinates are mostly whole numbers: those are read without the general conversion.
bool readNumber(std::string_view text, double& value) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    const bool negative = begin != end && *begin == '-';
    if (begin != end && (*begin == '+' || negative)) ++begin;
    if (begin == end || *begin == '-' || *begin == '+') return false;
    if (end - begin <= 15) {
        int64_t whole = 0;
        const char* digit = begin;
        while (digit != end && *digit >= '0' && *digit <= '9')
            whole = whole * 10 + (*digit++ - '0');
        if (digit == end) {
            value = static_cast<double>(negative ? -whole : whole);
            return true;
        }
    }
    const auto result = std::from_chars(begin, end, value);
    if (negative) value = -value;
    return result.ec == std::errc() && result.ptr == end;
}

bool MapReader::number(double& value) {
    Token token;
    if (!next(token)) return false;
    if (token.kind == Token::Word && readNumber(token.text, value)) {
        checkFloat(token, value);
        return true;
    }
    if (token.kind == Token::End) return fail(token, "end of file where a number belongs");
    return fail(token, "expected a number");
}

// The game keeps a brush's numbers as floats: one that no float holds is marked on its
// entity, which the rest of the map does not depend on.
void MapReader::checkFloat(const Token& token, double value) {
    const double size = std::fabs(value);
    if ((size <= FLT_MAX && (size >= FLT_MIN || size == 0)) || !entity_ ||
        entity_->badNumber.line != 0)
        return;
    const std::string problem = floatTextProblem(token.text);
    if (!problem.empty())
        entity_->badNumber = {token.line, token.column, quotedExcerpt(token.text) + " " + problem};
}

// "( x y z )", the opening parenthesis already read.
bool MapReader::point(MapVector& p) {
    return number(p.x) && number(p.y) && number(p.z) && expect(")", "')' after three numbers");
}

// Numbers up to a ')', the '(' already read; values receives them when given.
bool MapReader::numbersUntilClose(std::vector<double>* values) {
    for (;;) {
        Token token;
        if (!next(token)) return false;
        if (token.is(")")) return true;
        pos_ = token.offset;  // read again as a number; a token holds no line break
        double value;
        if (!number(value)) return false;
        if (values) values->push_back(value);
    }
}

bool MapReader::readFile() {
    // A byte-order mark some editors put first is no part of the text.
    if (size_ >= 3 && std::string_view(text_, 3) == "\xEF\xBB\xBF") pos_ = lineStart_ = 3;
    for (;;) {
        Token token;
        if (!next(token)) return false;
        if (token.kind == Token::End) return true;
        if (token.is("Version") && map_.entities.empty() && map_.version == 0) {
            double version;
            if (!number(version)) return false;
            // Only a whole number that an int holds names a version; anything else is no
            // version, never an out-of-range conversion.
            if (!(version >= 1 && version <= 1000000) || version != static_cast<int>(version))
                return fail(token, "a version must be a whole number from 1 to 1000000");
            map_.version = static_cast<int>(version);
        } else if (token.is("{")) {
            if (!readEntity(token)) return false;
        } else if (token.is("}")) {
            return fail(token, "'}' without a '{' that it closes");
        } else if (token.kind == Token::Quoted) {
            return fail(token, "a key outside an entity: a '{' is missing before it");
        } else {
            return fail(token, "expected '{' to start an entity");
        }
    }
}

bool MapReader::readEntity(const Token& open) {
    MapEntity entity;
    entity.line = open.line;
    entity.offset = open.offset;
    entity.comment = commentBefore_;
    entity.commentLine = commentBeforeLine_;
    if (!entity.comment.empty()) {
        entity.commentOffset = commentBeforeSpan_[0];
        entity.commentEnd = commentBeforeSpan_[1];
    }
    entity_ = &entity;
    for (;;) {
        Token token;
        if (!next(token)) return false;
        if (token.kind == Token::Quoted) {
            if (!readPair(token, entity)) return false;
        } else if (token.is("{")) {
            if (!readBrush(token, entity)) return false;
        } else if (token.is("}")) {
            entity_ = nullptr;
            entity.end = pos_;
            map_.entities.push_back(std::move(entity));
            return true;
        } else if (token.kind == Token::End) {
            return fail(token, "end of file inside the entity that starts at line " +
                                   std::to_string(open.line));
        } else {
            return fail(token, "expected a \"key\", a brush or the '}' that ends the entity");
        }
    }
}

bool MapReader::readPair(const Token& key, MapEntity& entity) {
    Token value;
    if (!next(value)) return false;
    if (value.kind != Token::Quoted || value.line != key.line)
        return fail(key, "the key " + quotedExcerpt(key.text) + " has no value");
    const size_t valueOffset = value.offset + 1;
    entity.pairs.push_back({std::string(key.text), std::string(value.text), key.line,
                            value.column + 1, key.offset, valueOffset,
                            valueOffset + value.text.size()});
    return true;
}

bool MapReader::readBrush(const Token& open, MapEntity& entity) {
    MapBrush brush;
    brush.line = open.line;
    brush.textBegin = open.offset;
    brush.first = static_cast<uint32_t>(map_.planes.size());
    Token token;
    if (!next(token)) return false;
    bool ok;
    if (token.is("(")) {
        pos_ = token.offset;  // the plane loop reads it again
        ok = readPlanePoints(false);
    } else if (token.is("brushDef") || token.is("brushDef3")) {
        const bool equations = token.is("brushDef3");
        ok = expect("{", "'{' after brushDef") &&
             (equations ? readPlaneEquations() : readPlanePoints(true)) &&
             expect("}", "'}' that ends the brush");
    } else if (token.is("patchDef2") || token.is("patchDef3")) {
        brush.isPatch = true;
        brush.first = static_cast<uint32_t>(map_.points.size());
        ok = expect("{", "'{' after patchDef") && readPatch(token.is("patchDef3")) &&
             expect("}", "'}' that ends the patch");
    } else if (token.is("}")) {
        pos_ = token.offset;
        ok = true;
    } else if (token.kind == Token::End) {
        return fail(
            token, "end of file inside the brush that starts at line " + std::to_string(open.line));
    } else {
        return fail(token, "expected '(', brushDef, brushDef3, patchDef2 or patchDef3 in a brush");
    }
    if (!ok || !expect("}", "the '}' that ends the brush")) return false;
    brush.textEnd = pos_;
    brush.count = static_cast<uint32_t>((brush.isPatch ? map_.points.size() : map_.planes.size()) -
                                        brush.first);
    entity.brushes.push_back(brush);
    return true;
}

// Faces "( x y z ) ( x y z ) ( x y z ) ..." until the '}' that ends them (left unread);
// with withTextureMatrix each face carries "( ( a b c ) ( d e f ) )" after its points.
bool MapReader::readPlanePoints(bool withTextureMatrix) {
    Token token;
    if (!next(token)) return false;
    while (token.is("(")) {
        MapVector p[3];
        if (!point(p[0]) || !expect("(", "'(' of a face's second point") || !point(p[1]) ||
            !expect("(", "'(' of a face's third point") || !point(p[2]))
            return false;
        if (withTextureMatrix) {
            MapVector row;
            if (!expect("(", "'(' of a texture matrix") || !expect("(", "'(' of a matrix row") ||
                !point(row) || !expect("(", "'(' of a matrix row") || !point(row) ||
                !expect(")", "')' after a texture matrix"))
                return false;
        }
        map_.planes.push_back(planeThrough(p[0], p[1], p[2]));
        if (!skipFaceRest(token)) return false;
    }
    pos_ = token.offset;
    return true;
}

// Faces "( a b c d ) ( ( ... ) ( ... ) ) "texture" ..." of a brushDef3: a*x+b*y+c*z+d = 0.
bool MapReader::readPlaneEquations() {
    Token token;
    if (!next(token)) return false;
    while (token.is("(")) {
        MapPlane plane;
        MapVector row;
        if (!number(plane.normal.x) || !number(plane.normal.y) || !number(plane.normal.z) ||
            !number(plane.distance) || !expect(")", "')' after a plane's four numbers") ||
            !expect("(", "'(' of a texture matrix") || !expect("(", "'(' of a matrix row") ||
            !point(row) || !expect("(", "'(' of a matrix row") || !point(row) ||
            !expect(")", "')' after a texture matrix"))
            return false;
        plane.distance = -plane.distance;
        map_.planes.push_back(plane);
        if (!skipFaceRest(token)) return false;
    }
    pos_ = token.offset;
    return true;
}

// The texture name and numbers after a face, up to the next face's '(' or the '}';
// after holds that token.
bool MapReader::skipFaceRest(Token& after) {
    for (;;) {
        if (!next(after)) return false;
        if (after.is("(") || after.is("}")) return true;
        if (after.kind == Token::End) return fail(after, "end of file inside a brush");
        if (after.is("{")) return fail(after, "'{' inside a brush: a '}' is missing before it");
    }
}

// TEXTURE ( header numbers ) ( ( ( x y z u v ) ... ) ... )
bool MapReader::readPatch(bool extendedHeader) {
    Token texture;
    if (!next(texture)) return false;
    if (texture.kind == Token::End || texture.is("(") || texture.is("}"))
        return fail(texture, "expected a patch's texture name");
    Token size;
    if (!next(size)) return false;
    pos_ = size.offset;  // read again by expect
    std::vector<double> header;
    if (!expect("(", "'(' of a patch's size") || !numbersUntilClose(&header)) return false;
    if (header.size() != (extendedHeader ? 7u : 5u))
        return fail(size,
                    "a patch's size needs " + std::to_string(extendedHeader ? 7 : 5) + " numbers");
    if (!expect("(", "'(' of a patch's control points")) return false;
    std::vector<double> values;
    for (;;) {
        Token token;
        if (!next(token)) return false;
        if (token.is(")")) return true;
        if (!token.is("(")) return fail(token, "expected '(' of a row of control points");
        for (;;) {
            Token inner;
            if (!next(inner)) return false;
            if (inner.is(")")) break;
            if (!inner.is("(")) return fail(inner, "expected '(' of a control point");
            values.clear();
            if (!numbersUntilClose(&values)) return false;
            if (values.size() < 3) return fail(inner, "a control point needs x y z");
            map_.points.push_back({values[0], values[1], values[2]});
        }
    }
}

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    out += text;
    out += '"';
}

}  // namespace

bool readMapText(std::string text, MapText& map, MapTextError& error) {
    map = MapText();
    map.text = std::move(text);
    // A face line is 60 bytes or more: the planes are stored without reallocating.
    map.planes.reserve(map.text.size() / 60);
    MapReader reader(map, error);
    if (reader.readFile()) return true;
    map = MapText();
    return false;
}

std::string withLineEnds(std::string_view text, std::string_view lineEnd) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            out += text[i];
            continue;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += lineEnd;
    }
    return out;
}

void writeMapEntity(std::string& out, std::string_view comment, const std::vector<MapLine>& lines,
                    const std::vector<std::string_view>& brushes, const MapStyle& style) {
    if (!comment.empty()) {
        out += "// ";
        out += comment;
        out += style.lineEnd;
    }
    out += "{";
    out += style.lineEnd;
    for (const MapLine& line : lines) {
        out += style.indent;
        appendQuoted(out, line.key);
        out += style.separator;
        appendQuoted(out, line.value);
        out += style.lineEnd;
    }
    for (std::string_view brush : brushes) {
        out += withLineEnds(brush, style.lineEnd);
        out += style.lineEnd;
    }
    out += "}";
    out += style.lineEnd;
}
