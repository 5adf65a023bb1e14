#include "SplitterForm_Unit1.h"

#include "Actions.h"
#include "ClickLabel.h"
#include "FileDialogs.h"
#include "FormStyle.h"
#include "Helpfunction.h"
#include "MessageBox.h"
#include "MuiContext.h"
#include "OutlineTreeWidget.h"
#include "PdfEngine.h"
#include "Shell.h"
#include "Skins.h"
#include "Splitthread.h"
#include "Ssbutton.h"
#include "Ssform.h"
#include "Tskinprocess.h"

#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QTreeWidget>
#include <QUrl>

using namespace FormStyle;

namespace {

QString openFailureText(int32_t code)
{
    switch (code) {
    case PDFENGINE_E_PASSWORD:
        return QStringLiteral("This PDF file is protected by a password and cannot be opened.");
    case PDFENGINE_E_DAMAGED:
        return QStringLiteral("This file is not a PDF document, or it is damaged beyond repair.");
    default:
        return QStringLiteral("This file cannot be read. Check that it still exists and that you may open it.");
    }
}

const char16_t *wide(const QString &text)
{
    return reinterpret_cast<const char16_t *>(text.utf16());
}

} // namespace

TSplitterForm::TSplitterForm(QWidget *owner) : QWidget(owner)
{
    setObjectName(QStringLiteral("SplitterForm"));
    const MuiContext *context = GetMuiContext();
    const QString title = context ? context->Title : QString();
    setWindowTitle(title);
    setFont(Arial(11));

    BuildFrame();
    BuildOptionsPanel();
    BuildOutputArea();
    BuildHelpMenu();

    lblTitle->setText(title);

    QString documents;
    if (GetDocumentsFolder(documents)) {
        const QString folder = documents + QLatin1Char('/') + (context ? context->StudioName : QString()) +
                               QLatin1Char('/') + title;
        QDir().mkpath(folder); // a failure shows up when a job runs
        edtOutputFolder->setText(QDir::cleanPath(folder));
    }

    pdfInfo = std::make_unique<PDFItemInfo>();
    ResetSplitOptions();
    rbSaveCustomizePath->setChecked(true);

    // A missing or broken fill picture ends the construction with the file error.
    SkinProcess1->SetImage2((context ? context->DataFolder : QString()) + QStringLiteral("Skins/progress.bmp"));
    SkinProcess1->SetBaseLine(5);
    SkinProcess1->SetExtRange(2, SkinProcess1->width() - 4);
    SkinProcess1->hide();

    jobCancelled = false;
    SbtnSplitStop->hide();
    splitThread = nullptr;

    FormCreate();
}

TSplitterForm::~TSplitterForm()
{
    FormDestroy();
}

void TSplitterForm::BuildFrame()
{
    ssSkinForm1 = new TssSkinForm(this);
    ssSkinForm1->setGlyph(Res::skin("face_main"));

    lblTitle = new QLabel(this);
    Place(lblTitle, "lblTitle", 14, 6, 300, 16);
    Style(lblTitle, Arial(13, true), Qt::white);

    btnMin = SkinButton(this, "btnMin", "btn_min", 489, 6);
    connect(btnMin, &TssSkinButton::clicked, this, &TSplitterForm::btnMinClick);
    btnClose = SkinButton(this, "btnClose", "btn_close", 515, 6);
    connect(btnClose, &TssSkinButton::clicked, this, &TSplitterForm::btnCloseClick);
    btnHelp = SkinButton(this, "btnHelp", "btn_help", 467, 54);
    connect(btnHelp, &TssSkinButton::clicked, this, &TSplitterForm::btnHelpClick);

    TntLabel1 = new QLabel(QStringLiteral("File Name"), this);
    Place(TntLabel1, "TntLabel1", 40, 139, 70, 15);
    Style(TntLabel1, Arial(12, true));

    edtFilename = new QLineEdit(this);
    Place(edtFilename, "edtFilename", 40, 160, 249, 23);
    Style(edtFilename, Arial(12));
    edtFilename->setReadOnly(true);

    btnOpenFile = SkinButton(this, "btnOpenFile", "btn_browse", 296, 161);
    connect(btnOpenFile, &TssSkinButton::clicked, this, &TSplitterForm::btnOpenFileClick);

    // The design widths fit the design texts; sizes and page counts may be longer.
    lblSizeTag = new QLabel(QStringLiteral("Size:"), this);
    Place(lblSizeTag, "lblSizeTag", 420, 145, 30, 15);
    lblSize = new QLabel(QStringLiteral("0KB"), this);
    Place(lblSize, "lblSize", 452, 145, 90, 15);
    lblPagesTag = new QLabel(QStringLiteral("Total Pages:"), this);
    Place(lblPagesTag, "lblPagesTag", 420, 169, 72, 15);
    lblPages = new QLabel(QStringLiteral("0"), this);
    Place(lblPages, "lblPages", 493, 169, 50, 15);
    for (QLabel *label : {lblSizeTag, lblSize, lblPagesTag, lblPages}) {
        Style(label, Arial(12));
        label->hide();
    }

    TreeView1 = new QTreeWidget(this);
    Place(TreeView1, "TreeView1", 440, 248, 89, 33);
    TreeView1->hide();
}

void TSplitterForm::FormCreate()
{
    setAcceptDrops(true);
}

