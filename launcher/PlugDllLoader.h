// The table of loaded plug-in libraries.
#pragma once

#include <string>
#include <vector>

class PlugDllLoader {
public:
    static constexpr int MaxLibraries = 256;

    explicit PlugDllLoader(std::string launcherFolder);

    // Loads every "*.so" (any letter case) directly inside launcherFolder + folder, in the
    // order the file system lists them. Sub-folders are not searched; what fails to load is
    // skipped and remembered in failures().
    void Scan(const std::string &folder);
    // Unloads every library, the last loaded first.
    void UnloadAll();

    int count() const { return static_cast<int>(m_handles.size()); }
    const std::vector<std::string> &failures() const { return m_failures; }

private:
    std::string m_folder;
    std::vector<void *> m_handles;
    std::vector<std::string> m_failures;
};

// The folder of the running executable, ending in "/"; empty when it cannot be read.
std::string LauncherFolder();
