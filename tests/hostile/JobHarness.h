// Runs one split job as the window does, and looks at what it left on disk.
#pragma once

#include "Data_unit1.h"
#include "SplitForm.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

struct RecordingForm : ISplitForm {
    bool OnSplitProgress(int32_t pagesDone) override;
    bool OnSplitFinished(const QString &outputFolder, bool success) override;

    std::function<void(int32_t)> onProgress; // on the UI thread, with the pages written so far
    int progressCalls = 0;
    int finishedCalls = 0;
    QString finishedFolder;
    bool finishedSuccess = false;
};

struct JobOutcome {
    bool ended = false; // reported its end exactly once within the time limit
    bool success = false;
    QString folder;
    QStringList messages; // texts of the message boxes it showed
    std::chrono::milliseconds elapsed{0};
};

// Starts the job suspended, sets the record, resumes it and runs the event loop until it ends
// or limit passes. The message box seam must be installed.
JobOutcome RunSplitJob(PDFItemInfo &info, std::chrono::milliseconds limit,
                       std::function<void(int32_t)> onProgress = {});

extern const QString FailureText;

// Every file below root, relative to it, sorted; hidden ones too.
QStringList FilesBelow(const QString &root);

// Empty when `qpdf --check` passes the file, else what it said.
QString QpdfCheckProblem(const QString &path);
