// A name typed into a page's Target Name field, or into the value cell beside a "target"
// or "killtarget" key, is completed as it is typed to the first name of the scene that
// starts with it; the added part is selected, so typing on replaces it.
#pragma once
#include <windows.h>

class HostSession;

// After a character typed in the window has been handled by its field.
void completeTargetField(HostSession& session, const MSG& msg);
