#include "test_support.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <random>
#include <sstream>

#include "common/errors.h"

namespace fs = std::filesystem;

#include "common/configuration.h"

namespace rw::test {

namespace {
// The core tests check the described texts ("File not found", ...) unless a
// test selects the working configuration itself (SetConfiguration).
const bool kDescribedByDefault = [] {
    SetConfiguration(Configuration::Described);
    return true;
}();
}  // namespace

TempDir::TempDir() {
    std::random_device rd;
    path_ = fs::temp_directory_path() / ("rw-test-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    // Make read-only folders left by a test writable again so they can go.
    for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::string TempDir::Write(const std::string& relative, const std::string& bytes) const {
    fs::path p = path_ / relative;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
    return p.string();
}

std::string TempDir::Read(const std::string& relative) const { return Slurp(path_ / relative); }

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string DataPath(const std::string& relative) { return std::string(REFORMER_TEST_DATA) + "/" + relative; }

std::string SourceDataTree() { return std::string(REFORMER_SOURCE_DIR) + "/data/bin/sk"; }

void CopyTree(const fs::path& from, const fs::path& to) {
    fs::create_directories(to);
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

CommandResult RunCommand(const std::string& program, const std::vector<std::string>& args) {
    TempDir io;
    const std::string outPath = (io.path() / "out").string(), errPath = (io.path() / "err").string();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    CommandResult r;
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    r.out = Slurp(outPath);
    r.err = Slurp(errPath);
    return r;
}

std::string UserErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const UserError& e) {
        return e.what();
    }
    return "no error";
}

}  // namespace rw::test
