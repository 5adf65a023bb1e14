#include "Mockups.h"
#include "Skins.h"
#include "SkinApply.h"
#include "Ssbutton.h"
#include "Ssform.h"

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QPainter>
#include <QTimer>

#include <cstdio>
#include <exception>
#include <memory>

namespace {

bool Save(const QPixmap &pixmap, const QString &path)
{
    if (pixmap.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "gallery: cannot write %s\n", qPrintable(path));
    return false;
}

// A grab keeps the window's shape: outside the mask stays transparent.
QPixmap Shaped(QWidget *w)
{
    QPixmap shot = w->grab();
    QPixmap out(shot.size());
    out.setDevicePixelRatio(shot.devicePixelRatio());
    out.fill(Qt::transparent);
    QPainter p(&out);
    if (!w->mask().isEmpty())
        p.setClipRegion(w->mask());
    p.drawPixmap(0, 0, shot);
    return out;
}

QPixmap ButtonState(const char *name, int state)
{
    TssSkinButton button;
    ApplyButtonSkin(&button, name);
    if (state == TssSkinButton::StateHover) {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(&button, &enter);
    } else if (state == TssSkinButton::StatePressed) {
        button.setDown(true);
    } else if (state == TssSkinButton::StateDisabled) {
        button.setEnabled(false);
    }
    return Shaped(&button);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 3)
        qputenv("QT_SCALE_FACTOR", argv[2]);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: gallery OUTDIR [SCALE]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString suffix = argc >= 3 ? QStringLiteral("@%1x").arg(QString::fromLocal8Bit(argv[2])) : QString();
    QDir().mkpath(out + "/faces");
    QDir().mkpath(out + "/buttons");
    QDir().mkpath(out + "/windows");
    bool ok = true;

    std::size_t count = 0;
    const Res::SkinInfo *table = Res::SkinTable(&count);
    const char *stateNames[] = {"normal", "hover", "pressed", "disabled"};
    for (std::size_t i = 0; i < count; ++i) {
        const Res::SkinInfo &info = table[i];
        if (info.kind == Res::SkinKind::Strip) {
            for (int state = 0; state < 4; ++state)
                ok &= Save(ButtonState(info.name, state),
                           QStringLiteral("%1/buttons/%2_%3%4.png").arg(out, info.name, stateNames[state], suffix));
        } else if (info.kind == Res::SkinKind::Face) {
            QWidget form;
            ApplyFormSkin(new TssSkinForm(&form), info.name);
            ok &= Save(Shaped(&form), QStringLiteral("%1/faces/%2%3.png").arg(out, info.name, suffix));
        } else {
            ok &= Save(Res::skin(info.name), QStringLiteral("%1/faces/%2%3.png").arg(out, info.name, suffix));
        }
    }

    // One sheet with every strip in its four states, on the light panel colour.
    {
        const int rowHeight = 60, columnWidth = 140;
        QPixmap sheet(QSize(24 + 4 * columnWidth, 24 + int(count) * rowHeight) * app.devicePixelRatio());
        sheet.setDevicePixelRatio(app.devicePixelRatio());
        sheet.fill(QColor(0xEA, 0xEA, 0xEA));
        QPainter p(&sheet);
        int row = 0;
        for (std::size_t i = 0; i < count; ++i) {
            if (table[i].kind != Res::SkinKind::Strip)
                continue;
            for (int state = 0; state < 4; ++state)
                p.drawPixmap(12 + state * columnWidth, 12 + row * rowHeight, ButtonState(table[i].name, state));
            ++row;
        }
        p.end();
        ok &= Save(sheet.copy(QRect(QPoint(0, 0), QSize(24 + 4 * columnWidth, 24 + row * rowHeight) *
                                                      app.devicePixelRatio())),
                   QStringLiteral("%1/buttons/sheet%2.png").arg(out, suffix));
    }

    std::unique_ptr<QWidget> main;
    try {
        main.reset(MainWindowMockup());
    } catch (const std::exception &e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
        return 1;
    }
    main->show();
    ok &= Save(Shaped(main.get()), QStringLiteral("%1/windows/main%2.png").arg(out, suffix));
    const struct {
        const char *file;
        QWidget *(*make)(QWidget *);
    } dialogs[] = {{"custom", CustomDialogMockup}, {"bookmark", BookmarkDialogMockup}, {"about", AboutDialogMockup}};
    for (const auto &d : dialogs) {
        QWidget *dialog = d.make(main.get());
        dialog->show();
        ok &= Save(Shaped(dialog), QStringLiteral("%1/windows/%2%3.png").arg(out, d.file, suffix));
        delete dialog;
    }
    std::printf("gallery: pictures written to %s\n", qPrintable(QDir(out).absolutePath()));

    // GALLERY_HOLD=seconds keeps the main window and the about box on screen, for a screenshot of
    // real shaped windows (for example under Xvfb).
    const int hold = qEnvironmentVariableIntValue("GALLERY_HOLD");
    if (hold > 0) {
        QWidget *about = AboutDialogMockup(main.get());
        about->show();
        QTimer::singleShot(hold * 1000, &app, &QApplication::quit);
        app.exec();
        delete about;
    }
    return ok ? 0 : 1;
}
