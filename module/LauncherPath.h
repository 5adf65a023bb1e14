#pragma once

#include <QString>
#include <QStringList>

// The folder of the running executable, ending in "/".
QString LauncherFolder();

// The files named on the process's command line (after the program name), as local paths;
// "file:" addresses are turned into paths. The launcher itself reads no arguments.
QStringList CommandLineFiles();
