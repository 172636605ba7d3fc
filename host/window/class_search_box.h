// The creation area's class search: a field over a list of every classname of the
// catalogue, kept to those holding the typed text, each with how many nodes of the scene
// carry it. Picking a line asks for a helper of that classname to be created.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "session/class_search.h"
#include "ui/find_list_holder.h"

class HostSession;

class ClassSearchBox : public FindListHolder {
public:
    static constexpr int HEIGHT = 118;

    explicit ClassSearchBox(HostSession& session) : session_(session) {}

    bool create(HWND parent, int id);
    HWND searchField() const { return findField(); }
    // After a change of the scene: the counts; the line picked stays picked.
    void refresh();

    std::function<void(const std::string& classname)> onPick;

private:
    LRESULT handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) override;
    void picked();

    HostSession& session_;
    std::vector<ClassCount> shown_;
};
