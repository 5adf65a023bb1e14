// Registers the splitter module while the library loads and removes it while it unloads.
#include "CarvelloMui.h"
#include "Registry.h"

namespace {
const Plug::AutoReg registration("CarvelloMui", &CarvelloMui::Create);
}
