// Answers the next modal dialog of the test's thread as a user would, from inside the
// dialog's own message loop: reads what it shows, then presses one of its buttons.
#pragma once
#include <string>

struct ModalAnswer {
    explicit ModalAnswer(const char* press) : button(press) {}
    std::string button;  // the text of the button to press, without its '&' ("Don't Save")
    // What the dialog showed: its caption, its texts (static controls, joined by '|'), and
    // for a file dialog its folder and file name.
    std::string title, text, folder, fileName;
    std::string buttons;  // the texts of its shown buttons and check boxes, joined by '|'
    bool answered = false;
};

// The next dialog that comes up is answered into answer, which must outlive it.
void answerNextDialog(ModalAnswer& answer);
