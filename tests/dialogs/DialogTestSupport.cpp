#include "DialogTestSupport.h"

#include <QAbstractButton>
#include <QTest>

void ClickControl(QWidget *form, const char *name)
{
    QWidget *control = Control<QWidget>(form, name);
    ASSERT_NE(control, nullptr);
    ASSERT_TRUE(control->isEnabled()) << name << " is disabled";
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

QList<Platform::MessageRecord> TakeMessages()
{
    const QList<Platform::MessageRecord> records = Platform::MessageBoxSeam::records();
    Platform::MessageBoxSeam::clearRecords();
    return records;
}

void ShowActive(QWidget *form)
{
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
}
