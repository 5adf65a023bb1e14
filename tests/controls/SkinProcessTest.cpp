#include "Tskinprocess.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QString WriteBmp(const QTemporaryDir &dir, const QString &name, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(QColor(0x46, 0x7A, 0x01));
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path, "BMP"));
    return path;
}

// A window with a bar set up the way the main window does it: 512 wide at 4, 283.
struct BarFixture : ::testing::Test {
    QTemporaryDir dir;
    QWidget panel;
    TSkinProcess *bar = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        panel.resize(521, 305);
        bar = new TSkinProcess(&panel);
        bar->setGeometry(4, 283, 512, 9);
        bar->SetImage2(WriteBmp(dir, "fill.bmp", 8, 9));
        bar->SetBaseLine(5);
        bar->SetExtRange(2, bar->width() - 4);
    }
};

} // namespace

TEST_F(BarFixture, FillIsASeparateControlOnTheParent)
{
    ASSERT_NE(bar->Fill(), nullptr);
    EXPECT_EQ(bar->Fill()->parentWidget(), &panel);
    EXPECT_EQ(bar->Range(), 508);
    EXPECT_EQ(bar->Fill()->x(), 4 + 2);
    EXPECT_EQ(bar->Fill()->width(), 0);
}

TEST_F(BarFixture, BaseLineCentresANinePixelFill)
{
    // 5 - 9/2 (toward zero) = 1 below the bar's top.
    EXPECT_EQ(bar->Fill()->height(), 9);
    EXPECT_EQ(bar->Fill()->y(), 283 + 1);
}

TEST_F(BarFixture, PercentTable)
{
    struct Case {
        int32_t percent;
        int32_t width;
    };
    const Case cases[] = {
        {25, 127}, {100, 508}, {0, 0}, {33, 167}, {1, 5}, {99, 502}, {150, 762}, {200, 1016}, {-10, -50}, {-1, -5},
    };
    for (const Case &c : cases) {
        bar->Setprocess(c.percent);
        EXPECT_EQ(bar->FillWidth(), c.width) << "percent " << c.percent;
        EXPECT_EQ(bar->Fill()->width(), std::max(c.width, 0)) << "percent " << c.percent;
        EXPECT_EQ(bar->Fill()->x(), 6) << "percent " << c.percent;
    }
}

TEST_F(BarFixture, ProductWrapsAsA32BitInteger)
{
    bar->SetExtRange(2, 100000);
    bar->Setprocess(30000);   // 3,000,000,000 wraps to -1,294,967,296
    EXPECT_EQ(bar->FillWidth(), -12949672);
}

TEST_F(BarFixture, FillFollowsTheBarsVisibility)
{
    panel.show();
    EXPECT_TRUE(bar->Fill()->isVisible());
    bar->hide();
    EXPECT_FALSE(bar->Fill()->isVisible());
    bar->Setprocess(50);
    EXPECT_FALSE(bar->Fill()->isVisible());
    bar->show();
    EXPECT_TRUE(bar->Fill()->isVisible());
    EXPECT_EQ(bar->Fill()->width(), 254);
}

TEST_F(BarFixture, FillMovesWithTheBar)
{
    panel.show();
    bar->Setprocess(10);
    bar->move(14, 293);
    EXPECT_EQ(bar->Fill()->pos(), QPoint(16, 294));
}

TEST_F(BarFixture, FillGoesWithTheBar)
{
    QPointer<QLabel> fill = bar->Fill();
    delete bar;
    EXPECT_TRUE(fill.isNull());
}

TEST(SkinProcess, NothingVisibleChangesBeforeSetImage2)
{
    QWidget panel;
    TSkinProcess bar(&panel);
    bar.SetBaseLine(5);
    bar.SetExtRange(2, 100);
    bar.Setprocess(50);
    EXPECT_EQ(bar.Fill(), nullptr);
    EXPECT_EQ(bar.FillWidth(), 0);
    EXPECT_EQ(bar.Range(), 100);
}

