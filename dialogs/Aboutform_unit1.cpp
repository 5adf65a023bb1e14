#include "Aboutform_unit1.h"

#include "DialogStyle.h"
#include "LinkLabel.h"
#include "MuiContext.h"
#include "Shell.h"
#include "Ssbutton.h"

#include <QLabel>

using namespace DialogStyle;

TAboutForm::TAboutForm(QWidget *owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("AboutForm"));
    ssSkinForm1 = SkinForm(this, "face_about");

    // The strings are read once; later changes of the context are not shown.
    const MuiContext *context = GetMuiContext();
    const MuiContext empty;
    const MuiContext &texts = context ? *context : empty;
    // Window lists show what the dialog is about, with the version it shows.
    setWindowTitle(QStringLiteral("About %1 %2").arg(texts.Title, texts.Version).trimmed());

    const QFont bold12 = Arial(12, true);
    const QFont plain11 = Arial(11);
    Label(this, QStringLiteral("lblVersionCaption"), QStringLiteral("Version:"), 313, 186, bold12, TitleWhite);
    lblVersion = Label(this, QStringLiteral("lblVersion"), texts.Version, 363, 186, bold12, TitleWhite);
    Label(this, QStringLiteral("lblSupportCaption"), QStringLiteral("Support:"), 16, 184, plain11, TitleWhite);
    lblSupport = linkLabel("lblSupport", texts.SupportLink, 59, 184);
    Label(this, QStringLiteral("lblHomeCaption"), QStringLiteral("Home Page:"), 16, 200, plain11, TitleWhite);
    lblHome = linkLabel("lblHome", texts.HomeLink, 75, 200);
    lblCopyright = Label(this, QStringLiteral("lblCopyright"), texts.NoticeLine, 16, 216, plain11, TitleWhite);

    ssSkinButton1 = SkinButton(this, "ssSkinButton1", "btn_ok", 330, 206, ModalOk);
}

TLinkLabel *TAboutForm::linkLabel(const char *name, const QString &text, int left, int top)
{
    auto *label = new TLinkLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QFont font = Arial(11);
    font.setUnderline(true);
    Style(label, font, TitleWhite);
    label->setText(text);
    label->move(left, top);
    // An empty address still leaves a spot to click.
    label->setMinimumSize(1, label->fontMetrics().height());
    Fit(label);
    label->setAccessibleDescription(QStringLiteral("Opens %1").arg(text));
    connect(label, &TLinkLabel::clicked, this, [this, label] { LinkLabelClick(label); });
    return label;
}

void TAboutForm::LinkLabelClick(QLabel *sender)
{
    if (sender)
        Platform::ShellOpen(this, sender->text(), Platform::ShowCommand::Normal);
}

void TAboutForm::reject()
{
    done(ModalCancel);
}
