// Runs a copy of the real launcher in a folder of its own, with fixture libraries in dll/ and
// PlugDll/, and reads what the libraries logged.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Launch {
    int exitCode = -1;
    std::vector<std::string> log;
    std::string errors;
};

class LauncherTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("velmor-test-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "dll");
        fs::create_directories(root / "PlugDll");
        fs::copy_file(VELMOR, root / "velmor");
        fs::permissions(root / "velmor", fs::perms::owner_all);
    }
    void TearDown() override { fs::remove_all(root); }

    void place(const char *fixture, const fs::path &target)
    {
        fs::create_directories((root / target).parent_path());
        fs::copy_file(fs::path(FIXTURE_DIR) / (std::string(fixture) + ".so"), root / target);
    }

    Launch run()
    {
        const fs::path logPath = root / "events.log";
        const fs::path errPath = root / "stderr.txt";
        const std::string command = "cd / && PLUG_TEST_LOG='" + logPath.string() + "' '" +
                                    (root / "velmor").string() + "' 2>'" + errPath.string() + "'";
        Launch result;
        const int status = std::system(command.c_str());
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::ifstream log(logPath);
        for (std::string line; std::getline(log, line);)
            result.log.push_back(line);
        std::ifstream err(errPath);
        result.errors.assign(std::istreambuf_iterator<char>(err), {});
        return result;
    }

    static std::vector<std::string> events(const Launch &r, const std::string &kind)
    {
        std::vector<std::string> names;
        for (const std::string &line : r.log)
            if (line.rfind(kind + " ", 0) == 0)
                names.push_back(line.substr(kind.size() + 1));
        return names;
    }

    fs::path root;
};

} // namespace

TEST_F(LauncherTree, LoadsDllBeforePlugDllRunsTheModuleAndUnloadsInReverse)
{
    place("fixture_b", "dll/SPLIT.SO");
    place("fixture_a", "dll/module.so");
    place("fixture_c", "dll/sub/nested.so");
    place("fixture_c", "PlugDll/store.So");
    std::ofstream(root / "dll" / "notes.so") << "not a library\n";
    std::ofstream(root / "dll" / "readme.txt") << "ignored\n";

    const Launch r = run();
    EXPECT_EQ(r.exitCode, 0) << r.errors;

    const auto loads = events(r, "load");
    ASSERT_EQ(loads.size(), 3u) << "the nested library and the text file must not load";
    EXPECT_TRUE(std::find(loads.begin(), loads.end(), "SPLIT.SO") != loads.end());
    EXPECT_TRUE(std::find(loads.begin(), loads.end(), "module.so") != loads.end());
    EXPECT_EQ(loads.back(), "store.So") << "PlugDll/ is scanned after dll/";

    auto unloads = events(r, "unload");
    std::reverse(unloads.begin(), unloads.end());
    EXPECT_EQ(unloads, loads);

    const auto runs = events(r, "run");
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs.front().rfind("Orvanta Pagemill icon", 0), 0u) << "the title and the embedded icon set: " << runs.front();

    // Launch happens while every library is loaded, before any unload.
    const auto runAt = std::find_if(r.log.begin(), r.log.end(), [](const std::string &l) { return l.rfind("run ", 0) == 0; });
    const auto firstUnload = std::find_if(r.log.begin(), r.log.end(), [](const std::string &l) { return l.rfind("unload ", 0) == 0; });
    EXPECT_LT(runAt, firstUnload);
}

TEST_F(LauncherTree, MissingModuleIsReportedAndNothingRuns)
{
    place("fixture_b", "dll/b.so");
    const Launch r = run();
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(events(r, "run").empty());
    EXPECT_EQ(events(r, "unload"), events(r, "load"));
    EXPECT_NE(r.errors.find("CarvelloMui"), std::string::npos) << r.errors;
    EXPECT_NE(r.errors.find((root / "dll/").string()), std::string::npos) << r.errors;
    EXPECT_NE(r.errors.find((root / "PlugDll/").string()), std::string::npos) << r.errors;
}

TEST_F(LauncherTree, EmptyOrMissingFoldersLoadNothing)
{
    fs::remove_all(root / "PlugDll");
    const Launch r = run();
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.log.empty());
}
