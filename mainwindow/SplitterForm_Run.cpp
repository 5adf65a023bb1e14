// The output setting, the Split and Stop buttons, the job and its progress.
#include "SplitterForm_Unit1.h"

#include "Actions.h"
#include "Application.h"
#include "ClickLabel.h"
#include "Convert.h"
#include "FormStyle.h"
#include "Helpfunction.h"
#include "MessageBox.h"
#include "PageRange.h"
#include "Splitthread.h"
#include "Ssbutton.h"
#include "Tskinprocess.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace FormStyle;

void TSplitterForm::BuildOutputArea()
{
    TntLabel13 = new QLabel(QStringLiteral("Output Setting"), this);
    Place(TntLabel13, "TntLabel13", 48, 536, 120, 16);
    Style(TntLabel13, Arial(13, true));

    // These two are one group, apart from the mode buttons of the options panel. The skin
    // buttons beside them are buttons too, so the group is explicit.
    rbSaveAsSourcepath = new QRadioButton(this);
    Place(rbSaveAsSourcepath, "rbSaveAsSourcepath", 45, 566, 13, 13);
    rbSaveAsSourcepath->setAccessibleName(QStringLiteral("Save in the same folder as source"));
    rbSaveCustomizePath = new QRadioButton(this);
    Place(rbSaveCustomizePath, "rbSaveCustomizePath", 45, 594, 13, 13);
    rbSaveCustomizePath->setAccessibleName(QStringLiteral("Customize"));
    auto *outputGroup = new QButtonGroup(this);
    outputGroup->addButton(rbSaveAsSourcepath);
    outputGroup->addButton(rbSaveCustomizePath);
    rbSaveCustomizePath->setChecked(true);

    lblSaveAsSourcepath = new TClickLabel(QStringLiteral("Save in the same folder as source"), this);
    Place(lblSaveAsSourcepath, "lblSaveAsSourcepath", 64, 565, 220, 15);
    Style(lblSaveAsSourcepath, Arial(12));
    lblCustomizePath = new TClickLabel(QStringLiteral("Customize"), this);
    Place(lblCustomizePath, "lblCustomizePath", 64, 594, 50, 13);
    // The design's 12 px system font fits "Customize" into 48 px; its stand-in needs 11 px.
    QFont sans(QStringLiteral("Liberation Sans"));
    sans.setPixelSize(11);
    Style(lblCustomizePath, sans);

    edtOutputFolder = new QLineEdit(this);
    Place(edtOutputFolder, "edtOutputFolder", 115, 589, 162, 23);
    Style(edtOutputFolder, Arial(12));

    ssSkinButton1 = SkinButton(this, "ssSkinButton1", "btn_browse_small", 281, 590);
    ssSkinButton5 = SkinButton(this, "ssSkinButton5", "btn_open_small", 329, 590);
    SbtnSplitStart = SkinButton(this, "SbtnSplitStart", "btn_split", 394, 541);
    SbtnSplitStop = SkinButton(this, "SbtnSplitStop", "btn_stop", 394, 541);

    SplitStartAct = new TAction(QStringLiteral("SplitStartAct"), this);
    SplitStartAct->setOnExecute([this] { SplitStartActExecute(); });
    SplitStartAct->setOnUpdate([this] { SplitStartActUpdate(); });
    SbtnSplitStart->setAction(SplitStartAct);
    SplitStopAct = new TAction(QStringLiteral("SplitStopAct"), this);
    SplitStopAct->setOnExecute([this] { SplitStopActExecute(); });
    SbtnSplitStop->setAction(SplitStopAct);

    connect(ssSkinButton1, &TssSkinButton::clicked, this, &TSplitterForm::ssSkinButton1Click);
    connect(ssSkinButton5, &TssSkinButton::clicked, this, &TSplitterForm::ssSkinButton5Click);
    connect(lblSaveAsSourcepath, &TClickLabel::clicked, rbSaveAsSourcepath, [this] { rbSaveAsSourcepath->setChecked(true); });
    connect(lblCustomizePath, &TClickLabel::clicked, rbSaveCustomizePath, [this] { rbSaveCustomizePath->setChecked(true); });
}

void TSplitterForm::SplitStartActUpdate()
{
    SplitStartAct->setEnabled(pdfInfo && !pdfInfo->filePath.isEmpty());
}

void TSplitterForm::SplitStartActExecute()
{
    if (!pdfInfo)
        return;
    try {
        StartSplitJob();
    } catch (const Platform::EConvertError &error) {
        MuiApplication::ShowException(error.message());
    }
}

