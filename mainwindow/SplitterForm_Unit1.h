// The main window: the file area, the options panel of the five ways of cutting, the output
// setting with the Split and Stop buttons and the progress bar, and the help menu.
#pragma once

#include "Data_unit1.h"
#include "SplitForm.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QTreeWidget;
class SplitThread;
class TAction;
class TClickLabel;
class TSkinProcess;
class TssSkinButton;
class TssSkinForm;
class TUpDown;

class TSplitterForm : public QWidget, public ISplitForm {
    Q_OBJECT
public:
    explicit TSplitterForm(QWidget *owner);
    ~TSplitterForm() override;

    // The one document record, lent by pointer to the dialogs.
    std::unique_ptr<PDFItemInfo> pdfInfo;
    // The running or last finished job, or null.
    SplitThread *splitThread = nullptr;
    bool jobCancelled = false;

    // Document loading.
    void LoadPdfFile(const QString &path);
    // Loads files handed over as a drop (or on the command line) would be: exactly one PDF.
    void DropFiles(const QStringList &paths);
    static uint32_t GetFileSizeKB(const QString &path);
    static void OpenWithShell(QWidget *window, const QString &target);

    // Options panel.
    void ResetSplitOptions();
    void UpdateSplitOptions();
    bool NormalizeRangeField();

    // Run control.
    bool StartSplitJob();
    void SplitStopActExecute();
    bool OnSplitProgress(int32_t pagesDone) override;
    bool OnSplitFinished(const QString &outputFolder, bool success) override;
    bool JobRunning() const { return m_jobRunning; }
    // The pages the running job writes, from its own record; what the bar measures against.
    int64_t JobTotalPages() const { return m_jobTotal; }

    // Frame and file area.
    TssSkinForm *ssSkinForm1 = nullptr;
    QLabel *lblTitle = nullptr;
    TssSkinButton *btnMin = nullptr;
    TssSkinButton *btnClose = nullptr;
    TssSkinButton *btnHelp = nullptr;
    QLabel *TntLabel1 = nullptr;
    QLineEdit *edtFilename = nullptr;
    TssSkinButton *btnOpenFile = nullptr;
    QLabel *lblSizeTag = nullptr;
    QLabel *lblSize = nullptr;
    QLabel *lblPagesTag = nullptr;
    QLabel *lblPages = nullptr;
    QTreeWidget *TreeView1 = nullptr;

    // Options panel.
    QWidget *TntPanel1 = nullptr;
    QLabel *TntImage1 = nullptr;
    QRadioButton *rbSplitEvery = nullptr;
    TClickLabel *lblSplitEvery = nullptr;
    QLineEdit *edtSplitEvery = nullptr;
    TUpDown *UpDownSplitEvery = nullptr;
    QLabel *TntLabel2 = nullptr;
    QRadioButton *rbSplitBookmark = nullptr;
    TClickLabel *lblSplitBookmark = nullptr;
    QComboBox *cmbSplitBookmark = nullptr;
    TssSkinButton *sBtnBookmarkSet = nullptr;
    QRadioButton *rbSplitRange = nullptr;
    TClickLabel *lblSplitRange = nullptr;
    QLineEdit *edtSplitRange = nullptr;
    QLabel *lblInvalid = nullptr;
    QCheckBox *cbSplitRange = nullptr;
    TClickLabel *lblcbSplitRange = nullptr;
    QRadioButton *rbSplitSpec = nullptr;
    TClickLabel *lblSplitSpec = nullptr;
    TssSkinButton *sBtnSpecSet = nullptr;
    QRadioButton *rbSplitAverage = nullptr;
    TClickLabel *lblSplitAverage = nullptr;
    QLineEdit *edtSplitAverage = nullptr;
    TUpDown *UpDownSplitAverage = nullptr;
    QLabel *TntLabel10 = nullptr;
    TSkinProcess *SkinProcess1 = nullptr;

    // Output setting and run control.
    QLabel *TntLabel13 = nullptr;
    QRadioButton *rbSaveAsSourcepath = nullptr;
    TClickLabel *lblSaveAsSourcepath = nullptr;
    QRadioButton *rbSaveCustomizePath = nullptr;
    TClickLabel *lblCustomizePath = nullptr;
    QLineEdit *edtOutputFolder = nullptr;
    TssSkinButton *ssSkinButton1 = nullptr;
    TssSkinButton *ssSkinButton5 = nullptr;
    TssSkinButton *SbtnSplitStart = nullptr;
    TssSkinButton *SbtnSplitStop = nullptr;

    // Actions and the help menu.
    TAction *rbSpliBookmarkClickAct = nullptr;
    TAction *SplitStartAct = nullptr;
    TAction *SplitStopAct = nullptr;
    TAction *HelpAct = nullptr;
    TAction *SupportAct = nullptr;
    TAction *HomePageAct = nullptr;
    TAction *AboutAct = nullptr;
    QMenu *popMenuHelp = nullptr;

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void BuildFrame();
    void BuildOptionsPanel();
    void BuildOutputArea();
    void BuildHelpMenu();
    void FormCreate();
    void FormDestroy();

    void btnOpenFileClick();
    void btnMinClick();
    void btnCloseClick();
    void ShowNoDocument();
    bool RefuseDuringJob();

    void rbSplitEveryClick();
    void rbSpliBookmarkClickActUpdate();
    void CheckAndUpdate(QRadioButton *button);
    void CountFieldChange(QLineEdit *field);
    void edtSplitRangeChange();
    void cmbSplitBookmarkSelect();
    void sBtnBookmarkSetClick();
    void sBtnSpecSetClick();

    void SplitStartActExecute();
    void SplitStartActUpdate();
    void ssSkinButton1Click();
    void ssSkinButton5Click();
    int64_t TotalPagesOf(const PDFItemInfo &job) const;
    void FinishJob(const QString &outputFolder, bool success);
    // Cancels the job, waits for its end while serving its calls, and deletes it.
    void CancelJob();

    void btnHelpClick();
    void HelpActExecute();
    void SupportActExecute();
    void HomePageActExecute();
    void AboutActExecute();

    // The job's own copy of the record: the window may change pdfInfo while the job runs.
    std::unique_ptr<PDFItemInfo> m_jobInfo;
    int64_t m_jobTotal = 0;
    bool m_jobRunning = false;
    // A job that ended while the stop question was open is finished once it is answered.
    bool m_askingStop = false;
    bool m_finishPending = false;
    QString m_pendingFolder;
    bool m_pendingSuccess = false;
};
