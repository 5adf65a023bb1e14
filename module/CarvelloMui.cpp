#include "CarvelloMui.h"

#include "LauncherPath.h"
#include "Run.h"
#include "SplitterForm_Unit1.h"

#include <QTimer>

I_Plug *CarvelloMui::Create()
{
    return new CarvelloMui;
}

void CarvelloMui::Release()
{
    if (--m_refs == 0)
        delete this;
}

bool CarvelloMui::Run(const void *icon, const char *title)
{
    return RunApplication(static_cast<const IconSet *>(icon), title, [] {
        auto *form = new TSplitterForm(nullptr);
        // "Open with" from the desktop names the file on the command line; it opens as a drop would.
        const QStringList files = CommandLineFiles();
        if (!files.isEmpty())
            QTimer::singleShot(0, form, [form, files] { form->DropFiles(files); });
        return form;
    });
}
