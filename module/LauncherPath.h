#pragma once

#include <QString>

// The folder of the running executable, ending in "/".
QString LauncherFolder();
