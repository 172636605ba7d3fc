// The class-descriptor interface through which a host lists and creates a plug-in's kinds.
#pragma once
#include "api.h"
#include "values.h"

class Animatable;
class HostInterface;
struct HWND__;

class CORE_API ClassDesc {
public:
    virtual int isPublic() = 0;
    virtual Animatable* create(int loading) = 0;  // null when out of memory
    virtual int beginCreate(HostInterface* ip);
    virtual int endCreate(HostInterface* ip);
    virtual const char* className() = 0;
    virtual SClass_ID superClassID() = 0;
    virtual Class_ID classID() = 0;
    virtual const char* category() = 0;
    virtual int okToCreate(HostInterface* ip);
    virtual int hasClassParams();
    virtual void editClassParams(HWND__* parent);
    virtual void restoreClassDefaults(int flag);
    virtual int numActionTables();
    virtual int actionTable(int i);
    virtual int interfaceCount(int kind);

protected:
    ~ClassDesc() = default;  // descriptors are static; nobody deletes one through the base
};

// The four exports of a plug-in module.
using LibDescriptionFn = const char* (*)();
using LibNumberClassesFn = int (*)();
using LibClassDescFn = ClassDesc* (*)(int);
using LibVersionFn = uint32_t (*)();
