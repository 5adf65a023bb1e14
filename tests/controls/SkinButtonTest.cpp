#include "Ssbutton.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEnterEvent>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

const QColor kFuchsia(255, 0, 255);
const QColor kStateColours[] = {QColor(10, 200, 10), QColor(10, 10, 200), QColor(200, 10, 10), QColor(90, 90, 90)};

// A strip of `states` pictures of 20 x 10, each a flat colour with a fuchsia top-left pixel block.
QPixmap Strip(int states, qreal dpr = 1.0)
{
    const int s = int(dpr);
    QImage image(20 * states * s, 10 * s, QImage::Format_RGB32);
    QPainter p(&image);
    for (int i = 0; i < states; ++i) {
        p.fillRect(i * 20 * s, 0, 20 * s, 10 * s, kStateColours[i]);
        p.fillRect(i * 20 * s, 0, 3 * s, 3 * s, kFuchsia);
    }
    p.end();
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(dpr);
    return pixmap;
}

QColor Shown(TssSkinButton &button)
{
    return button.Picture(button.PictureIndex()).toImage().pixelColor(10 * int(button.Skin().devicePixelRatio()), 5);
}

void Enter(TssSkinButton &button)
{
    QEnterEvent enter(QPointF(10, 5), QPointF(10, 5), QPointF(10, 5));
    QApplication::sendEvent(&button, &enter);
}

void Leave(TssSkinButton &button)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
}

} // namespace

TEST(SkinButton, SizesItselfToOnePicture)
{
    for (qreal dpr : {1.0, 2.0}) {
        TssSkinButton button;
        EXPECT_EQ(button.DivNum(), 3);
        button.setSkin(Strip(3, dpr));
        EXPECT_EQ(button.size(), QSize(20, 10)) << dpr;
        EXPECT_EQ(button.sizeHint(), QSize(20, 10)) << dpr;
    }
    TssSkinButton four;
    four.setDivNum(4);
    four.setSkin(Strip(4));
    EXPECT_EQ(four.size(), QSize(20, 10));
}

TEST(SkinButton, StatePictures)
{
    struct Case {
        int divNum;
        bool enabled, hover, down;
        TssSkinButton::State state;
        int picture;
    };
    const Case cases[] = {
        {3, true, false, false, TssSkinButton::StateNormal, 0},
        {3, true, true, false, TssSkinButton::StateHover, 1},
        {3, true, true, true, TssSkinButton::StatePressed, 2},
        {3, true, false, true, TssSkinButton::StatePressed, 2},
        {3, false, true, false, TssSkinButton::StateDisabled, 0},   // no disabled picture: normal
        {4, false, false, false, TssSkinButton::StateDisabled, 3},
        {4, false, true, true, TssSkinButton::StateDisabled, 3},
        {2, true, true, true, TssSkinButton::StatePressed, 0},      // no pressed picture: normal
        {2, true, true, false, TssSkinButton::StateHover, 1},
        {1, true, true, false, TssSkinButton::StateHover, 0},
    };
    for (const Case &c : cases) {
        TssSkinButton button;
        button.setDivNum(c.divNum);
        button.setSkin(Strip(c.divNum));
        button.setEnabled(c.enabled);
        if (c.hover)
            Enter(button);
        button.setDown(c.down);
        EXPECT_EQ(button.CurrentState(), c.state) << "case divNum " << c.divNum << " state " << c.state;
        EXPECT_EQ(button.PictureIndex(), c.picture) << "case divNum " << c.divNum << " state " << c.state;
        EXPECT_EQ(Shown(button), kStateColours[c.picture]);
    }
}

TEST(SkinButton, HoverEndsOnLeave)
{
    TssSkinButton button;
    button.setSkin(Strip(3));
    Enter(button);
    EXPECT_EQ(button.PictureIndex(), 1);
    Leave(button);
    EXPECT_EQ(button.PictureIndex(), 0);
}

TEST(SkinButton, PaintsTheChosenPictureWithoutTheMaskColour)
{
    TssSkinButton button;
    button.setSkin(Strip(3));
    Enter(button);
    const QImage shot = button.grab().toImage();
    EXPECT_EQ(shot.pixelColor(10, 5), kStateColours[1]);
    EXPECT_NE(shot.pixelColor(1, 1), kFuchsia);
}

