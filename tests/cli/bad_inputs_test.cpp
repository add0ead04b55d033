// The catalogue of broken input files (tests/data/errors/) through
// reformer-cli: every case with a "cli:" line is run as a user runs it, and
// the exit status, the message on stderr and the files that must survive
// are checked. The core's view of the same cases is
// tests/core/common/bad_inputs_test.cpp.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

struct CliCase {
    std::string name;
    fs::path folder;
    std::multimap<std::string, std::string> keys;

    std::string Get(const std::string& key, const std::string& fallback = {}) const {
        auto it = keys.find(key);
        return it == keys.end() ? fallback : it->second;
    }
};

std::vector<CliCase> LoadCliCases() {
    std::vector<CliCase> cases;
    std::error_code ec;
    for (const auto& format : fs::directory_iterator(test::DataPath("errors"), ec)) {
        if (!format.is_directory()) continue;
        for (const auto& folder : fs::directory_iterator(format.path())) {
            std::ifstream in(folder.path() / "expected.txt");
            if (!in) continue;
            CliCase c{format.path().filename().string() + "_" + folder.path().filename().string(), folder.path(), {}};
            for (std::string line; std::getline(in, line);) {
                const size_t colon = line.find(": ");
                if (line.empty() || line[0] == '#' || colon == std::string::npos) continue;
                c.keys.emplace(line.substr(0, colon), line.substr(colon + 2));
            }
            if (c.keys.count("cli")) cases.push_back(std::move(c));
        }
    }
    std::sort(cases.begin(), cases.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return cases;
}

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string Replace(std::string s, const std::string& from, const std::string& to) {
    for (size_t pos = 0; (pos = s.find(from, pos)) != std::string::npos; pos += to.size()) s.replace(pos, from.size(), to);
    return s;
}

// A test names its case; the bytes of the case are not worth printing.
void PrintTo(const CliCase& c, std::ostream* out) { *out << c.name; }

// Files are compared by size and first difference: printing two binary
// indexes byte by byte helps nobody.
::testing::AssertionResult SameBytes(const std::string& name, const std::string& got, const std::string& want) {
    if (got == want) return ::testing::AssertionSuccess();
    size_t i = 0;
    while (i < got.size() && i < want.size() && got[i] == want[i]) ++i;
    return ::testing::AssertionFailure() << name << " changed: " << got.size() << " bytes instead of " << want.size()
                                         << ", first difference at byte " << i;
}

class BadInputsCli : public ::testing::TestWithParam<CliCase> {};

TEST_P(BadInputsCli, CommandGivesTheCataloguedOutcome) {
    const CliCase& c = GetParam();
    test::TempDir dir;
    const std::string d = dir.str();
    const std::string setup = c.Get("setup");
    const fs::path tree = test::SourceDataTree();
    if (setup.find("basa") != std::string::npos) test::CopyTree(tree / "Basa", dir.path() / "Basa");
    if (setup.find("hornel") != std::string::npos) test::CopyTree(tree / "Hornel" / "01-09-09", dir.path() / "sample");
    if (setup.find("rez") != std::string::npos) {
        dir.Write("base.rez", test::Slurp(test::DataPath("results/base.rez")));
        dir.Write("base.dan", test::Slurp(test::DataPath("results/base.dan")));
    }
    for (const char* key : {"keep", "place"}) {
        for (auto [it, end] = c.keys.equal_range(key); it != end; ++it) {
            dir.Write(it->second, test::Slurp(c.folder / it->second));
        }
    }
    const std::string input = dir.Write(c.Get("input"), test::Slurp(c.folder / c.Get("input")));

    // The catalogue keeps the described messages unless a case is about the working configuration.
    std::string command = Quote(REFORMER_CLI) + " --base " + Quote(d);
    if (c.Get("configuration") != "working") command += " --described-configuration";
    std::istringstream words(c.Get("cli"));
    for (std::string word; words >> word;) command += " " + Quote(Replace(Replace(word, "{input}", input), "{dir}", d));
    command += " >" + Quote(d + "/cli-out.txt") + " 2>" + Quote(d + "/cli-err.txt");
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << command;

    if (std::getenv("REFORMER_BAD_INPUTS_SHOW")) {
        std::cout << "== " << c.name << "\ncli-exit: " << WEXITSTATUS(status) << "\ncli-stdout: "
                  << Replace(Replace(dir.Read("cli-out.txt"), input, "{input}"), d, "{dir}") << "cli-stderr: "
                  << Replace(Replace(dir.Read("cli-err.txt"), input, "{input}"), d, "{dir}") << "\n";
    }
    const std::string message = c.Get("message");
    const std::string expectedExit = c.Get("cli-exit", message.empty() ? "0" : "1");
    EXPECT_EQ(std::to_string(WEXITSTATUS(status)), expectedExit) << dir.Read("cli-err.txt");
    const std::string expectedErr = c.Get("cli-stderr", message);
    EXPECT_EQ(dir.Read("cli-err.txt"), expectedErr.empty() ? "" : Replace(expectedErr, "{input}", input) + "\n");
    if (c.keys.count("cli-stdout")) {
        EXPECT_EQ(dir.Read("cli-out.txt"), Replace(Replace(c.Get("cli-stdout"), "{input}", input), "{dir}", d) + "\n");
    }
    for (auto [it, end] = c.keys.equal_range("keep"); it != end; ++it) {
        EXPECT_TRUE(SameBytes(it->second, dir.Read(it->second), test::Slurp(c.folder / it->second)));
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, BadInputsCli, ::testing::ValuesIn(LoadCliCases()),
                         [](const ::testing::TestParamInfo<CliCase>& info) { return info.param.name; });

}  // namespace
}  // namespace rw
