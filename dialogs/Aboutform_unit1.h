// The about dialog: version, support and home page addresses and the notice line of the module.
#pragma once

#include <QDialog>

class QLabel;
class TLinkLabel;
class TssSkinButton;
class TssSkinForm;

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget *owner);

    // Both link labels: opens the clicked label's text with the shell, as it stands.
    void LinkLabelClick(QLabel *sender);

    // Escape, the window's close and the cancel buttons all end with Cancel (2).
    void reject() override;

    TssSkinForm *ssSkinForm1 = nullptr;
    QLabel *lblVersion = nullptr;
    TLinkLabel *lblSupport = nullptr;
    TLinkLabel *lblHome = nullptr;
    QLabel *lblCopyright = nullptr;
    TssSkinButton *ssSkinButton1 = nullptr;

private:
    TLinkLabel *linkLabel(const char *name, const QString &text, int left, int top);
};
