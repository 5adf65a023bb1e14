// The custom ranges dialog: the named outputs of the custom-list mode, each a file name and a
// page-range expression, edited in place on working copies and written back only by OK.
#pragma once

#include <QDialog>

struct CustomPDFItemInfo;
struct PDFItemInfo;
class CustomItemList;
class QLabel;
class QMenu;
class TAction;
class TssSkinButton;
class TssSkinForm;
class TVirtualList;

class TCustomSettingsForm : public QDialog {
    Q_OBJECT
public:
    // info must outlive the dialog; only its customItems is written, and only by OK.
    TCustomSettingsForm(QWidget *owner, PDFItemInfo *info);
    ~TCustomSettingsForm() override;

    void AddActExecute();
    void RemoveActExecute();
    void RemoveActUpdate();
    void ClearActExecute();
    void ClearActUpdate();
    QString VstListGetText(const CustomPDFItemInfo &item, int column) const;
    void VstListColumnDblClick(int column);
    void VstListNewText(int row, int column, QString text);
    void ssSkinButton1Click();
    void FormClose();

    // Whether some row's file name equals name with the letters A-Z folded to lower case.
    bool NameExists(const QString &name) const;
    // Appends ".PDF" unless the name already ends in an extension that reads ".PDF" upper-cased.
    static void EnsurePdfExtension(QString &name);

    CustomItemList *list() const { return m_list; }

    void done(int result) override;

    // Escape, the window's close and the cancel buttons all end with Cancel (2).
    void reject() override;

    TssSkinForm *ssSkinForm1 = nullptr;
    QLabel *lblTilte = nullptr;
    QLabel *lblFileName = nullptr;
    QLabel *lblSize = nullptr;
    QLabel *lblTotalPages = nullptr;
    TssSkinButton *sBtnNew = nullptr;
    TssSkinButton *sBtnRemove = nullptr;
    TssSkinButton *sBtnClear = nullptr;
    TssSkinButton *sBtnClose = nullptr;
    TssSkinButton *ssSkinButton1 = nullptr;
    TssSkinButton *ssSkinButton2 = nullptr;
    TVirtualList *VstList = nullptr;
    QMenu *TntPopupMenu1 = nullptr;
    TAction *AddAct = nullptr;
    TAction *RemoveAct = nullptr;
    TAction *ClearAct = nullptr;

private:
    void buildFacts();
    void buildList();
    void buildActions();
    void fillList();
    void commitOpenEdit();

    PDFItemInfo *pdfInfo;
    CustomItemList *m_list = nullptr;
    int m_refusals = 0;
};