bool TSplitterForm::StartSplitJob()
{
    if (!pdfInfo || m_jobRunning)
        return false;
    const QString title = Platform::ApplicationTitle();

    if (rbSaveCustomizePath->isChecked()) {
        const QString folder = QDir::fromNativeSeparators(edtOutputFolder->text().trimmed());
        // An empty or relative folder would put the files somewhere the user never chose.
        if (folder.isEmpty() || QDir::isRelativePath(folder)) {
            Platform::ShowMessageBox(this, QStringLiteral("Please choose an output folder."), title, Platform::MB_OK);
            return false;
        }
        pdfInfo->outputFolder = QDir::cleanPath(folder) + QLatin1Char('/') + pdfInfo->baseName;
    } else {
        pdfInfo->outputFolder = pdfInfo->fileFolder + pdfInfo->baseName;
    }

    if (rbSplitEvery->isChecked()) {
        pdfInfo->splitMode = SplitEvery;
        pdfInfo->pagesPerFile = Platform::StrToInt(edtSplitEvery->text());
    } else if (rbSplitBookmark->isChecked()) {
        pdfInfo->splitMode = SplitBookmark;
    } else if (rbSplitRange->isChecked()) {
        NormalizeRangeField();
        if (edtSplitRange->text().isEmpty()) {
            Platform::ShowMessageBox(this, QStringLiteral("Please choose page range to cut."), title, Platform::MB_OK);
            return false;
        }
        pdfInfo->splitMode = SplitRange;
        pdfInfo->rangeText = edtSplitRange->text();
        pdfInfo->saveRest = cbSplitRange->isChecked();
    } else if (rbSplitSpec->isChecked()) {
        pdfInfo->splitMode = SplitSpec;
        if (pdfInfo->customItems.empty()) {
            Platform::ShowMessageBox(this, QStringLiteral("Please choose page range to cut."), title, Platform::MB_OK);
            return false;
        }
    } else if (rbSplitAverage->isChecked()) {
        pdfInfo->splitMode = SplitAverage;
        pdfInfo->fileCount = Platform::StrToInt(edtSplitAverage->text());
    }

    if (splitThread) {
        splitThread->WaitFor();
        delete splitThread;
        splitThread = nullptr;
    }

    m_jobInfo = std::make_unique<PDFItemInfo>(*pdfInfo);
    m_jobTotal = TotalPagesOf(*m_jobInfo);
    splitThread = new SplitThread(true, this);
    jobCancelled = false;
    splitThread->item = m_jobInfo.get();
    m_jobRunning = true;

    SkinProcess1->show();
    SbtnSplitStart->hide();
    SbtnSplitStop->show();
    UpdateSplitOptions();
    splitThread->Resume();
    return true;
}

int64_t TSplitterForm::TotalPagesOf(const PDFItemInfo &job) const
{
    switch (job.splitMode) {
    case SplitEvery:
    case SplitBookmark:
    case SplitAverage:
        return job.pageCount;
    case SplitRange:
        return CountRangePages(job.rangeText, job.pageCount) +
               (job.saveRest ? CountRestPages(job.rangeText, job.pageCount) : 0);
    case SplitSpec: {
        int64_t total = 0;
        for (const CustomPDFItemInfo &entry : job.customItems)
            total += CountRangePages(entry.rangeText, job.pageCount);
        return total;
    }
    }
    return 0;
}

bool TSplitterForm::OnSplitProgress(int32_t pagesDone)
{
    if (m_jobTotal > 0)
        SkinProcess1->Setprocess(static_cast<int32_t>(static_cast<int64_t>(pagesDone) * 100 / m_jobTotal));
    return true;
}

bool TSplitterForm::OnSplitFinished(const QString &outputFolder, bool success)
{
    if (m_askingStop) {
        m_finishPending = true;
        m_pendingFolder = outputFolder;
        m_pendingSuccess = success;
        return true;
    }
    FinishJob(outputFolder, success);
    return true;
}

void TSplitterForm::FinishJob(const QString &outputFolder, bool success)
{
    m_jobRunning = false;
    SkinProcess1->Setprocess(0);
    SkinProcess1->hide();
    SbtnSplitStart->show();
    SbtnSplitStop->hide();
    UpdateSplitOptions();
    if (!jobCancelled && success) {
        const int answer = Platform::ShowMessageBox(
            this, QStringLiteral("Cut successfully.Do you want to open output folder"), Platform::ApplicationTitle(),
            Platform::MB_YESNO);
        if (answer == Platform::IDYES)
            OpenWithShell(this, outputFolder);
    }
}

void TSplitterForm::SplitStopActExecute()
{
    if (splitThread)
        splitThread->paused = true;
    m_askingStop = true;
    const int answer = Platform::ShowMessageBox(this, QStringLiteral("Are you sure to cancel cutting"),
                                                Platform::ApplicationTitle(), Platform::MB_YESNO);
    m_askingStop = false;
    if (answer != Platform::IDYES) {
        if (splitThread)
            splitThread->paused = false;
    } else {
        CancelJob();
    }
    if (m_finishPending) {
        m_finishPending = false;
        FinishJob(m_pendingFolder, m_pendingSuccess);
    }
}

void TSplitterForm::CancelJob()
{
    if (!splitThread)
        return;
    jobCancelled = true;
    splitThread->cancelled = true;
    splitThread->paused = false;
    // The job's last call, OnSplitFinished, runs inside this wait and resets the buttons.
    splitThread->WaitFor();
    delete splitThread;
    splitThread = nullptr;
}

void TSplitterForm::ssSkinButton1Click()
{
    QString folder;
    if (SelectFolder(this, QStringLiteral("Please Select Output Folder"), folder))
        edtOutputFolder->setText(QDir::toNativeSeparators(folder));
}

void TSplitterForm::ssSkinButton5Click()
{
    OpenWithShell(this, edtOutputFolder->text());
}
