// The launcher: loads the plug-in libraries of dll/ and PlugDll/, runs the splitter module
// and unloads everything in reverse order.
#include "PlugDllLoader.h"

#include "Plug.h"
#include "Registry.h"

#ifdef PAGEMILL_HAVE_ICON
#include "LauncherIcon.h"
#endif

#include <cstdio>
#include <cstdlib>

int main()
{
    const char *const moduleName = "CarvelloMui";
    const char *const title = "Orvanta Pagemill";

    // No library has registered yet, so a registry variable for this process id can only be
    // inherited or planted: it must never be followed.
    char registryName[Plug::NameSize];
    Plug::RegistryName(registryName);
    unsetenv(registryName);

    const std::string folder = LauncherFolder();
    PlugDllLoader loader(folder);
    loader.Scan("dll/");
    loader.Scan("PlugDll/");

    I_Plug *module = CreatePlugModule(moduleName);
    if (!module) {
        std::fprintf(stderr, "velmor: module \"%s\" not found in %sdll/ or %sPlugDll/\n", moduleName,
                     folder.c_str(), folder.c_str());
        for (const std::string &failure : loader.failures())
            std::fprintf(stderr, "velmor: could not load %s\n", failure.c_str());
        loader.UnloadAll();
        return 1;
    }

#ifdef PAGEMILL_HAVE_ICON
    const void *icon = LauncherIconSet();
#else
    const void *icon = nullptr;
#endif
    static_cast<I_CarvelloMui *>(module)->Run(icon, title);
    module->Release();
    loader.UnloadAll();
    return 0;
}
