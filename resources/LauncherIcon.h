#pragma once

#include "IconSet.h"

// The application icon as PNG files embedded in the launcher, smallest first (16 to 256 px).
// The launcher hands LauncherIconSet() on as its icon handle; the module turns it into a QIcon.
const IconSet *LauncherIconSet();
