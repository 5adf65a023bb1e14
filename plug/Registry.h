// The per-process module registry: a table of (module name, factory) rows that every module
// library fills while it loads and empties while it unloads.
//
// Its address is published in the process environment variable named "<pid>Plug3.0", whose
// value is the registry head's address in hexadecimal. The variable dies with the process,
// and the launcher clears any such variable it inherits before it loads a library.
#pragma once

#include "Plug.h"

#include <cstddef>
#include <cstdint>

namespace Plug {

constexpr int MaxModules = 256;
constexpr std::size_t NameSize = 32; // 31 characters and the terminating zero

struct ModuleEntry {
    char name[NameSize];
    ModuleFactory factory;
};

struct PlugModuleManage {
    ModuleEntry rows[MaxModules];
    int32_t count;
};

struct RegistryHead {
    char mappingName[NameSize]; // the environment variable that publishes this head
    PlugModuleManage *table;
};

static_assert(offsetof(ModuleEntry, factory) == NameSize);
static_assert(sizeof(ModuleEntry) == NameSize + sizeof(void *));
static_assert(offsetof(PlugModuleManage, count) == MaxModules * sizeof(ModuleEntry));

// "<pid>Plug3.0" in a zero-filled buffer.
void RegistryName(char (&name)[NameSize]);

// The table of this process's registry, or null when there is none.
PlugModuleManage *OpenRegistry();

// The first row whose name equals name byte for byte, or null.
ModuleEntry *FindModule(PlugModuleManage *table, const char *name);

// One static object per module a library offers: registers the module while the library
// loads and removes its row while it unloads.
class AutoReg {
public:
    AutoReg(const char *name, ModuleFactory factory);
    ~AutoReg();
    AutoReg(const AutoReg &) = delete;
    AutoReg &operator=(const AutoReg &) = delete;

private:
    char name[NameSize] = {};
    bool created = false;
    PlugModuleManage *table = nullptr;
    RegistryHead *head = nullptr;
    ModuleFactory factory = nullptr;
};

} // namespace Plug
