#include "Aboutform_unit1.h"

#include "DialogTestSupport.h"
#include "LinkLabel.h"
#include "MuiContext.h"
#include "Shell.h"

#include <QLabel>
#include <QTest>

namespace {

class AboutForm : public testing::Test {
protected:
    void SetUp() override
    {
        Platform::ShellSeam::install();
        context.Version = QStringLiteral("2.5.1 <beta>");
        context.SupportLink = QStringLiteral("https://orvanta.example/pagemill/support.html");
        context.HomeLink = QStringLiteral("www.orvanta.example/pagemill");
        context.NoticeLine = QStringLiteral("Copyright \u00a9 2026 Orvanta Studio & Co.");
        SetMuiContext(&context);
    }
    void TearDown() override { SetMuiContext(nullptr); }

    MuiContext context;
};

TEST_F(AboutForm, ShowsTheContextStringsExactlyAndReadsThemOnce)
{
    TAboutForm form(nullptr);
    context.Version = QStringLiteral("changed later");
    EXPECT_EQ(Control<QLabel>(&form, "lblVersion")->text(), QStringLiteral("2.5.1 <beta>"));
    EXPECT_EQ(Control<QLabel>(&form, "lblSupport")->text(), context.SupportLink);
    EXPECT_EQ(Control<QLabel>(&form, "lblHome")->text(), context.HomeLink);
    EXPECT_EQ(Control<QLabel>(&form, "lblCopyright")->text(), context.NoticeLine);
    EXPECT_EQ(Control<QLabel>(&form, "lblVersion")->textFormat(), Qt::PlainText);
    EXPECT_EQ(form.size(), QSize(423, 241));
    EXPECT_EQ(Control<QLabel>(&form, "lblVersion")->pos(), QPoint(363, 186));
    EXPECT_EQ(Control<QLabel>(&form, "lblSupport")->pos(), QPoint(59, 184));
    EXPECT_EQ(Control<QLabel>(&form, "lblHome")->pos(), QPoint(75, 200));
    EXPECT_EQ(Control<QLabel>(&form, "lblCopyright")->pos(), QPoint(16, 216));
    EXPECT_EQ(Control<QWidget>(&form, "ssSkinButton1")->geometry(), QRect(330, 206, 68, 20));
    EXPECT_TRUE(Control<QLabel>(&form, "lblHome")->font().underline());
    EXPECT_EQ(Control<QLabel>(&form, "lblHome")->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(AboutForm, LinkClicksHandTheTextToTheShellInANormalWindow)
{
    TAboutForm form(nullptr);
    ShowActive(&form);
    ClickControl(&form, "lblSupport");
    ClickControl(&form, "lblHome");
    const QList<Platform::ShellRecord> calls = Platform::ShellSeam::records();
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[0].target, context.SupportLink);
    EXPECT_EQ(calls[1].target, context.HomeLink);
    for (const Platform::ShellRecord &call : calls) {
        EXPECT_EQ(call.show, Platform::ShowCommand::Normal);
        EXPECT_EQ(call.ownerName, QStringLiteral("AboutForm"));
    }
    EXPECT_TRUE(form.isVisible()) << "the dialog stays open";
}

TEST_F(AboutForm, AnEmptyLinkStillCallsTheShellWithAnEmptyText)
{
    context.HomeLink.clear();
    TAboutForm form(nullptr);
    ShowActive(&form);
    ClickControl(&form, "lblHome");
    const QList<Platform::ShellRecord> calls = Platform::ShellSeam::records();
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].target, QString());
}

TEST_F(AboutForm, OnlyTheLinkLabelsReactToClicks)
{
    TAboutForm form(nullptr);
    ShowActive(&form);
    for (const char *name : {"lblVersion", "lblCopyright"})
        ClickControl(&form, name);
    EXPECT_TRUE(Platform::ShellSeam::records().isEmpty());
    EXPECT_EQ(form.findChildren<TLinkLabel *>().size(), 2);
}

TEST_F(AboutForm, OkCloses)
{
    TAboutForm form(nullptr);
    ShowActive(&form);
    ClickControl(&form, "ssSkinButton1");
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), 1);
}

TEST_F(AboutForm, WithoutAContextTheLabelsAreEmpty)
{
    SetMuiContext(nullptr);
    TAboutForm form(nullptr);
    EXPECT_EQ(Control<QLabel>(&form, "lblVersion")->text(), QString());
    EXPECT_EQ(Control<QLabel>(&form, "lblSupport")->text(), QString());
}

} // namespace
