#include "WindowFixture.h"

#include "Actions.h"
#include "FileDialogs.h"
#include "MessageBoxSeam.h"
#include "Shell.h"
#include "Splitthread.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

void WindowTest::SetUp()
{
    Platform::MessageBoxSeam::install();
    Platform::ShellSeam::install();
    Platform::FileDialogSeam::install();
    context.DataFolder = QStringLiteral(STAGE_DATA_DIR "/");
    context.StudioName = QStringLiteral("Orvanta Studio");
    context.Title = QStringLiteral("Orvanta Pagemill");
    context.HomeLink = QStringLiteral("https://www.orvantastudio.com");
    context.SupportLink = context.HomeLink + QStringLiteral("/support.html");
    SetMuiContext(&context);
    form = std::make_unique<TSplitterForm>(nullptr);
    form->show();
    TAction::UpdateAll();
}

void WindowTest::TearDown()
{
    form.reset();
    SetMuiContext(nullptr);
}

QString WindowTest::MakePdf(const QString &name, const PdfGen::Document &document)
{
    const QString path = work.filePath(name);
    PdfGen::Write(path, document);
    return path;
}

void WindowTest::Open(const QString &path)
{
    Platform::FileDialogSeam::queueAnswer(path);
    Click("btnOpenFile");
}

void WindowTest::Click(const char *name)
{
    auto *widget = form->findChild<QWidget *>(QString::fromLatin1(name));
    ASSERT_NE(widget, nullptr) << name;
    TAction::UpdateAll();
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
    TAction::UpdateAll();
}

void WindowTest::Type(const char *name, const QString &text)
{
    auto *edit = form->findChild<QLineEdit *>(QString::fromLatin1(name));
    ASSERT_NE(edit, nullptr) << name;
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

void WindowTest::WaitForJob()
{
    QElapsedTimer clock;
    clock.start();
    while (form->JobRunning() && clock.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_FALSE(form->JobRunning()) << "the job did not end within a minute";
    if (form->splitThread)
        form->splitThread->WaitFor();
}
