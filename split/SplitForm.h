// What the job thread needs of the window that started it. Both calls run on the UI thread
// while the worker waits for them.
#pragma once

#include <QString>

#include <cstdint>

class ISplitForm {
public:
    virtual ~ISplitForm() = default;
    virtual bool OnSplitProgress(int32_t pagesDone) = 0;
    // Called once at the end of every job, also a stopped or failed one.
    virtual bool OnSplitFinished(const QString &outputFolder, bool success) = 0;
};
