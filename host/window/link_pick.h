// Edit > Link: the selected helpers wait for a click on the helper they are to fire, in a
// viewport or the entity list; Escape gives up. The link itself is the session's.
#pragma once
#include <string>

class HostSession;
class Node;

class LinkPick {
public:
    explicit LinkPick(HostSession& session) : session_(session) {}

    void start() { pending_ = true; }
    bool pending() const { return pending_; }
    // True when a link was waiting.
    bool cancel();
    // What the next click will do, for the status bar.
    std::string prompt() const;
    // The click while a link waits, on node (null: on nothing): every selected helper then
    // fires it, and the wait ends. What to tell the user.
    std::string pick(Node* node);

private:
    HostSession& session_;
    bool pending_ = false;
};
