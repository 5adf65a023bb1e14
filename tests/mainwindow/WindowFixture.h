// A main window on the offscreen platform with the message-box, shell and file-dialog seams,
// and a folder of generated documents.
#pragma once

#include "MuiContext.h"
#include "QStringPrinter.h"
#include "PdfGen.h"
#include "SplitterForm_Unit1.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a document into the work folder and answers its path.
    QString MakePdf(const QString &name, const PdfGen::Document &document);
    QString MakePdf(const QString &name, int pages) { return MakePdf(name, PdfGen::Document{pages, {}}); }
    // Loads a document as the file dialog would.
    void Open(const QString &path);
    // Clicks a control found by its object name.
    void Click(const char *name);
    // Runs the event loop until the job has ended.
    void WaitForJob();
    // Types text into an edit found by its object name, replacing what it held.
    void Type(const char *name, const QString &text);

    QTemporaryDir work;
    MuiContext context;
    std::unique_ptr<TSplitterForm> form;
};
