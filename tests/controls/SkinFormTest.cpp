#include "Ssform.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QColor kFuchsia(255, 0, 255);

// A 60 x 40 face whose top-left 5 x 5 corner and a 4 x 4 hole at (30, 20) are fuchsia.
QPixmap Face(qreal dpr = 1.0)
{
    const int s = int(dpr);
    QImage image(60 * s, 40 * s, QImage::Format_RGB32);
    image.fill(QColor(0xEA, 0xEA, 0xEA));
    QPainter p(&image);
    p.fillRect(0, 0, 5 * s, 5 * s, kFuchsia);
    p.fillRect(30 * s, 20 * s, 4 * s, 4 * s, kFuchsia);
    p.end();
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(dpr);
    return pixmap;
}

} // namespace

TEST(SkinForm, AttachesByName)
{
    QWidget form;
    auto *skin = new TssSkinForm(&form);
    EXPECT_EQ(skin->objectName(), QStringLiteral("ssSkinForm1"));
    EXPECT_EQ(form.findChild<TssSkinForm *>(QStringLiteral("ssSkinForm1")), skin);
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(skin->TransparentColor(), kFuchsia);
}

TEST(SkinForm, GlyphFixesSizeAndShape)
{
    for (qreal dpr : {1.0, 2.0}) {
        QWidget form;
        auto *skin = new TssSkinForm(&form);
        skin->setGlyph(Face(dpr));
        EXPECT_EQ(form.size(), QSize(60, 40)) << dpr;
        EXPECT_EQ(form.minimumSize(), form.maximumSize()) << dpr;
        const QRegion mask = form.mask();
        EXPECT_FALSE(mask.contains(QPoint(0, 0))) << dpr;
        EXPECT_FALSE(mask.contains(QPoint(4, 4))) << dpr;
        EXPECT_FALSE(mask.contains(QPoint(31, 21))) << dpr;
        EXPECT_TRUE(mask.contains(QPoint(5, 0))) << dpr;
        EXPECT_TRUE(mask.contains(QPoint(59, 39))) << dpr;
        EXPECT_TRUE(mask.contains(QPoint(29, 21))) << dpr;
        EXPECT_EQ(mask, skin->Shape());
    }
}

TEST(SkinForm, TransparentColorIsTheKey)
{
    QWidget form;
    auto *skin = new TssSkinForm(&form);
    skin->setGlyph(Face());
    skin->setTransparentColor(QColor(0xEA, 0xEA, 0xEA));
    EXPECT_TRUE(form.mask().contains(QPoint(0, 0)));
    EXPECT_FALSE(form.mask().contains(QPoint(20, 20)));
}

TEST(SkinForm, PaintsTheGlyphAsItsFace)
{
    QWidget form;
    auto *skin = new TssSkinForm(&form);
    skin->setGlyph(Face());
    const QImage shot = form.grab().toImage();
    EXPECT_EQ(shot.pixelColor(20, 20), QColor(0xEA, 0xEA, 0xEA));
    // The key colour is never painted: outside the shape the face is see-through.
    EXPECT_EQ(shot.pixelColor(2, 2).alpha(), 0);
    EXPECT_EQ(shot.pixelColor(31, 21).alpha(), 0);
}

TEST(SkinForm, CentresOverItsOwnerWhenFirstShown)
{
    QWidget owner;
    owner.setGeometry(100, 120, 554, 636);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    QDialog dialog(&owner);
    auto *skin = new TssSkinForm(&dialog);
    skin->setGlyph(Face());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_LE((dialog.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(), 1);
    // Only the first showing centres: a window the user moved stays where it was put.
    dialog.hide();
    dialog.move(10, 10);
    dialog.show();
    EXPECT_EQ(dialog.pos(), QPoint(10, 10));
}

TEST(SkinForm, CentresOnTheScreenWithoutOwner)
{
    QWidget form;
    auto *skin = new TssSkinForm(&form);
    skin->setGlyph(Face());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QRect area = form.screen()->availableGeometry();
    EXPECT_LE((form.frameGeometry().center() - area.center()).manhattanLength(), 1);
}

TEST(SkinForm, PressOnTheFaceDragsTheWindow)
{
    QWidget form;
    auto *skin = new TssSkinForm(&form);
    skin->setGlyph(Face());
    auto *label = new QLabel(QStringLiteral("caption"), &form);   // labels take no presses
    label->setGeometry(10, 10, 40, 12);
    auto *button = new QPushButton(&form);                          // buttons do
    button->setGeometry(40, 25, 15, 10);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    // The offscreen platform cannot move windows itself, so the hand-made move is what runs here.
    const QPoint start = form.pos();
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(label->mapToGlobal(QPoint(5, 5)) + QPoint(30, 20)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(&form, &move);
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(form.pos(), start + QPoint(30, 20));

    const QPoint before = form.pos();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(3, 3));
    QMouseEvent move2(QEvent::MouseMove, QPointF(3, 3), QPointF(button->mapToGlobal(QPoint(3, 3)) + QPoint(30, 20)),
                      Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(&form, &move2);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(form.pos(), before);
}

TEST(SkinForm, SkinnedDialogBecomesActiveAndTakesKeys)
{
    QDialog dialog;
    auto *skin = new TssSkinForm(&dialog);
    skin->setGlyph(Face());
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}
