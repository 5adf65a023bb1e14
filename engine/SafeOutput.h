// An output file that appears under its name only when it is whole: written to a
// temporary file in the target folder, every write and the close checked, then
// renamed into place. Until commit, destroying it removes the temporary file.
//
// Test seam: PDFENGINE_TEST_FAIL_WRITE_AFTER=<n> makes every output fail with ENOSPC once
// n bytes of it have been written; PDFENGINE_TEST_FAIL_CLOSE=1 makes the final close fail.
#ifndef PAGEMILL_ENGINE_SAFEOUTPUT_H
#define PAGEMILL_ENGINE_SAFEOUTPUT_H

#include <qpdf/Pipeline.hh>

#include <memory>
#include <string>
#include <vector>

namespace pdfengine {

class OutputPipeline;

class SafeOutput {
public:
    // Throws std::runtime_error when the temporary file cannot be made.
    explicit SafeOutput(std::string finalPath);
    ~SafeOutput();
    SafeOutput(const SafeOutput &) = delete;
    SafeOutput &operator=(const SafeOutput &) = delete;

    Pipeline *pipeline();
    // Flushes and closes; throws on any failure.
    void finish();
    // Renames into place, replacing a file of that name.
    void commit();
    // Renames into place only when no file of that name exists; answers false if one does.
    bool commitIfAbsent();
    const std::string &finalPath() const { return finalPath_; }
    // For commitIfAbsent retries under another name.
    void setFinalPath(const std::string &path);

private:
    std::string finalPath_;
    std::string tempPath_;
    int fd_ = -1;
    bool committed_ = false;
    std::unique_ptr<OutputPipeline> pipeline_;
};

} // namespace pdfengine

#endif
