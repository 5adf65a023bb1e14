// The help menu.
#include "SplitterForm_Unit1.h"

#include "Aboutform_unit1.h"
#include "Actions.h"
#include "MuiContext.h"
#include "Ssbutton.h"

#include <QMenu>

void TSplitterForm::BuildHelpMenu()
{
    auto action = [this](const char *name, const QString &caption, void (TSplitterForm::*handler)()) {
        auto *a = new TAction(QString::fromLatin1(name), this);
        a->setText(caption);
        a->setOnExecute([this, handler] { (this->*handler)(); });
        return a;
    };
    HelpAct = action("HelpAct", QStringLiteral("Help Content"), &TSplitterForm::HelpActExecute);
    SupportAct = action("SupportAct", QStringLiteral("Support"), &TSplitterForm::SupportActExecute);
    HomePageAct = action("HomePageAct", QStringLiteral("Home Page"), &TSplitterForm::HomePageActExecute);
    AboutAct = action("AboutAct", QStringLiteral("About"), &TSplitterForm::AboutActExecute);

    popMenuHelp = new QMenu(this);
    popMenuHelp->setObjectName(QStringLiteral("popMenuHelp"));
    popMenuHelp->addAction(HelpAct);
    popMenuHelp->addAction(SupportAct);
    popMenuHelp->addSeparator()->setObjectName(QStringLiteral("N2"));
    popMenuHelp->addAction(HomePageAct);
    popMenuHelp->addSeparator()->setObjectName(QStringLiteral("N3"));
    popMenuHelp->addAction(AboutAct);
}

void TSplitterForm::btnHelpClick()
{
    const QPoint below = mapToGlobal(QPoint(btnHelp->x(), btnHelp->y() + btnHelp->height()));
    popMenuHelp->popup(below);
}

void TSplitterForm::HelpActExecute()
{
    const MuiContext *context = GetMuiContext();
    OpenWithShell(this, (context ? context->DataFolder : QString()) + QStringLiteral("help.html"));
}

void TSplitterForm::SupportActExecute()
{
    const MuiContext *context = GetMuiContext();
    OpenWithShell(this, context ? context->SupportLink : QString());
}

void TSplitterForm::HomePageActExecute()
{
    const MuiContext *context = GetMuiContext();
    OpenWithShell(this, context ? context->HomeLink : QString());
}

void TSplitterForm::AboutActExecute()
{
    TAboutForm dialog(this);
    dialog.exec();
}
