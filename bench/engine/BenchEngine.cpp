// Times the engine against the installed peers on one generated book-like PDF and prints,
// per case: wall time, peak memory, bytes written, and the engine's ratio to each peer.
//
// Usage: bench_engine [pages (default 2000)] [work folder (default /tmp/pagemill-bench)]
//        bench_engine --source FILE [work folder]   (a given document instead of the generated one)
// Each run happens in a child process of its own, so peak memory is that run's alone; times are
// the best of three runs. For one
// file per page and every 10 pages it also runs the engine with every part made by the reference
// path (qpdf's copier and writer) and times a plain copy of as many bytes as the engine wrote.
#include "BenchSource.h"
#include "PdfEngine.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::u16string u16(const std::string &s)
{
    // Bench paths are ASCII.
    return std::u16string(s.begin(), s.end());
}

int32_t keepGoing(int32_t, int32_t, int32_t, int32_t)
{
    return 1;
}

int pageCountOf(const std::string &src)
{
    const int32_t h = OpenPDFW(u16(src).c_str(), 0);
    const int32_t n = GetPageCount(h);
    ClosePDF(h);
    return n;
}

bool splitList(const std::string &src, const std::string &list, const std::string &out, int32_t rest)
{
    return SplitPDFW(u16(src).c_str(), list.c_str(), u16(out).c_str(), rest, keepGoing) != 0;
}

// The engine side of each case, run inside the child: calls as the job thread makes them.
int runEngineCase(const std::string &which, const std::string &src, const std::string &out, int pages)
{
    if (which == "every1" || which == "every10") {
        const int n = which == "every1" ? 1 : 10;
        for (int i = 0; i * n < pages; ++i) {
            const int first = i * n + 1;
            const int last = std::min(pages, (i + 1) * n);
            const std::string list = first == last ? std::to_string(first)
                                                   : std::to_string(first) + "-" + std::to_string(last);
            if (!splitList(src, list, out + "/book(" + std::to_string(i + 1) + ").pdf", 0))
                return 1;
        }
        return 0;
    }
    if (which == "range")
        return splitList(src, "1,3,5,7-10", out + "/book.pdf", 1) ? 0 : 1;
    if (which == "bookmarks1" || which == "bookmarks3")
        return SplitWithOutlineW(u16(src).c_str(), u16(out).c_str(), which == "bookmarks1" ? 1 : 3, 0, keepGoing)
                   ? 0
                   : 1;
    return 2;
}

struct Result {
    bool ok = false;
    double seconds = 0;
    double cpuSeconds = 0;
    long peakKiB = 0;
    unsigned long long bytes = 0;
    int files = 0;
};