void TSplitterForm::FormDestroy()
{
    CancelJob();
    if (pdfInfo && pdfInfo->docHandle >= 0)
        ClosePDF(pdfInfo->docHandle);
    pdfInfo.reset();
    m_jobInfo.reset();
}

bool TSplitterForm::RefuseDuringJob()
{
    if (!m_jobRunning)
        return false;
    Platform::ShowMessageBox(this,
                             QStringLiteral("A cutting job is running. Stop it or wait until it has finished "
                                            "before you open another file."),
                             Platform::ApplicationTitle(), Platform::MB_OK | Platform::MB_ICONINFORMATION);
    return true;
}

void TSplitterForm::btnOpenFileClick()
{
    if (RefuseDuringJob())
        return;
    const QString path = Platform::GetOpenFileName(this, QStringLiteral("Select PDF File"),
                                                   QStringLiteral("Adobe PDF Files (*.pdf)"));
    if (!path.isEmpty())
        LoadPdfFile(path);
}

void TSplitterForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TSplitterForm::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls())
        paths.append(url.isLocalFile() ? url.toLocalFile() : QString()); // only local files open
    event->acceptProposedAction();
    DropFiles(paths);
}

void TSplitterForm::DropFiles(const QStringList &paths)
{
    if (paths.size() >= 2) {
        Platform::ShowMessageBox(this, QStringLiteral("Please drag only one PDF File at a time"),
                                 Platform::ApplicationTitle(), Platform::MB_OK);
        return;
    }
    if (paths.size() != 1)
        return;
    const QString &path = paths.constFirst();
    if (path.isEmpty())
        return;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return;
    // The dot must lie in the file's own name, not in a folder name.
    if (path.indexOf(QLatin1Char('/'), dot) >= 0)
        return;
    QString extension = path.mid(dot);
    for (QChar &c : extension)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    if (extension != QLatin1String(".PDF"))
        return;
    if (RefuseDuringJob())
        return;
    LoadPdfFile(path);
}

uint32_t TSplitterForm::GetFileSizeKB(const QString &path)
{
    QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return 0;
    return static_cast<uint32_t>(static_cast<quint64>(info.size()) / 1024u);
}

void TSplitterForm::LoadPdfFile(const QString &path)
{
    if (path.isEmpty())
        return;
    const QFileInfo info(path);
    const QString fileName = info.fileName();
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    edtFilename->setText(dot > 0 ? fileName.left(dot) : fileName);
    pdfInfo->filePath = path;
    pdfInfo->baseName = edtFilename->text();
    pdfInfo->fileFolder = path.left(path.lastIndexOf(QLatin1Char('/')) + 1);

    pdfInfo->fileSizeKB = GetFileSizeKB(path);
    lblSizeTag->show();
    lblSize->setText(QString::number(pdfInfo->fileSizeKB) + QStringLiteral("KB"));
    lblSize->show();

    if (pdfInfo->docHandle >= 0)
        ClosePDF(pdfInfo->docHandle);
    pdfInfo->docHandle = OpenPDFW(wide(path), 0);
    pdfInfo->customItems.clear();

    if (pdfInfo->docHandle < 0) {
        // Keeping the previous document's page count for a file that did not open would
        // let a job run against the wrong numbers: say why and go back to no document.
        const int32_t code = pdfInfo->docHandle;
        ShowNoDocument();
        ResetSplitOptions();
        Platform::ShowMessageBox(this, openFailureText(code) + QStringLiteral("\n\n") + path,
                                 Platform::ApplicationTitle(), Platform::MB_OK | Platform::MB_ICONWARNING);
        return;
    }

    pdfInfo->pageCount = GetPageCount(pdfInfo->docHandle);
    edtSplitAverage->setText(pdfInfo->pageCount == 1 ? QStringLiteral("1") : QStringLiteral("2"));

    const int32_t levels = FillOutlineTree(TreeView1, pdfInfo->docHandle);
    pdfInfo->outlineLevels = levels != 0 ? levels - 1 : 0;
    cmbSplitBookmark->clear();
    if (pdfInfo->outlineLevels != 0) {
        for (int32_t level = 1; level <= pdfInfo->outlineLevels; ++level)
            cmbSplitBookmark->addItem(QString::number(level));
        cmbSplitBookmark->setCurrentIndex(0);
        cmbSplitBookmarkSelect();
    }

    lblPagesTag->show();
    lblPages->setText(QString::number(pdfInfo->pageCount));
    lblPages->show();

    ResetSplitOptions();
}

void TSplitterForm::ShowNoDocument()
{
    pdfInfo->filePath.clear();
    pdfInfo->fileFolder.clear();
    pdfInfo->baseName.clear();
    pdfInfo->fileSizeKB = 0;
    pdfInfo->docHandle = -1;
    pdfInfo->pageCount = 0;
    pdfInfo->outlineLevels = 0;
    pdfInfo->customItems.clear();
    edtFilename->clear();
    TreeView1->clear();
    cmbSplitBookmark->clear();
    for (QLabel *label : {lblSizeTag, lblSize, lblPagesTag, lblPages})
        label->hide();
    lblSize->setText(QStringLiteral("0KB"));
    lblPages->setText(QStringLiteral("0"));
    SplitStartAct->Update();
}

void TSplitterForm::btnMinClick()
{
    showMinimized();
}

void TSplitterForm::btnCloseClick()
{
    close();
}

void TSplitterForm::OpenWithShell(QWidget *window, const QString &target)
{
    Platform::ShellOpen(window, target, Platform::ShowCommand::Maximized);
}
