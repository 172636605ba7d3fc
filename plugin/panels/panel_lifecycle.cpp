// The life of the parameter pages while a helper is edited: which pages go up, in what
// order, how kept pages are handed to the next helper, and what is read back at the end.
#include "panels.h"
#include "resources/resource.h"
#include "class_pages.h"
#include "entity/entity_helper.h"
#include "resources/resource_strings.h"

HostInterface* hostInterface = nullptr;
HWND helperPanelWnd = nullptr;
HWND classPanelWnd = nullptr;
int classPanelId = 0;
HWND keyValuePanelWnd = nullptr;

// The word holds a whole pointer: the pointer-sized calls keep all 64 bits of it.
VexalEntityHelper* pageHelper(HWND page) {
    return reinterpret_cast<VexalEntityHelper*>(GetWindowLongPtrA(page, GWLP_USERDATA));
}

void bindPage(HWND page, VexalEntityHelper* helper) {
    SetWindowLongPtrA(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(helper));
}

namespace {

// Adds one page for helper; its procedure binds itself in WM_INITDIALOG. A page the host
// could not make stays null and is asked for again at the next begin-edit.
HWND addPage(HostInterface* ip, int dialogId, DLGPROC proc, int titleId,
             VexalEntityHelper* helper) {
    HWND page = ip->addRollupPage(moduleInstance, dialogId, proc, loadResourceString(titleId),
                                  reinterpret_cast<LPARAM>(helper), 0);
    if (page) ip->registerPanelWindow(page);
    return page;
}

// Deletes the page when the pages go, or leaves it up unbound for the next helper.
void takeDown(HostInterface* ip, HWND& page, uint32_t flags) {
    if (!page) return;
    if (flags & END_EDIT_REMOVEUI) {
        ip->unregisterPanelWindow(page);
        ip->deleteRollupPage(page);
        page = nullptr;
    } else {
        bindPage(page, nullptr);
    }
}

}  // namespace

void VexalEntityHelper::beginEdit(HostInterface* ip, uint32_t, Animatable*) {
    hostInterface = ip;
    if (!helperPanelWnd) {
        helperPanelWnd = addPage(ip, IDD_HELPER_PANEL, helperDlgProc, IDS_PARAMETERS, this);
    } else {
        bindPage(helperPanelWnd, this);
        refreshHelperPanel(helperPanelWnd, this);
    }
    addClassPanel(ip);
    addKeyValuePanel(ip);
}

void VexalEntityHelper::endEdit(HostInterface* ip, uint32_t flags, Animatable*) {
    removeKeyValuePanel(ip, flags);
    removeClassPanel(ip, flags);
    // Every control of the helper panel has written the helper already.
    takeDown(ip, helperPanelWnd, flags);
    hostInterface = nullptr;
}

// A kept class page stays whatever this helper's classname: the door/light choice is made
// only when no class page is up.
void VexalEntityHelper::addClassPanel(HostInterface* ip) {
    hostInterface = ip;
    if (classPanelWnd) {
        bindPage(classPanelWnd, this);
        if (classPanelId == IDD_ENTITY_PARAMS) refreshEntityParamsPanel(classPanelWnd, this);
        if (classPanelId == IDD_LIGHT_PARAMS) refreshLightParamsPanel(classPanelWnd, this);
        return;
    }
    const PageClass pages = pageClassOfIndex(classIndex);
    if (pages == PageClass::Door) {
        classPanelWnd = addPage(ip, IDD_ENTITY_PARAMS, entityParamsDlgProc, IDS_DOOR_PARAMS, this);
        classPanelId = IDD_ENTITY_PARAMS;
    } else if (pages == PageClass::Light) {
        classPanelWnd = addPage(ip, IDD_LIGHT_PARAMS, lightParamsDlgProc, IDS_LIGHT_PARAMS, this);
        classPanelId = IDD_LIGHT_PARAMS;
    }
}

void VexalEntityHelper::addKeyValuePanel(HostInterface* ip) {
    hostInterface = ip;
    if (!keyValuePanelWnd) {
        keyValuePanelWnd = addPage(ip, IDD_KEY_VALUE, keyValueDlgProc, IDS_MAP_PARAMETERS, this);
        return;
    }
    bindPage(keyValuePanelWnd, this);
    fillKeyValuePanel(keyValuePanelWnd);
}

// Only typing since the last fill or commit is stored: an untouched page leaves a text
// written by another tool as it was, bar-less or with pieces longer than a cell.
void VexalEntityHelper::removeKeyValuePanel(HostInterface* ip, uint32_t flags) {
    if (keyValuePanelWnd && keyValueCellsTyped(keyValuePanelWnd)) readKeyValuePanel();
    takeDown(ip, keyValuePanelWnd, flags);
}

// Target Name and Message are stored on their commit only; what the user typed without
// committing is caught here.
void VexalEntityHelper::removeClassPanel(HostInterface* ip, uint32_t flags) {
    if (classPanelWnd && classPanelId == IDD_ENTITY_PARAMS)
        readBackEntityParamsPanel(classPanelWnd, this);
    takeDown(ip, classPanelWnd, flags);
}

void VexalEntityHelper::notifyAndRedraw() {
    NotifyDependents(Interval(TIME_NegInfinity, TIME_PosInfinity), PART_TOPO | PART_GEOM,
                     REFMSG_CHANGE, NOTIFY_ALL, 1, nullptr);
    if (!hostInterface) return;
    TimeValue now = hostInterface->currentTime();
    hostInterface->redrawViewports(now, REDRAW_NORMAL, nullptr);
}