// Runs the commands one after another in child processes into a fresh folder.
Result measure(const std::vector<std::vector<std::string>> &commands, const std::string &out)
{
    fs::remove_all(out);
    fs::create_directories(out);
    // The previous run's dirty pages are written back before this one starts, not during it.
    sync();
    Result r;
    r.ok = true;
    const auto start = std::chrono::steady_clock::now();
    for (const auto &command : commands) {
        std::fflush(stdout);
        const pid_t pid = fork();
        if (pid == 0) {
            std::vector<char *> argv;
            for (const auto &a : command)
                argv.push_back(const_cast<char *>(a.c_str()));
            argv.push_back(nullptr);
            if (freopen("/dev/null", "w", stdout) == nullptr)
                _exit(126);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        int status = 0;
        struct rusage usage {};
        wait4(pid, &status, 0, &usage);
        // qpdf answers 3 for warnings; the file is still written.
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (code != 0 && !(command[0] == "qpdf" && code == 3))
            r.ok = false;
        r.peakKiB = std::max(r.peakKiB, usage.ru_maxrss);
        r.cpuSeconds += static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                        static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (auto &entry : fs::recursive_directory_iterator(out))
        if (entry.is_regular_file()) {
            r.bytes += entry.file_size();
            ++r.files;
        }
    return r;
}

// The floor, run inside the child: the files the engine wrote, same count and sizes, written
// from memory with plain write calls. sizesFile holds one size per line.
int writeFloor(const std::string &sizesFile, const std::string &out)
{
    std::FILE *sizes = std::fopen(sizesFile.c_str(), "r");
    if (sizes == nullptr)
        return 1;
    std::vector<unsigned char> block(1 << 20);
    unsigned state = 12345;
    for (auto &b : block) {
        state = state * 1103515245u + 12345u;
        b = static_cast<unsigned char>(state >> 24);
    }
    unsigned long long size = 0;
    int n = 0;
    while (std::fscanf(sizes, "%llu", &size) == 1) {
        const std::string name = out + "/copy" + std::to_string(++n);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0)
            return 1;
        while (size > 0) {
            const std::size_t chunk = static_cast<std::size_t>(std::min<unsigned long long>(size, block.size()));
            const ssize_t written = ::write(fd, block.data(), chunk);
            if (written <= 0)
                return 1;
            size -= static_cast<unsigned long long>(written);
        }
        if (::close(fd) != 0)
            return 1;
    }
    std::fclose(sizes);
    return 0;
}

// Sizes of the files in folder, one a line, for the floor.
void recordSizes(const std::string &folder, const std::string &sizesFile)
{
    std::FILE *f = std::fopen(sizesFile.c_str(), "w");
    if (f == nullptr)
        return;
    for (auto &entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            std::fprintf(f, "%llu\n", static_cast<unsigned long long>(entry.file_size()));
    std::fclose(f);
}

// The best of three runs: the page cache and write-back make single runs of this much output
// vary by a factor of two.
Result measureBest(const std::vector<std::vector<std::string>> &commands, const std::string &out)
{
    Result best;
    for (int run = 0; run < 3; ++run) {
        Result r = measure(commands, out);
        if (run == 0 || (r.ok && r.seconds < best.seconds)) {
            const long peak = std::max(best.peakKiB, r.peakKiB);
            best = r;
            best.peakKiB = peak;
        }
    }
    return best;
}

bool installed(const char *tool)
{
    const std::string command = std::string("command -v ") + tool + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

void print(const std::string &caseName, const std::string &who, const Result &r, const Result *engine)
{
    std::printf("%-20s %-22s %7.3f s %7.3f s %8.1f MiB %11llu B %5d%s", caseName.c_str(), who.c_str(), r.seconds,
                r.cpuSeconds, static_cast<double>(r.peakKiB) / 1024.0, r.bytes, r.files, r.ok ? "" : " FAILED");
    if (engine != nullptr && r.seconds > 0 && r.cpuSeconds > 0 && r.bytes > 0 && r.peakKiB > 0)
        std::printf("   engine/this: wall %.2f cpu %.2f memory %.2f bytes %.2f", engine->seconds / r.seconds,
                    engine->cpuSeconds / r.cpuSeconds,
                    static_cast<double>(engine->peakKiB) / static_cast<double>(r.peakKiB),
                    static_cast<double>(engine->bytes) / static_cast<double>(r.bytes));
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace

// Makes the generated source first when makePages is above 0, then answers the engine's page
// count of src, both in a child: a child's peak memory counts what it inherits at fork, so the
// parent stays small. 0 when the engine does not read it.
int pagesInChild(const std::string &src, int makePages)
{
    int link[2];
    if (pipe(link) != 0)
        return 0;
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        close(link[0]);
        if (makePages > 0)
            writeBenchSource(src, makePages);
        const int count = pageCountOf(src);
        _exit(write(link[1], &count, sizeof count) == sizeof count ? 0 : 1);
    }
    close(link[1]);
    int count = 0;
    if (child < 0 || read(link[0], &count, sizeof count) != sizeof count)
        count = 0;
    close(link[0]);
    if (child > 0)
        waitpid(child, nullptr, 0);
    return count;
}

int main(int argc, char **argv)
{
    if (argc == 6 && std::strcmp(argv[1], "--engine-case") == 0)
        return runEngineCase(argv[2], argv[3], argv[4], std::atoi(argv[5]));
    if (argc == 4 && std::strcmp(argv[1], "--floor") == 0)
        return writeFloor(argv[2], argv[3]);

    // "--source FILE" times a given document instead of the generated book.
    const bool given = argc > 2 && std::strcmp(argv[1], "--source") == 0;
    const int argBase = given ? 2 : 1;
    const std::string work = argc > argBase + 1 ? argv[argBase + 1] : "/tmp/pagemill-bench";
    fs::create_directories(work);
    const std::string src = given ? fs::absolute(argv[2]).string() : work + "/book.pdf";
    int pages = given ? 0 : (argc > 1 ? std::atoi(argv[1]) : 2000);
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    const int found = pagesInChild(src, given ? 0 : pages);
    if (found <= 0 || (!given && found != pages)) {
        std::fprintf(stderr, "the engine does not read %s\n", src.c_str());
        return 1;
    }
    pages = found;
    std::printf("source: %s, %d pages, %llu bytes\n\n", src.c_str(), pages,
                static_cast<unsigned long long>(fs::file_size(src)));
    std::printf("%-20s %-22s %9s %9s %12s %13s %5s\n", "case", "tool", "wall", "cpu", "peak memory", "bytes written",
                "files");

    const bool pdftk = installed("pdftk");
    const bool mutool = installed("mutool");
    struct Peer {
        std::string name;
        std::vector<std::vector<std::string>> commands;
    };
    struct Case {
        std::string name, engineCase;
        std::vector<Peer> peers;
    };
    const std::string out = work + "/out";
    const std::string mutoolScript = work + "/split.js";
    if (mutool) {
        std::FILE *f = std::fopen(mutoolScript.c_str(), "w");
        // One graft map per output, so the pages of a part share their fonts and images.
        std::fputs("var src = new PDFDocument(scriptArgs[0]); var n = src.countPages();\n"
                   "var step = parseInt(scriptArgs[2]);\n"
                   "for (var i = 0; i < n; i += step) { var d = new PDFDocument(); var g = d.newGraftMap();\n"
                   "  for (var p = i; p < Math.min(n, i + step); ++p) g.graftPage(-1, src, p);\n"
                   "  d.save(scriptArgs[1] + '/part' + (i / step + 1) + '.pdf'); }\n",
                   f);
        std::fclose(f);
    }
    auto mutoolPeer = [&](const char *step) {
        return Peer{"mutool run", {{"mutool", "run", mutoolScript, src, out, step}}};
    };
    std::vector<Case> cases;
    {
        Case c{"one file per page", "every1", {{"qpdf --split-pages", {{"qpdf", src, "--split-pages", out + "/page.pdf"}}}}};
        if (pdftk)
            c.peers.push_back({"pdftk burst", {{"pdftk", src, "burst", "output", out + "/pg_%04d.pdf"}}});
        if (mutool)
            c.peers.push_back(mutoolPeer("1"));
        cases.push_back(c);
    }
    {
        Case c{"every 10 pages", "every10", {{"qpdf --split-pages=10", {{"qpdf", src, "--split-pages=10", out + "/part.pdf"}}}}};
        if (mutool)
            c.peers.push_back(mutoolPeer("10"));
        cases.push_back(c);
    }
    {
        Case c{"range + rest", "range",
               {{"qpdf --pages (x2)",
                 {{"qpdf", src, "--pages", src, "1,3,5,7-10", "--", out + "/book.pdf"},
                  {"qpdf", src, "--pages", src, "2,4,6,11-z", "--", out + "/book_rest.pdf"}}}}};
        if (pdftk)
            c.peers.push_back({"pdftk cat (x2)",
                               {{"pdftk", src, "cat", "1", "3", "5", "7-10", "output", out + "/book.pdf"},
                                {"pdftk", src, "cat", "2", "4", "6", "11-end", "output", out + "/book_rest.pdf"}}});
        cases.push_back(c);
    }
    cases.push_back({"bookmarks level 1", "bookmarks1", {}});
    cases.push_back({"bookmarks level 3", "bookmarks3", {}});

    const std::string sizesFile = work + "/sizes.txt";
    for (const auto &c : cases) {
        const std::vector<std::string> engineCommand = {self, "--engine-case", c.engineCase, src, out, std::to_string(pages)};
        const bool perPage = c.engineCase == "every1" || c.engineCase == "every10";
        const Result engine = measureBest({engineCommand}, out);
        print(c.name, "engine", engine, nullptr);
        if (perPage) {
            recordSizes(out, sizesFile);
            // The same calls with every part made by qpdf's copier and writer.
            setenv("PDFENGINE_TEST_REFERENCE_PATH", "1", 1);
            print(c.name, "engine, reference path", measureBest({engineCommand}, out), &engine);
            unsetenv("PDFENGINE_TEST_REFERENCE_PATH");
        }
        for (const auto &peer : c.peers)
            print(c.name, peer.name, measureBest(peer.commands, out), &engine);
        if (perPage) {
            print(c.name, "plain write (floor)", measureBest({{self, "--floor", sizesFile, out}}, out), &engine);
            fs::remove(sizesFile);
        }
    }
    if (!pdftk)
        std::printf("\npdftk is not installed: its cases were skipped.\n");
    if (!mutool)
        std::printf("mutool is not installed: its cases were skipped.\n");
    fs::remove_all(out);
    return 0;
}
