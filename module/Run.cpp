#include "Run.h"

#include "Application.h"
#include "Convert.h"
#include "IconSet.h"
#include "LauncherPath.h"
#include "MuiContext.h"
#include "OptionStore.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <memory>

const char *const HomeLinkText = "https://www.orvantastudio.com";
const char *const NoticeLineText = "Copyright (C) 2026 Orvanta Studio. All rights reserved.";

namespace {

QPointer<QWidget> g_mainWindow;

QIcon iconFromSet(const IconSet *set)
{
    QIcon icon;
    if (!set)
        return icon;
    for (int32_t i = 0; i < set->count; ++i) {
        QImage image;
        if (image.loadFromData(set->images[i].png, static_cast<int>(set->images[i].length), "PNG"))
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QString readVersion(const QString &configPath)
{
    I_Plug *plug = CreatePlugModule("Keldrix");
    if (!plug)
        return QString();
    auto *store = static_cast<I_OptionStore *>(plug);
    store->LoadOptions(reinterpret_cast<const char16_t *>(configPath.utf16()));
    const QString version = QString::fromUtf16(store->GetOptionText(u"product\\version"));
    store->Release();
    return version;
}

} // namespace

QWidget *MainWindow()
{
    return g_mainWindow.data();
}

bool RunApplication(const IconSet *icon, const char *title, const MainWindowFactory &createMainWindow)
{
    // A module on the desktop needs no COM apartment here; nothing to initialise.
    static int argc = 1;
    static char arg0[] = "velmor";
    static char *argv[] = {arg0, nullptr};

    // Tests may run the module inside their own application object.
    std::unique_ptr<MuiApplication> ownApp;
    if (!QCoreApplication::instance())
        ownApp = std::make_unique<MuiApplication>(argc, argv);

    auto context = std::make_unique<MuiContext>();
    std::unique_ptr<QWidget> mainWindow;
    try {
        QApplication::setWindowIcon(iconFromSet(icon));
        const QString folder = LauncherFolder();
        const QString titleText = QString::fromUtf8(title ? title : "");
        context->DataFolder = folder + QStringLiteral("sys/soft/") + titleText + QLatin1Char('/');
        context->StudioName = QStringLiteral("Orvanta Studio");
        context->Title = titleText;
        SetMuiContext(context.get());
        context->Version = readVersion(context->DataFolder + QStringLiteral("config.xml"));
        context->HomeLink = QString::fromUtf8(HomeLinkText);
        context->SupportLink = context->HomeLink + QStringLiteral("/support.html");
        context->NoticeLine = QString::fromUtf8(NoticeLineText);
        QApplication::setApplicationDisplayName(titleText);
        QApplication::setApplicationName(QStringLiteral("orvanta-pagemill"));

        mainWindow.reset(createMainWindow());
        g_mainWindow = mainWindow.get();
        mainWindow->show();
        QApplication::exec();
    } catch (const Platform::EConvertError &error) {
        MuiApplication::ShowException(error.message());
    } catch (const std::exception &error) {
        MuiApplication::ShowException(error);
    } catch (...) {
        MuiApplication::ShowException(QString());
    }
    mainWindow.reset();
    g_mainWindow = nullptr;
    SetMuiContext(nullptr);
    context.reset();
    return true;
}
