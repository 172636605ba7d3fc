// The entity list docked beside the command panel: a filter box over a report list with
// one row per node (name, classname, target name, targets, state). A click selects the
// node (with Ctrl or Shift, several), a double click also shows it in a viewport, F2
// renames it in place. The list holds no texts of its own (it asks for each row's as it
// paints), so filling it with thousands of nodes and filtering them stays quick.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <string>
#include <vector>
#include "ui/find_list_holder.h"
#include "window/entity_rows.h"

class HostSession;

class EntityListWindow : public FindListHolder {
public:
    explicit EntityListWindow(HostSession& session);

    // Makes the windows; the rows come with the first refresh, once the list has its size.
    bool create(HWND parent, int id);
    HWND filterBox() const { return findField(); }
    // After a change of the scene: the rows that changed, and the selected node's row.
    void refresh();

    // A double click asks for the node to be shown.
    std::function<void(const Node&)> onShow;
    // Asked first when the user picks a row: true when a command waiting for a pick took
    // the node (Link), and the scene's selection, and so the list's, stays as it was.
    std::function<bool(Node&)> onPick;

private:
    LRESULT handle(HWND w, UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT notify(NMHDR* header);
    void filterChanged();
    void showRows();
    std::vector<int> selectedRows() const;
    void followSelection();
    void rowsPicked(bool added);
    void selectPickedRows();
    bool pickTaken(const std::vector<Node*>& picked);
    void rowText(NMLVDISPINFOA& info);
    LRESULT customDraw(NMLVCUSTOMDRAW& draw);
    void rowPicked(int row);
    // F2: the name of the selected row in a box over it. Renaming starts here only.
    void renameSelectedRow();
    bool renamed(const NMLVDISPINFOA& info);

    HostSession& session_;
    EntityRows rows_;
    bool following_ = false;    // the list's selection set from the scene's, not the user's
    bool pickPosted_ = false;   // a change of the user's selection waits to be taken up
    bool pickAdds_ = false;     // it was made with Ctrl or Shift held
    bool renameAsked_ = false;  // F2 is opening the rename box
};
