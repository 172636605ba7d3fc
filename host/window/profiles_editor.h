// Run > Compile Profiles...: the user's profile file in a text field, saved only when it
// parses (a mistake is shown at its FILE:LINE and nothing is written). A first run, with no
// file yet, starts from the example profile.
#pragma once
#include "ui/bound_window.h"
#include <windows.h>
#include <functional>
#include <string>

class ProfilesEditor : public BoundWindow {
public:
    ProfilesEditor(HWND owner, std::string path) : owner_(owner), path_(std::move(path)) {}
    ~ProfilesEditor() override = default;
    ProfilesEditor(const ProfilesEditor&) = delete;
    ProfilesEditor& operator=(const ProfilesEditor&) = delete;

    void show();
    // Saves the text as it stands; false (with the message shown) when it does not parse.
    bool save();
    HWND text() const { return text_; }

    std::function<void(const std::string& note)> onNote;

private:
    LRESULT handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) override;
    void create();
    void layout(int width, int height);

    HWND owner_;
    std::string path_;
    HWND text_ = nullptr, save_ = nullptr;
};
