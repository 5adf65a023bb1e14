// The plug-in module interfaces. Their virtual operations are in a fixed slot order
// (declaration order), shared with libraries built elsewhere: never reorder or insert.
#pragma once

#include <cstdint>

// Base of every module object. The object destroys itself on its last Release, so it has
// no public destructor.
class I_Plug {
public:
    virtual bool InitInstance() = 0;  // slot 0
    virtual int32_t AddRef() = 0;     // slot 1
    virtual void Release() = 0;       // slot 2

protected:
    ~I_Plug() = default;
};

// The splitter module "CarvelloMui".
class I_CarvelloMui : public I_Plug {
public:
    virtual bool ExitInstance() = 0;                      // slot 3
    // Runs the application until its main window closes. icon is the launcher's icon set
    // (an IconSet, see resources/LauncherIcon.h) or null; title is UTF-8.
    virtual bool Run(const void *icon, const char *title) = 0; // slot 4

protected:
    ~I_CarvelloMui() = default;
};

// Creates a new module object holding one reference for the caller.
using ModuleFactory = I_Plug *(*)();

// Finds the module registered under name (letter case significant), creates it and runs
// InitInstance. Answers the module with one reference, or null; never throws.
I_Plug *CreatePlugModule(const char *name);
