#include "PlugDllLoader.h"

#include <algorithm>
#include <cctype>
#include <climits>

#include <dirent.h>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool hasLibrarySuffix(const std::string &name)
{
    static const std::string suffix = ".so";
    if (name.size() < suffix.size())
        return false;
    return std::equal(suffix.rbegin(), suffix.rend(), name.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

bool isRegularFile(const std::string &path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

std::string LauncherFolder()
{
    std::string path(PATH_MAX, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0)
        return std::string();
    path.resize(static_cast<std::size_t>(length));
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

PlugDllLoader::PlugDllLoader(std::string launcherFolder) : m_folder(std::move(launcherFolder)) {}

void PlugDllLoader::Scan(const std::string &folder)
{
    const std::string base = m_folder + folder;
    DIR *dir = opendir(base.c_str());
    if (!dir)
        return;
    while (const dirent *entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (!hasLibrarySuffix(name))
            continue;
        const std::string path = base + name;
        if (!isRegularFile(path))
            continue;
        if (count() >= MaxLibraries) {
            m_failures.push_back(path + ": more than 256 libraries");
            continue;
        }
        if (void *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            m_handles.push_back(handle);
        } else {
            const char *error = dlerror();
            m_failures.push_back(error ? error : path);
        }
    }
    closedir(dir);
}

void PlugDllLoader::UnloadAll()
{
    while (!m_handles.empty()) {
        dlclose(m_handles.back());
        m_handles.pop_back();
    }
}
