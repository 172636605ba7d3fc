#include "vexsdk/classdesc.h"

int ClassDesc::beginCreate(HostInterface*) { return 0; }
int ClassDesc::endCreate(HostInterface*) { return 0; }
int ClassDesc::okToCreate(HostInterface*) { return 1; }
int ClassDesc::hasClassParams() { return 0; }
void ClassDesc::editClassParams(HWND__*) {}
void ClassDesc::restoreClassDefaults(int) {}
int ClassDesc::numActionTables() { return 0; }
int ClassDesc::actionTable(int) { return 0; }
int ClassDesc::interfaceCount(int) { return 0; }
