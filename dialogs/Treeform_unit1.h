// The bookmark level dialog: the document's outline as a tree and the level to cut down to.
#pragma once

#include <QDialog>

struct PDFItemInfo;
class QComboBox;
class QLabel;
class QTreeWidget;
class TssSkinButton;
class TssSkinForm;

class TTreeForm : public QDialog {
    Q_OBJECT
public:
    // info must outlive the dialog; only its bookmarkLevel is written, and only by OK.
    TTreeForm(QWidget *owner, PDFItemInfo *info);

    void sBtnOkClick();

    // Escape, the window's close and the cancel buttons all end with Cancel (2).
    void reject() override;

    TssSkinForm *ssSkinForm1 = nullptr;
    QLabel *TntLabel2 = nullptr;
    QLabel *TntLabel1 = nullptr;
    QComboBox *cmbLevel = nullptr;
    QTreeWidget *TreeView1 = nullptr;
    TssSkinButton *sBtnOk = nullptr;
    TssSkinButton *sBtnCancel = nullptr;
    TssSkinButton *ssSkinButton1 = nullptr;

private:
    void fill();

    PDFItemInfo *pdfInfo;
};
