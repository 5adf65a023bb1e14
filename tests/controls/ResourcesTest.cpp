#include "LauncherIcon.h"
#include "SkinApply.h"
#include "Skins.h"
#include "Ssbutton.h"
#include "Ssform.h"

#include <QFile>
#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

TEST(Resources, EveryPictureLoadsAtItsStatedSize)
{
    std::size_t count = 0;
    const Res::SkinInfo *table = Res::SkinTable(&count);
    ASSERT_GT(count, 0u);
    EXPECT_EQ(std::size_t(Res::names().size()), count);
    for (std::size_t i = 0; i < count; ++i) {
        const Res::SkinInfo &info = table[i];
        const QSize logical(info.width, info.height);
        EXPECT_EQ(info.width % info.states, 0) << info.name;
        for (qreal dpr : {1.0, 2.0}) {
            const QPixmap pixmap = Res::skin(info.name, dpr);
            ASSERT_FALSE(pixmap.isNull()) << info.name << " at " << dpr;
            EXPECT_EQ(pixmap.size(), logical * int(dpr)) << info.name << " at " << dpr;
            EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), logical) << info.name << " at " << dpr;
        }
    }
}

TEST(Resources, StatedSizesOfTheWindows)
{
    struct Case {
        const char *name;
        int width, height;
    };
    const Case cases[] = {
        {"face_main", 554, 636},     {"panel_options", 521, 305}, {"face_custom", 457, 432},
        {"face_bookmark", 540, 490}, {"face_about", 423, 241},    {"progress_trough", 515, 9},
        {"btn_min", 81, 17},         {"btn_close", 81, 17},       {"btn_help", 231, 26},
        {"btn_browse", 204, 20},     {"btn_browse_small", 135, 20}, {"btn_open_small", 135, 20},
        {"btn_setting", 204, 20},    {"btn_split", 378, 51},      {"btn_stop", 378, 51},
        {"btn_new", 204, 20},        {"btn_remove", 204, 20},     {"btn_clear", 204, 20},
        {"btn_ok", 204, 20},         {"btn_cancel", 204, 20},
    };
    for (const Case &c : cases) {
        const QPixmap pixmap = Res::skin(c.name, 1.0);
        EXPECT_EQ(pixmap.size(), QSize(c.width, c.height)) << c.name;
    }
}

TEST(Resources, UnknownNameGivesNothing)
{
    EXPECT_TRUE(Res::skin("no_such_picture").isNull());
    EXPECT_TRUE(Res::skin(nullptr).isNull());
    EXPECT_TRUE(Res::caption("no_such_picture").isEmpty());
}

TEST(Resources, WindowFacesAreShapedByFuchsiaCorners)
{
    for (const char *name : {"face_main", "face_custom", "face_bookmark", "face_about"}) {
        const QImage face = Res::skin(name, 1.0).toImage();
        EXPECT_EQ(face.pixelColor(0, 0), QColor(255, 0, 255)) << name;
        EXPECT_EQ(face.pixelColor(face.width() - 1, face.height() - 1), QColor(255, 0, 255)) << name;
        EXPECT_NE(face.pixelColor(face.width() / 2, face.height() / 2), QColor(255, 0, 255)) << name;
    }
}

TEST(Resources, ApplyGivesButtonsTheirStripAndCaption)
{
    TssSkinButton button;
    ASSERT_TRUE(ApplyButtonSkin(&button, "btn_split"));
    EXPECT_EQ(button.size(), QSize(126, 51));
    EXPECT_EQ(button.accessibleName(), QStringLiteral("Split"));
    EXPECT_TRUE(button.toolTip().isEmpty());
    EXPECT_FALSE(button.mask().contains(QPoint(0, 0)));   // rounded corner
    EXPECT_TRUE(button.mask().contains(QPoint(63, 25)));

    TssSkinButton close;
    ASSERT_TRUE(ApplyButtonSkin(&close, "btn_close"));
    EXPECT_EQ(close.size(), QSize(27, 17));
    EXPECT_EQ(close.toolTip(), QStringLiteral("Close"));
    EXPECT_FALSE(ApplyButtonSkin(&close, "no_such_picture"));

    QWidget form;
    auto *skin = new TssSkinForm(&form);
    ASSERT_TRUE(ApplyFormSkin(skin, "face_about"));
    EXPECT_EQ(form.size(), QSize(423, 241));
    EXPECT_FALSE(form.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(form.mask().contains(QPoint(200, 120)));
}

TEST(Resources, LauncherIconSet)
{
    const IconSet *set = LauncherIconSet();
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(set->count, 7);
    const int sizes[] = {16, 24, 32, 48, 64, 128, 256};
    for (int i = 0; i < set->count; ++i) {
        const IconImage &icon = set->images[i];
        EXPECT_EQ(icon.size, sizes[i]);
        QImage image;
        ASSERT_TRUE(image.loadFromData(icon.png, int(icon.length), "PNG")) << icon.size;
        EXPECT_EQ(image.size(), QSize(icon.size, icon.size));
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << "corners are transparent";
        EXPECT_EQ(image.pixelColor(icon.size / 2, icon.size / 2).alpha(), 255);
    }
}

// Shapes are cut at exact fuchsia; a half-blended purple edge pixel would show as a fringe, and
// a picture that is never masked must hold no fuchsia at all.
TEST(Resources, NoFuchsiaFringeAndNoFuchsiaInOpaquePictures)
{
    std::size_t count = 0;
    const Res::SkinInfo *table = Res::SkinTable(&count);
    for (std::size_t i = 0; i < count; ++i) {
        const Res::SkinInfo &info = table[i];
        for (qreal dpr : {1.0, 2.0}) {
            const QImage image = Res::skin(info.name, dpr).toImage().convertToFormat(QImage::Format_ARGB32);
            int keyed = 0, fringe = 0, translucent = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb px = image.pixel(x, y);
                    if (qAlpha(px) != 255)
                        ++translucent;
                    if ((px & 0xFFFFFFu) == 0xFF00FFu)
                        ++keyed;
                    else if (qRed(px) > 150 && qBlue(px) > 150 && qGreen(px) < 90)
                        ++fringe;
                }
            }
            EXPECT_EQ(translucent, 0) << info.name << " at " << dpr;
            EXPECT_EQ(fringe, 0) << info.name << " at " << dpr;
            if (info.kind == Res::SkinKind::Plain) {
                EXPECT_EQ(keyed, 0) << info.name << " at " << dpr;
            }
        }
    }
}
