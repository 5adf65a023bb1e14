// Loads the real options-store plug-in for as long as the object lives.
#pragma once

#include <dlfcn.h>

class KeldrixLibrary {
public:
    KeldrixLibrary() : handle(dlopen(KELDRIX, RTLD_NOW | RTLD_LOCAL)) {}
    ~KeldrixLibrary()
    {
        if (handle)
            dlclose(handle);
    }
    KeldrixLibrary(const KeldrixLibrary &) = delete;
    KeldrixLibrary &operator=(const KeldrixLibrary &) = delete;
    void *handle;
};
