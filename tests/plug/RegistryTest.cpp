#include "Plug.h"
#include "Registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void *load(const char *name)
{
    const std::string path = std::string(FIXTURE_DIR) + "/" + name + ".so";
    void *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    EXPECT_NE(handle, nullptr) << dlerror();
    return handle;
}

std::vector<std::string> rowNames()
{
    std::vector<std::string> names;
    if (Plug::PlugModuleManage *table = Plug::OpenRegistry())
        for (int i = 0; i < table->count; ++i)
            names.emplace_back(table->rows[i].name);
    return names;
}

int liveObjects(void *handle)
{
    auto live = reinterpret_cast<int (*)()>(dlsym(handle, "fixture_live_objects"));
    return live ? live() : -1;
}

I_Plug *noModule()
{
    return nullptr;
}

std::string registryVariable()
{
    char name[Plug::NameSize];
    Plug::RegistryName(name);
    return name;
}

} // namespace

TEST(Registry, NameIsProcessIdFollowedByPlug30)
{
    EXPECT_EQ(registryVariable(), std::to_string(getpid()) + "Plug3.0");
}

TEST(Registry, LibrariesShareOneTableAndLeaveNothingBehind)
{
    ASSERT_EQ(Plug::OpenRegistry(), nullptr);
    void *a = load("fixture_a");
    ASSERT_NE(std::getenv(registryVariable().c_str()), nullptr);
    void *b = load("fixture_b");
    void *c = load("fixture_c");
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"ModA", "CarvelloMui", "ModB", "Dup", "ModC", "Dup"}));

    I_Plug *module = CreatePlugModule("ModB");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(liveObjects(b), 1);
    module->Release();
    EXPECT_EQ(liveObjects(b), 0);

    EXPECT_EQ(CreatePlugModule("modb"), nullptr) << "lookup must respect letter case";
    EXPECT_EQ(CreatePlugModule("Missing"), nullptr);

    // Two rows named Dup: the earlier one (library b) answers.
    I_Plug *dup = CreatePlugModule("Dup");
    ASSERT_NE(dup, nullptr);
    EXPECT_EQ(liveObjects(b), 1);
    EXPECT_EQ(liveObjects(c), 0);
    dup->Release();

    // Unloading b removes only b's rows; c's Dup now answers.
    dlclose(b);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"ModA", "CarvelloMui", "ModC", "Dup"}));
    dup = CreatePlugModule("Dup");
    ASSERT_NE(dup, nullptr);
    EXPECT_EQ(liveObjects(c), 1);
    dup->Release();

    dlclose(c);
    dlclose(a);
    EXPECT_EQ(Plug::OpenRegistry(), nullptr);
    EXPECT_EQ(std::getenv(registryVariable().c_str()), nullptr);
}

TEST(Registry, RemovingTheFirstOfThreeRowsKeepsTheOrder)
{
    Plug::AutoReg creator("Creator", &noModule);
    auto one = std::make_unique<Plug::AutoReg>("One", &noModule);
    Plug::AutoReg two("Two", &noModule);
    Plug::AutoReg three("Three", &noModule);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"Creator", "One", "Two", "Three"}));
    one.reset();
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"Creator", "Two", "Three"}));
    EXPECT_EQ(Plug::OpenRegistry()->count, 3);
}

TEST(Registry, FailedInitInstanceDestroysTheObject)
{
    void *handle = load("fixture_initfalse");
    EXPECT_EQ(CreatePlugModule("InitFalse"), nullptr);
    EXPECT_EQ(liveObjects(handle), 0);
    dlclose(handle);
}

TEST(Registry, ThrowingFactoryYieldsNone)
{
    void *handle = load("fixture_throw");
    EXPECT_EQ(CreatePlugModule("Thrower"), nullptr);
    dlclose(handle);
}

TEST(Registry, SecondProcessHasARegistryOfItsOwn)
{
    Plug::AutoReg parentRow("ParentOnly", &noModule);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The child inherits the parent's variable, but under the parent's process id.
        int code = Plug::OpenRegistry() == nullptr ? 0 : 1;
        {
            Plug::AutoReg childRow("ChildOnly", &noModule);
            if (rowNames() != std::vector<std::string>{"ChildOnly"})
                code |= 2;
        }
        if (Plug::OpenRegistry() != nullptr)
            code |= 4;
        _exit(code);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"ParentOnly"}));
}

TEST(Registry, LongNamesAreCutToThirtyOneCharacters)
{
    Plug::AutoReg row("A-module-name-much-longer-than-thirty-one", &noModule);
    ASSERT_EQ(rowNames().size(), 1u);
    EXPECT_EQ(rowNames().front().size(), 31u);
}
