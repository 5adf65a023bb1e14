#include "CarvelloMui.h"

#include "Run.h"
#include "SplitterForm_Unit1.h"

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
    return RunApplication(static_cast<const IconSet *>(icon), title,
                          [] { return new TSplitterForm(nullptr); });
}
