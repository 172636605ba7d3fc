// A labelled Find field over a list, in a holder window of their own: the shape of the
// entity list and of the class search. The owner derives from it and hears the holder's
// messages (the field's EN_CHANGE, the list's notifications).
#pragma once
#include "ui/bound_window.h"

class FindListHolder : public BoundWindow {
public:
    HWND findField() const { return field_; }
    HWND list() const { return list_; }
    // Whether w is the holder or one of its controls: keys typed there are text, not
    // shortcuts.
    bool owns(HWND w) const { return w && (w == window() || IsChild(window(), w)); }
    // Moves the holder to area and lays out the label, the field and the list in it.
    void move(const RECT& area);

protected:
    enum Control { FIELD_ID = 1, LIST_ID };
    struct Shape {
        const char* className;  // the holder's window class
        const char* caption;
        const char* label;  // before the field: "Find:"
        int labelWidth;     // the field starts there
        int inset;          // from the holder's edges to the field
        const char* listClass;
        DWORD listStyle;
    };
    bool createHolder(const Shape& shape, HWND parent, int id);

private:
    HWND label_ = nullptr, field_ = nullptr, list_ = nullptr;
    int labelWidth_ = 0, inset_ = 0;
};
