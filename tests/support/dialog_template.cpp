#include "dialog_template.h"
#include <cstring>

namespace {

// A cursor over the template's WORD-aligned fields that refuses to read past its end.
class TemplateReader {
public:
    TemplateReader(const void* data, size_t size)
        : base_(static_cast<const uint8_t*>(data)), size_(size) {}

    bool ok() const { return ok_; }

    uint16_t word() {
        uint16_t v = 0;
        read(&v, sizeof v);
        return v;
    }
    uint32_t dword() {
        uint32_t v = 0;
        read(&v, sizeof v);
        return v;
    }
    int16_t coordinate() { return static_cast<int16_t>(word()); }

    // A zero-terminated UTF-16 string of ASCII text.
    std::string string() {
        std::string s;
        for (uint16_t c = word(); ok_ && c != 0; c = word()) s.push_back(static_cast<char>(c));
        return s;
    }

    // A string, or an ordinal after 0xFFFF; prefix 0 means none.
    std::string nameOrOrdinal(bool predefinedClass) {
        if (!ok_ || at_ + 2 > size_) return fail();
        uint16_t first;
        std::memcpy(&first, base_ + at_, 2);
        if (first == 0) return at_ += 2, std::string();
        if (first != 0xFFFF) return string();
        at_ += 2;
        const uint16_t ordinal = word();
        return predefinedClass ? predefinedClassName(ordinal) : "#" + std::to_string(ordinal);
    }

    void alignTo(size_t boundary) { at_ = (at_ + boundary - 1) / boundary * boundary; }
    void skip(size_t bytes) { at_ += bytes; }

private:
    static std::string predefinedClassName(uint16_t atom) {
        static const char* const names[] = {"BUTTON",  "EDIT",      "STATIC",
                                            "LISTBOX", "SCROLLBAR", "COMBOBOX"};
        if (atom >= 0x80 && atom <= 0x85) return names[atom - 0x80];
        return "#" + std::to_string(atom);
    }
    void read(void* dst, size_t n) {
        if (!ok_ || at_ + n > size_) {
            fail();
            return;
        }
        std::memcpy(dst, base_ + at_, n);
        at_ += n;
    }
    std::string fail() {
        ok_ = false;
        return std::string();
    }

    const uint8_t* base_;
    size_t size_;
    size_t at_ = 0;
    bool ok_ = true;
};

constexpr uint32_t extendedSignature = 0xFFFF0001;

void readItem(TemplateReader& in, bool extended, DialogItem& item) {
    in.alignTo(4);
    if (extended) {
        in.dword();  // help id
        item.exStyle = in.dword();
        item.style = in.dword();
    } else {
        item.style = in.dword();
        item.exStyle = in.dword();
    }
    item.x = in.coordinate();
    item.y = in.coordinate();
    item.cx = in.coordinate();
    item.cy = in.coordinate();
    item.id = extended ? in.dword() : in.word();
    item.className = in.nameOrOrdinal(true);
    item.text = in.nameOrOrdinal(false);
    in.skip(in.word());  // creation data
}

}  // namespace

bool parseDialogTemplate(const void* data, size_t size, DialogTemplate& out) {
    TemplateReader in(data, size);
    out = DialogTemplate();
    const uint32_t first = in.dword();
    const bool extended = first == extendedSignature;
    if (extended) {
        in.dword();  // help id
        out.exStyle = in.dword();
        out.style = in.dword();
    } else {
        out.style = first;
        out.exStyle = in.dword();
    }
    const uint16_t count = in.word();
    out.x = in.coordinate();
    out.y = in.coordinate();
    out.cx = in.coordinate();
    out.cy = in.coordinate();
    out.menu = in.nameOrOrdinal(false);
    out.className = in.nameOrOrdinal(false);
    out.caption = in.string();
    out.pointSize = 0;
    if (out.style & DS_SETFONT) {
        out.pointSize = in.word();
        if (extended) in.skip(4);  // weight, italic, character set
        out.fontName = in.string();
    }
    out.items.resize(count);
    for (DialogItem& item : out.items) readItem(in, extended, item);
    return in.ok();
}

bool loadDialogTemplate(HMODULE module, int id, LANGID language, DialogTemplate& out) {
    HRSRC found = FindResourceExA(module, RT_DIALOG, MAKEINTRESOURCEA(id), language);
    if (!found) return false;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    return data && parseDialogTemplate(data, SizeofResource(module, found), out);
}
