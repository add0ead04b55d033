#include "test_support.h"

#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace rw::test {

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

}  // namespace rw::test
