#pragma once
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace rw::test {

// A fresh temporary folder, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    // Writes bytes to a file below the folder (parents created); returns its path.
    std::string Write(const std::string& relative, const std::string& bytes) const;
    std::string Read(const std::string& relative) const;

private:
    std::filesystem::path path_;
};

// Raw bytes of a file (empty when missing).
std::string Slurp(const std::filesystem::path& p);
// Path of a test data file: tests/data/<relative>.
std::string DataPath(const std::string& relative);
// The installation data tree of the source (data/bin/sk).
std::string SourceDataTree();
// Copies a folder recursively.
void CopyTree(const std::filesystem::path& from, const std::filesystem::path& to);

// Runs a program with its arguments, without a shell; stdout and stderr are
// captured.
struct CommandResult {
    int status = -1;  // exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};
CommandResult RunCommand(const std::string& program, const std::vector<std::string>& args);

// The message of the UserError that f throws, for comparing with what the
// user is to read; "no error" when f returns. Other exceptions pass through.
std::string UserErrorOf(const std::function<void()>& f);

// While it lives, files of this process and its children cannot grow beyond
// `bytes`: writing a larger file fails with EFBIG, as on a full disk, instead
// of killing the process.
class DiskFullAfter {
public:
    explicit DiskFullAfter(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~DiskFullAfter() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    DiskFullAfter(const DiskFullAfter&) = delete;
    DiskFullAfter& operator=(const DiskFullAfter&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

}  // namespace rw::test