TEST(SkinButton, MaskCutsTheMaskColour)
{
    for (qreal dpr : {1.0, 2.0}) {
        TssSkinButton button;
        button.setSkin(Strip(3, dpr));
        ASSERT_TRUE(button.Mask());
        EXPECT_FALSE(button.mask().contains(QPoint(0, 0))) << dpr;
        EXPECT_FALSE(button.mask().contains(QPoint(2, 2))) << dpr;
        EXPECT_TRUE(button.mask().contains(QPoint(3, 0))) << dpr;
        EXPECT_TRUE(button.mask().contains(QPoint(19, 9))) << dpr;
    }
    TssSkinButton plain;
    plain.setMask(false);
    plain.setSkin(Strip(3));
    EXPECT_TRUE(plain.mask().isEmpty());
}

TEST(SkinButton, ClickOutsideTheShapeDoesNothing)
{
    QWidget window;
    auto *button = new TssSkinButton(&window);
    button->setSkin(Strip(3));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    int clicks = 0;
    QObject::connect(button, &QAbstractButton::clicked, [&] { ++clicks; });
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(clicks, 1);
}

TEST(SkinButton, ModalResultReachesTheDialogBeforeActionAndHandler)
{
    QDialog dialog;
    auto *button = new TssSkinButton(&dialog);
    button->setSkin(Strip(3));
    button->setModalResult(2);
    QAction action;
    button->setAction(&action);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    std::vector<std::string> order;
    int resultSeenByHandler = -1, resultSeenByAction = -1;
    QObject::connect(&dialog, &QDialog::finished, [&](int r) { order.push_back("finished " + std::to_string(r)); });
    QObject::connect(&action, &QAction::triggered, [&] {
        resultSeenByAction = dialog.result();
        order.push_back("action");
    });
    QObject::connect(button, &QAbstractButton::clicked, [&] {
        resultSeenByHandler = dialog.result();
        order.push_back("handler");
    });
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(order, (std::vector<std::string>{"finished 2", "action", "handler"}));
    EXPECT_EQ(resultSeenByAction, 2);
    EXPECT_EQ(resultSeenByHandler, 2);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(SkinButton, ZeroModalResultLeavesTheDialogOpen)
{
    QDialog dialog;
    auto *button = new TssSkinButton(&dialog);
    button->setSkin(Strip(3));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    int clicks = 0;
    QObject::connect(button, &QAbstractButton::clicked, [&] { ++clicks; });
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(dialog.isVisible());
}

TEST(SkinButton, ModalResultEndsAModalRun)
{
    QDialog dialog;
    auto *button = new TssSkinButton(&dialog);
    button->setObjectName(QStringLiteral("sBtnOk"));
    button->setSkin(Strip(3));
    button->setModalResult(QDialog::Accepted);
    QMetaObject::invokeMethod(
        &dialog,
        [&] {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            QTest::mouseClick(dialog.findChild<TssSkinButton *>(QStringLiteral("sBtnOk")), Qt::LeftButton, {},
                              QPoint(10, 5));
        },
        Qt::QueuedConnection);
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}

TEST(SkinButton, EnabledStateFollowsTheAction)
{
    QAction action;
    TssSkinButton button;
    button.setSkin(Strip(3));
    action.setEnabled(false);
    button.setAction(&action);
    EXPECT_FALSE(button.isEnabled());
    action.setEnabled(true);
    EXPECT_TRUE(button.isEnabled());
    {
        QAction other;
        button.setAction(&other);
        other.setEnabled(false);
        EXPECT_FALSE(button.isEnabled());
        action.setEnabled(false);   // the old action no longer drives the button
        action.setEnabled(true);
        EXPECT_FALSE(button.isEnabled());
    }
    EXPECT_EQ(button.Action(), nullptr);   // a deleted action is let go
    button.click();                         // and clicking after that is harmless
}

TEST(SkinButton, DisabledButtonIgnoresClicks)
{
    QWidget window;
    auto *button = new TssSkinButton(&window);
    button->setSkin(Strip(3));
    QAction action;
    int triggers = 0;
    QObject::connect(&action, &QAction::triggered, [&] { ++triggers; });
    button->setAction(&action);
    action.setEnabled(false);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(triggers, 0);
    action.setEnabled(true);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(triggers, 1);
}

TEST(SkinButton, CaptionNamesTheButton)
{
    TssSkinButton words;
    words.setCaption(QStringLiteral("Browse"));
    EXPECT_EQ(words.accessibleName(), QStringLiteral("Browse"));
    EXPECT_TRUE(words.toolTip().isEmpty());
    TssSkinButton symbol;
    symbol.setCaption(QStringLiteral("Close"), false);
    EXPECT_EQ(symbol.accessibleName(), QStringLiteral("Close"));
    EXPECT_EQ(symbol.toolTip(), QStringLiteral("Close"));
}
