// The module's application run: the application object, the module context, the version
// from the options store, the main window and the message loop.
#pragma once

#include <functional>

class QWidget;
struct IconSet;

using MainWindowFactory = std::function<QWidget *()>;

// Runs until the main window closes and answers true. Any exception on the way is shown in
// one message box; the run then ends and still answers true.
bool RunApplication(const IconSet *icon, const char *title, const MainWindowFactory &createMainWindow);

// The main window while the run is active, else null.
QWidget *MainWindow();

// The fixed texts of the module context.
extern const char *const HomeLinkText;
extern const char *const NoticeLineText;
