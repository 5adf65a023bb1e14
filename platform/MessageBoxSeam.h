// Test seam: while installed, ShowMessageBox shows nothing, records the call and lets a
// handler answer it (by default OK, or Yes for a Yes/No box).
#pragma once

#include <QList>
#include <QString>

#include <functional>

namespace Platform {

struct MessageRecord {
    QString ownerName; // objectName of the owner, empty without one
    QString text;
    QString caption;
    unsigned flags = 0;
};

class MessageBoxSeam {
public:
    using Handler = std::function<int(const MessageRecord &)>;
    static void install();
    static void uninstall();
    static bool installed();
    static void setHandler(Handler handler);
    static QList<MessageRecord> records();
    static void clearRecords();
};

} // namespace Platform
