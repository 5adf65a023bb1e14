#include "SafeOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace pdfengine {

namespace {

[[noreturn]] void fail(const char *what, int err)
{
    throw std::runtime_error(std::string(what) + ": " + std::strerror(err));
}

long long failWriteLimit()
{
    const char *value = std::getenv("PDFENGINE_TEST_FAIL_WRITE_AFTER");
    if (value == nullptr || *value == 0)
        return -1;
    return std::atoll(value);
}

bool failClose()
{
    const char *value = std::getenv("PDFENGINE_TEST_FAIL_CLOSE");
    return value != nullptr && std::strcmp(value, "1") == 0;
}

// mkstemp makes 0600 files; outputs get the usual mode a new file would get.
mode_t readUmask()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::strtol(line.c_str() + 6, nullptr, 8));
    }
    return 022;
}

mode_t processUmask()
{
    static const mode_t mask = readUmask();
    return mask;
}

std::string folderOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

class OutputPipeline : public Pipeline {
public:
    OutputPipeline(int fd, long long limit) : Pipeline("pdf output", nullptr), fd_(fd), limit_(limit)
    {
        buffer_.reserve(kBufferSize);
    }

    // qpdf finishes pipelines from destructors, so a failure is recorded, never thrown
    // here; the rest of the file is discarded and check() reports it afterwards.
    void write(unsigned char const *data, size_t len) override
    {
        if (error_ != 0)
            return;
        // Large blocks (stream data) go straight through; small ones are gathered.
        if (len >= kDirectSize || buffer_.size() + len > kBufferSize) {
            flush();
            if (len >= kDirectSize) {
                writeAll(data, len);
                return;
            }
        }
        buffer_.insert(buffer_.end(), data, data + len);
    }

    void finish() override { flush(); }

    void check() const
    {
        if (error_ != 0)
            fail("write", error_);
    }

private:
    // Below malloc's mmap threshold, so a buffer per file costs no fresh pages.
    static constexpr std::size_t kBufferSize = 64 * 1024;
    static constexpr std::size_t kDirectSize = 16 * 1024;

    void flush()
    {
        if (error_ == 0 && !buffer_.empty())
            writeAll(buffer_.data(), buffer_.size());
        buffer_.clear();
    }

    void writeAll(unsigned char const *data, size_t len)
    {
        while (len > 0) {
            size_t chunk = len;
            if (limit_ >= 0) {
                if (written_ >= limit_) {
                    error_ = ENOSPC;
                    return;
                }
                chunk = std::min(chunk, static_cast<size_t>(limit_ - written_));
            }
            const ssize_t n = ::write(fd_, data, chunk);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                error_ = errno;
                return;
            }
            data += n;
            len -= static_cast<size_t>(n);
            written_ += n;
        }
    }

    int fd_;
    long long limit_;
    long long written_ = 0;
    int error_ = 0;
    std::vector<unsigned char> buffer_;
};

SafeOutput::SafeOutput(std::string finalPath) : finalPath_(std::move(finalPath))
{
    std::string pattern = folderOf(finalPath_) + "/.pagemill-XXXXXX.part";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back(0);
    fd_ = mkostemps(buffer.data(), 5, O_CLOEXEC);
    if (fd_ < 0)
        fail("create", errno);
    tempPath_ = buffer.data();
    if (fchmod(fd_, 0666 & ~processUmask()) != 0) {
        const int err = errno;
        ::close(fd_);
        fd_ = -1;
        ::unlink(tempPath_.c_str());
        fail("chmod", err);
    }
    pipeline_ = std::make_unique<OutputPipeline>(fd_, failWriteLimit());
}

SafeOutput::~SafeOutput()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (!committed_)
        ::unlink(tempPath_.c_str());
}

Pipeline *SafeOutput::pipeline()
{
    return pipeline_.get();
}

void SafeOutput::finish()
{
    pipeline_->finish();
    pipeline_->check();
    // No fsync: on this class of disk it costs 4-6 ms per file, twenty times the whole
    // write of a one-page part. A full local disk fails in write() (space is reserved at
    // write time); network file systems report at close(), which is checked.
    if (failClose()) {
        ::close(fd_);
        fd_ = -1;
        fail("close", EIO);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        fail("close", errno);
}

void SafeOutput::commit()
{
    if (fd_ >= 0)
        throw std::logic_error("commit before finish");
    if (std::rename(tempPath_.c_str(), finalPath_.c_str()) != 0)
        fail("rename", errno);
    committed_ = true;
}

bool SafeOutput::commitIfAbsent()
{
    if (fd_ >= 0)
        throw std::logic_error("commit before finish");
    if (::renameat2(AT_FDCWD, tempPath_.c_str(), AT_FDCWD, finalPath_.c_str(), RENAME_NOREPLACE) == 0) {
        committed_ = true;
        return true;
    }
    if (errno == EEXIST)
        return false;
    if (errno != EINVAL && errno != ENOSYS)
        fail("rename", errno);
    // The file system cannot rename without replacing: a hard link fails on an existing name.
    if (::link(tempPath_.c_str(), finalPath_.c_str()) != 0) {
        if (errno == EEXIST)
            return false;
        fail("link", errno);
    }
    ::unlink(tempPath_.c_str());
    committed_ = true;
    return true;
}

void SafeOutput::setFinalPath(const std::string &path)
{
    finalPath_ = path;
}

} // namespace pdfengine
