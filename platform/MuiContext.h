// The module context: what the windows need to know about the running module.
#pragma once

#include <QString>

struct MuiContext {
    QString DataFolder;  // launcher folder + "sys/soft/" + Title + "/"
    QString StudioName;  // "Orvanta Studio"
    QString Title;       // the application title
    QString Version;     // "product\version" of config.xml
    QString HomeLink;
    QString SupportLink; // HomeLink + "/support.html"
    QString NoticeLine;
};

// Publishes the context through the application object's tag (null clears it).
void SetMuiContext(MuiContext *context);
// The current context, valid while the module runs; null before and after.
MuiContext *GetMuiContext();
