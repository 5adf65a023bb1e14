#include "Plug.h"
#include "Registry.h"

I_Plug *CreatePlugModule(const char *name)
{
    try {
        Plug::ModuleEntry *row = Plug::FindModule(Plug::OpenRegistry(), name);
        if (!row || !row->factory)
            return nullptr;
        I_Plug *module = row->factory();
        if (!module)
            return nullptr;
        bool ready = false;
        try {
            ready = module->InitInstance();
        } catch (...) {
            ready = false;
        }
        if (!ready) {
            module->Release();
            return nullptr;
        }
        return module;
    } catch (...) {
        return nullptr;
    }
}
