// The mouse procedure through which a host lets the user place a new object.
#pragma once
#include "geom.h"

class HostViewport;

constexpr int CreateMsgCancel = 0;
constexpr int CreateMsgPoint = 1;
constexpr int CreateMsgMove = 2;

constexpr int CREATE_STOP = 0;
constexpr int CREATE_CONTINUE = 1;
constexpr int CREATE_ABORT = -1;

class MouseCreateCallback {
public:
    // msg is a CreateMsg code, point the index of the point being set, mouse the window
    // position; transform is the new node's matrix, which the callback may move.
    virtual int onMouse(HostViewport* vpt, int msg, int point, int flags, IPoint2 mouse,
                        Matrix3& transform) = 0;
    virtual int adjustMode(int mode) { return mode; }

protected:
    ~MouseCreateCallback() = default;
};
