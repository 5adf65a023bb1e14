#include "MessageBox.h"
#include "MessageBoxSeam.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

namespace Platform {
namespace {

struct SeamState {
    bool installed = false;
    MessageBoxSeam::Handler handler;
    QList<MessageRecord> records;
};

SeamState &seam()
{
    static SeamState state;
    return state;
}

int defaultAnswer(unsigned flags)
{
    return (flags & 0xF) == MB_YESNO ? IDYES : IDOK;
}

QMessageBox::Icon iconFor(unsigned flags)
{
    switch (flags & 0xF0) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int ShowMessageBox(QWidget *owner, const QString &text, const QString &caption, unsigned flags)
{
    Q_ASSERT(!qApp || QThread::currentThread() == qApp->thread());
    SeamState &state = seam();
    if (state.installed) {
        MessageRecord record{owner ? owner->objectName() : QString(), text, caption, flags};
        state.records.append(record);
        return state.handler ? state.handler(record) : defaultAnswer(flags);
    }
    const bool yesNo = (flags & 0xF) == MB_YESNO;
    QMessageBox box(iconFor(flags), caption, text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("messageBox"));
    const int pressed = box.exec();
    if (yesNo)
        return pressed == QMessageBox::Yes ? IDYES : IDNO;
    return IDOK;
}

QString ApplicationTitle()
{
    return QApplication::applicationDisplayName();
}

void MessageBoxSeam::install()
{
    seam() = SeamState{};
    seam().installed = true;
}

void MessageBoxSeam::uninstall()
{
    seam() = SeamState{};
}

bool MessageBoxSeam::installed()
{
    return seam().installed;
}

void MessageBoxSeam::setHandler(Handler handler)
{
    seam().handler = std::move(handler);
}

QList<MessageRecord> MessageBoxSeam::records()
{
    return seam().records;
}

void MessageBoxSeam::clearRecords()
{
    seam().records.clear();
}

} // namespace Platform
