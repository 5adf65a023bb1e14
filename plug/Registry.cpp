#include "Registry.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <new>

#include <unistd.h>

namespace Plug {
namespace {

void copyName(char (&target)[NameSize], const char *source)
{
    std::memset(target, 0, NameSize);
    if (source)
        std::strncpy(target, source, NameSize - 1);
}

RegistryHead *headFromEnvironment()
{
    char name[NameSize];
    RegistryName(name);
    const char *value = std::getenv(name);
    if (!value || !*value)
        return nullptr;
    std::uintptr_t address = 0;
    const char *end = value + std::strlen(value);
    const auto parsed = std::from_chars(value, end, address, 16);
    if (parsed.ec != std::errc() || parsed.ptr != end || address == 0)
        return nullptr;
    return reinterpret_cast<RegistryHead *>(address);
}

// Publishes a new head; null when the variable cannot be set, so that no library ever
// registers into a registry that the others cannot find.
RegistryHead *createRegistry()
{
    auto *head = new (std::nothrow) RegistryHead{};
    if (!head)
        return nullptr;
    RegistryName(head->mappingName);
    char value[2 * sizeof(void *) + 1] = {};
    std::to_chars(value, value + sizeof(value) - 1, reinterpret_cast<std::uintptr_t>(head), 16);
    if (setenv(head->mappingName, value, 1) != 0) {
        delete head;
        return nullptr;
    }
    return head;
}

} // namespace

void RegistryName(char (&name)[NameSize])
{
    std::memset(name, 0, NameSize);
    char *end = std::to_chars(name, name + NameSize - 8, static_cast<long>(getpid())).ptr;
    std::memcpy(end, "Plug3.0", 7);
}

PlugModuleManage *OpenRegistry()
{
    RegistryHead *head = headFromEnvironment();
    return head ? head->table : nullptr;
}

ModuleEntry *FindModule(PlugModuleManage *table, const char *name)
{
    if (!table || !name)
        return nullptr;
    char key[NameSize];
    copyName(key, name);
    for (int32_t i = 0; i < table->count; ++i)
        if (std::strncmp(table->rows[i].name, key, NameSize) == 0)
            return &table->rows[i];
    return nullptr;
}

AutoReg::AutoReg(const char *moduleName, ModuleFactory moduleFactory) : factory(moduleFactory)
{
    copyName(name, moduleName);
    PlugModuleManage *found = OpenRegistry();
    if (!found) {
        auto *newTable = new (std::nothrow) PlugModuleManage{};
        if (!newTable)
            return;
        head = createRegistry();
        if (!head) {
            delete newTable;
            return;
        }
        created = true;
        head->table = newTable;
        found = newTable;
    }
    // A full table takes no further rows rather than writing past its end.
    if (found->count >= MaxModules) {
        table = found;
        return;
    }
    ModuleEntry &row = found->rows[found->count];
    std::memcpy(row.name, name, NameSize);
    row.factory = factory;
    ++found->count;
    table = found;
}

AutoReg::~AutoReg()
{
    if (table) {
        // Only this library's own row goes: same name and same factory. Another library may
        // have registered the same name, and its row must stay.
        for (int32_t i = 0; i < table->count; ++i) {
            ModuleEntry &row = table->rows[i];
            if (std::strncmp(row.name, name, NameSize) == 0 && row.factory == factory) {
                std::memmove(&table->rows[i], &table->rows[i + 1],
                             static_cast<std::size_t>(table->count - i - 1) * sizeof(ModuleEntry));
                --table->count;
                break;
            }
        }
    }
    if (created && head) {
        // Only clear the variable if it still publishes this head.
        if (headFromEnvironment() == head)
            unsetenv(head->mappingName);
        delete head->table;
        delete head;
    }
}

} // namespace Plug