TEST(SkinProcess, MulDivRoundsHalvesAwayFromZero)
{
    struct Case {
        int32_t value, n, d, result;
    };
    const Case cases[] = {
        {9, 3, 2, 14},  {5, 3, 2, 8},   {5, 1, 2, 3},     {-5, 1, 2, -3}, {4, 96, 120, 3},
        {7, 144, 96, 11}, {508, 5, 4, 635}, {3, 1, 3, 1}, {0, 7, 3, 0},  {10, 1, 1, 10},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TSkinProcess::MulDiv(c.value, c.n, c.d), c.result) << c.value << "*" << c.n << "/" << c.d;
}

TEST(SkinProcess, ScalingAppliesToLaterSetImage2AndSetBaseLine)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QWidget panel;
    TSkinProcess bar(&panel);
    bar.setGeometry(4, 283, 512, 9);
    bar.ChangeScale(3, 2);
    EXPECT_EQ(bar.geometry(), QRect(6, 425, 768, 14));   // 283*1.5 = 424.5 rounds up
    EXPECT_EQ(bar.ScaleNumerator(), 3);
    EXPECT_EQ(bar.ScaleDenominator(), 2);
    bar.SetImage2(WriteBmp(dir, "fill.bmp", 8, 9));
    EXPECT_EQ(bar.Fill()->height(), 14);   // 9 * 3 / 2 = 13.5
    EXPECT_EQ(bar.Fill()->width(), 12);
    bar.SetBaseLine(5);                     // 7.5 -> 8
    EXPECT_EQ(bar.BaseLine(), 8);
    EXPECT_EQ(bar.Fill()->y(), 425 + 8 - 7);
    bar.ChangeScale(1, 0);                  // a zero divisor is ignored
    EXPECT_EQ(bar.ScaleDenominator(), 2);
}

TEST(SkinProcess, SetImage2FailsWithTheFileErrorAndThePath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QWidget panel;
    TSkinProcess bar(&panel);

    const QString missing = dir.filePath("Skins/progress.bmp");
    try {
        bar.SetImage2(missing);
        FAIL() << "a missing file must throw";
    } catch (const SkinImageError &e) {
        EXPECT_NE(std::string(e.what()).find(missing.toStdString()), std::string::npos) << e.what();
    }

    QImage png(8, 9, QImage::Format_RGB888);
    png.fill(Qt::green);
    const QString notBmp = dir.filePath("progress.bmp");
    ASSERT_TRUE(png.save(notBmp, "PNG"));
    EXPECT_THROW(bar.SetImage2(notBmp), SkinImageError);

    const QString truncated = dir.filePath("short.bmp");
    ASSERT_TRUE(png.save(truncated, "BMP"));
    QFile file(truncated);
    ASSERT_TRUE(file.resize(20));
    EXPECT_THROW(bar.SetImage2(truncated), SkinImageError);

    EXPECT_THROW(bar.SetImage2(dir.path()), SkinImageError);   // a folder
    EXPECT_EQ(bar.Fill(), nullptr);
}

TEST(SkinProcess, SetImage2NeedsAParent)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TSkinProcess bar;
    EXPECT_THROW(bar.SetImage2(WriteBmp(dir, "fill.bmp", 8, 9)), SkinImageError);
}

TEST(SkinProcess, StagedProgressPictureLoads)
{
    QWidget panel;
    TSkinProcess bar(&panel);
    bar.setGeometry(4, 283, 512, 9);
    ASSERT_NO_THROW(bar.SetImage2(QStringLiteral(PAGEMILL_STAGE_PROGRESS_BMP)));
    bar.SetBaseLine(5);
    EXPECT_EQ(bar.Fill()->height(), 6);
    EXPECT_EQ(bar.Fill()->y(), 283 + 2);
}
