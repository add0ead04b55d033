#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <cstdlib>
#include <filesystem>

#include "common/errors.h"
#include "common/files.h"
#include "results/results_file.h"
#include "run_fixtures.h"
#include "runs/external_program.h"
#include "runs/run_object.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

using Clock = std::chrono::steady_clock;

// PATH for one test: only the folder with the fake runners, so whatever wine
// or dosbox the machine has stays out of it.
class PathGuard {
public:
    explicit PathGuard(const std::string& path) {
        if (const char* old = std::getenv("PATH")) old_ = old;
        ::setenv("PATH", path.c_str(), 1);
    }
    ~PathGuard() { ::setenv("PATH", old_.c_str(), 1); }
    PathGuard(const PathGuard&) = delete;
    PathGuard& operator=(const PathGuard&) = delete;

private:
    std::string old_ = "/usr/bin:/bin";
};

// A runner that writes where it was started and its arguments, one per line.
void FakeRunner(const test::TempDir& dir, const std::string& name, const std::string& extra = "") {
    std::string path = dir.Write("runners/" + name,
                                 "#!/bin/sh\n"
                                 "echo " + name + " > runner.txt\n"
                                 "pwd >> runner.txt\n"
                                 "for a in \"$@\"; do printf '[%s]\\n' \"$a\" >> runner.txt; done\n" + extra);
    ::chmod(path.c_str(), 0755);
}

// A DOS program: the "MZ" header and nothing a Windows program would carry.
// Copies from Windows machines often lack the executable bit, so it has none.
std::string DosProgram(const test::TempDir& dir, const std::string& relative) {
    return dir.Write(relative, std::string("MZ\x90\x00\x03\x00", 6) + std::string(200, '\0'));
}

// A Windows program: "MZ", the offset of the second header at 0x3C, "PE\0\0"
// there ("NE" for a 16-bit one).
std::string WindowsProgram(const test::TempDir& dir, const std::string& relative, const char* signature = "PE") {
    std::string bytes(0x80, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[0x3C] = 0x40;
    bytes.replace(0x40, 2, signature);
    return dir.Write(relative, bytes);
}

std::string Backslashed(std::string path) {
    for (char& ch : path) {
        if (ch == '/') ch = '\\';
    }
    return path;
}

TEST(LegacyRunner, DosModelRunsThroughWineInTheBaseFolderWhenDosboxIsMissing) {
    test::TempDir dir;
    FakeRunner(dir, "wine");
    PathGuard path((dir.path() / "runners").string());
    const std::string base = (dir.path() / "Мои программы" / "bin" / "sk").string();
    const std::string model = DosProgram(dir, "Мои программы/bin/sk/vortan.exe");

    // The run object's command line: the model's full path in the program's notation and "dan.bak".
    EXPECT_EQ(RunExternalProgram(QuoteArgument(Backslashed(model)) + " dan.bak", Backslashed(base), WindowMode::Hidden, 5000),
              RunOutcome::Finished);
    EXPECT_EQ(test::Slurp(fs::path(base) / "runner.txt"), "wine\n" + base + "\n[" + model + "]\n[dan.bak]\n");
}

TEST(LegacyRunner, DosModelPrefersDosboxWithTheWorkingFolderAsDriveC) {
    test::TempDir dir;
    FakeRunner(dir, "wine");
    FakeRunner(dir, "dosbox");
    PathGuard path((dir.path() / "runners").string());
    DosProgram(dir, "sk/drovan.exe");
    DosProgram(dir, "elsewhere/vortan.exe");
    const std::string base = (dir.path() / "sk").string();

    ASSERT_EQ(RunExternalProgram("drovan.exe", base, WindowMode::Hidden, kNoTimeLimit), RunOutcome::Finished);
    EXPECT_EQ(test::Slurp(fs::path(base) / "runner.txt"),
              "dosbox\n" + base + "\n[-noautoexec]\n[-c]\n[MOUNT C \"" + base + "\"]\n[-c]\n[C:]\n[-c]\n[drovan.exe]\n" +
                  "[-c]\n[EXIT]\n");

    // A program outside the working folder gets a drive of its own.
    const std::string other = (dir.path() / "elsewhere").string();
    ASSERT_EQ(RunExternalProgram(other + "/vortan.exe Ver.bak", base, WindowMode::Hidden, kNoTimeLimit),
              RunOutcome::Finished);
    EXPECT_EQ(test::Slurp(fs::path(base) / "runner.txt"),
              "dosbox\n" + base + "\n[-noautoexec]\n[-c]\n[MOUNT C \"" + base + "\"]\n[-c]\n[C:]\n[-c]\n[MOUNT D \"" +
                  other + "\"]\n[-c]\n[D:\\vortan.exe Ver.bak]\n[-c]\n[EXIT]\n");
}

// DOS takes 8 + 3 names only; the model vortan-10.exe is started under the
// short name Windows would give it, from a folder of its own that goes away.
TEST(LegacyRunner, LongNamesRunUnderAShortNameAndAnyCase) {
    const std::pair<const char*, bool> names[] = {
        {"vortan.exe", true}, {"KELMAR.EXE", true}, {"12345678.123", true}, {"a", true}, {"clor-dan.12", true},
        {"123456789.exe", false}, {"vortan.exee", false}, {"vortan-10.exe", false}, {"a.b.c", false},
        {"", false}, {".exe", false}, {"name.", false}, {"my prog.exe", false},
    };
    for (const auto& [name, dos] : names) EXPECT_EQ(IsDosFileName(name), dos) << name;
    EXPECT_EQ(DosShortName("vortan-10.exe"), "VORTAN~1.EXE");
    EXPECT_EQ(DosShortName("drovan-1.exe"), "DROVAN~1.EXE");
    EXPECT_EQ(DosShortName("my program.exe2"), "MYPROG~1.EXE");

    test::TempDir dir;
    // The runner lists the folder it is given as drive D, while the program runs.
    FakeRunner(dir, "dosbox",
               "for a in \"$@\"; do case \"$a\" in \"MOUNT D \"*) d=${a#MOUNT D \\\"}; /bin/ls \"${d%\\\"}\" >> runner.txt;; "
               "esac; done\n");
    PathGuard path((dir.path() / "runners").string());
    DosProgram(dir, "sk/VORTAN-10.EXE");
    const std::string base = (dir.path() / "sk").string();
    ASSERT_EQ(RunExternalProgram("vortan-10.exe dan.bak", base, WindowMode::Hidden, kNoTimeLimit), RunOutcome::Finished);
    const std::vector<std::string> lines = SplitLines(dir.Read("sk/runner.txt"));
    ASSERT_EQ(lines.size(), 14u) << dir.Read("sk/runner.txt");
    const std::string mount = lines[8];
    ASSERT_EQ(mount.substr(0, 10), "[MOUNT D \"") << mount;
    const std::string scratch = mount.substr(10, mount.size() - 12);
    EXPECT_NE(scratch.find("reformer-dos-"), std::string::npos) << scratch;
    EXPECT_EQ(lines[10], "[D:\\VORTAN~1.EXE dan.bak]");
    EXPECT_EQ(lines[13], "VORTAN~1.EXE");  // the copy was there while the runner ran
    EXPECT_FALSE(fs::exists(scratch));
}

TEST(LegacyRunner, WindowsModelNeedsWineAndDosboxWillNotDo) {
    for (const char* signature : {"PE", "NE"}) {
        test::TempDir dir;
        FakeRunner(dir, "dosbox");
        PathGuard path((dir.path() / "runners").string());
        const std::string model = WindowsProgram(dir, "sk/kelmar.exe", signature);
        const std::string message = test::UserErrorOf([&] {
            RunExternalProgram("kelmar.exe dan.bak", (dir.path() / "sk").string(), WindowMode::Hidden, 2000);
        });
        EXPECT_NE(message.find(model), std::string::npos) << signature << ": " << message;
        EXPECT_NE(message.find("установите wine"), std::string::npos) << signature << ": " << message;
        EXPECT_FALSE(fs::exists(dir.path() / "sk" / "runner.txt"));

        FakeRunner(dir, "wine");
        EXPECT_EQ(RunExternalProgram("kelmar.exe dan.bak", (dir.path() / "sk").string(), WindowMode::Hidden, 2000),
                  RunOutcome::Finished);
        EXPECT_EQ(dir.Read("sk/runner.txt").substr(0, 5), "wine\n") << signature;
    }
}

TEST(LegacyRunner, NoRunnerInstalledIsReportedInsteadOfReadingStaleFiles) {
    test::TempDir dir;
    fs::create_directories(dir.path() / "runners");
    PathGuard path((dir.path() / "runners").string());
    const std::string model = DosProgram(dir, "sk/vortan-10.exe");
    dir.Write("sk/rez", "results of an earlier run");
    ExternalProgram p;
    const std::string message = test::UserErrorOf([&] {
        p.Start("vortan-10.exe dan.bak", (dir.path() / "sk").string());
    });
    EXPECT_NE(message.find(model), std::string::npos) << message;
    EXPECT_NE(message.find("установите dosbox или wine"), std::string::npos) << message;
    EXPECT_FALSE(p.Running());
}

TEST(LegacyRunner, TimeOutEndsTheRunnerAndTheModelUnderIt) {
    test::TempDir dir;
    FakeRunner(dir, "wine", "exec /bin/sleep 30\n");
    PathGuard path((dir.path() / "runners").string());
    DosProgram(dir, "sk/vortan.exe");
    const auto start = Clock::now();
    EXPECT_EQ(RunExternalProgram("vortan.exe dan.bak", (dir.path() / "sk").string(), WindowMode::Hidden, 300),
              RunOutcome::Terminated);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
}

TEST(LegacyRunner, OrdinaryProgramsAndDataFilesAreLeftAlone) {
    test::TempDir dir;
    FakeRunner(dir, "wine");
    PathGuard path((dir.path() / "runners").string());
    // A native program is started as it is, even when a runner is there.
    std::string native = dir.Write("sk/selvin.exe", "#!/bin/sh\necho native > ran.txt\n");
    ::chmod(native.c_str(), 0755);
    EXPECT_EQ(RunExternalProgram("selvin.exe ", (dir.path() / "sk").string(), WindowMode::Shown, kNoTimeLimit),
              RunOutcome::Finished);
    EXPECT_EQ(dir.Read("sk/ran.txt"), "native\n");
    // A file that is neither executable nor "MZ"-headed is still not started.
    dir.Write("sk/notes.exe", "MY NOTES");
    EXPECT_EQ(RunExternalProgram("notes.exe", (dir.path() / "sk").string(), WindowMode::Hidden, 2000),
              RunOutcome::NotStarted);
    EXPECT_FALSE(fs::exists(dir.path() / "sk" / "runner.txt"));
}

TEST(LegacyRunner, ProgramInTheWorkingFolderIsMountedOnceWhateverTheSpelling) {
    test::TempDir dir;
    FakeRunner(dir, "dosbox", "printf '[SDL=%s]\\n' \"$SDL_VIDEODRIVER\" >> runner.txt\n");
    PathGuard path((dir.path() / "runners").string());
    const std::string base = (dir.path() / "sk").string();
    const std::string model = DosProgram(dir, "sk/vortan.exe");
    // The run object's spelling: a trailing separator on the folder, the program by its full path.
    ASSERT_EQ(RunExternalProgram(QuoteArgument(Backslashed(model)) + " dan.bak", Backslashed(base) + "\\",
                                 WindowMode::Hidden, 5000),
              RunOutcome::Finished);
    const std::string hidden = dir.Read("sk/runner.txt");
    EXPECT_EQ(hidden.find("MOUNT D"), std::string::npos) << hidden;
    EXPECT_NE(hidden.find("[vortan.exe dan.bak]"), std::string::npos) << hidden;
    // A hidden program runs without a display; a shown one (the dosing program) gets its window.
    EXPECT_NE(hidden.find("[SDL=dummy]"), std::string::npos) << hidden;
    DosProgram(dir, "sk/selvin.exe");
    ASSERT_EQ(RunExternalProgram("selvin.exe ", base, WindowMode::Shown, kNoTimeLimit), RunOutcome::Finished);
    EXPECT_EQ(dir.Read("sk/runner.txt").find("[SDL=dummy]"), std::string::npos);
}

TEST(LegacyRunner, EmulatedProgramGetsTheEmulatorTimeLimit) {
    test::TempDir dir;
    FakeRunner(dir, "wine", "/bin/sleep 0.6\n");
    PathGuard path((dir.path() / "runners").string());
    DosProgram(dir, "sk/vortan.exe");
    const ProgramEnd end =
        RunExternalProgram("vortan.exe dan.bak", (dir.path() / "sk").string(), WindowMode::Hidden, 200, 10000, {});
    EXPECT_EQ(end.outcome, RunOutcome::Finished);
    EXPECT_TRUE(end.emulated);
    EXPECT_EQ(end.timeLimitMs, 10000);
    // Cancelling ends the wait at once, whatever the limit.
    const auto start = Clock::now();
    const ProgramEnd cancelled = RunExternalProgram("vortan.exe dan.bak", (dir.path() / "sk").string(),
                                                    WindowMode::Hidden, 200, 10000, [] { return false; });
    EXPECT_EQ(cancelled.outcome, RunOutcome::Cancelled);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
}

// Little-endian fields (offset, size in bytes, value) put into a block of bytes.
struct Field {
    size_t at;
    int size;
    uint64_t value;
};
void Put(std::string& to, std::initializer_list<Field> fields) {
    for (const Field& f : fields) {
        for (int i = 0; i < f.size; ++i) to[f.at + static_cast<size_t>(i)] = static_cast<char>((f.value >> (8 * i)) & 0xFF);
    }
}
std::string Bytes(std::initializer_list<int> bytes) { return std::string(bytes.begin(), bytes.end()); }

// A real DOS program, made here byte by byte: an MZ header and a few
// instructions that create "rez" (DOS makes it REZ), write the given bytes,
// and exit with code 3, as DOS programs return whatever they like.
std::string MzProgramWriting(const std::string& bytes) {
    std::string code = Bytes({0x0E, 0x1F, 0xB4, 0x3C, 0x31, 0xC9,  // ds = cs; create file:
                              0xBA, 0x20, 0x00, 0xCD, 0x21, 0x89, 0xC3,  //   dx = name; bx = handle
                              0xB4, 0x40, 0xB9, 0x00, 0x00, 0xBA, 0x24, 0x00, 0xCD, 0x21,  // write cx bytes at data
                              0xB4, 0x3E, 0xCD, 0x21, 0xB8, 0x03, 0x4C, 0xCD, 0x21});  // close; exit 3
    Put(code, {{16, 2, bytes.size()}});
    code += std::string("rez\0", 4) + bytes;  // name at 20h, data at 24h
    std::string header(32, '\0');
    const size_t size = header.size() + code.size();
    // Two header paragraphs, 64 KiB beyond the image for the stack at image start:FFFE.
    Put(header, {{0, 2, 0x5A4D}, {2, 2, size % 512}, {4, 2, (size + 511) / 512}, {8, 2, 2}, {10, 2, 0x1000},
                 {12, 2, 0xFFFF}, {16, 2, 0xFFFE}, {24, 2, 0x1C}});
    return header + code;
}

// A real 64-bit Windows console program, made here byte by byte: headers, one
// section with the code, an import table of four kernel32 functions, the file
// name and the bytes; it creates "rez", writes them and exits with code 3.
std::string PeProgramWriting(const std::string& bytes) {
    constexpr uint32_t kRva = 0x1000, kImports = 0x100, kLookup = 0x140, kAddresses = 0x168, kHints = 0x190,
                       kDll = 0x200, kName = 0x220, kData = 0x230;
    std::string sec(kData + bytes.size(), '\0');
    uint32_t hint = kHints, f = 0;
    for (std::string name : {"CreateFileA", "WriteFile", "CloseHandle", "ExitProcess"}) {
        Put(sec, {{kLookup + 8 * f, 8, kRva + hint}, {kAddresses + 8 * f++, 8, kRva + hint}});
        sec.replace(hint + 2, name.size(), name);
        hint += static_cast<uint32_t>(name.size() + 4) & ~1u;
    }
    Put(sec, {{kImports, 4, kRva + kLookup}, {kImports + 12, 4, kRva + kDll}, {kImports + 16, 4, kRva + kAddresses}});
    sec.replace(kDll, 12, "KERNEL32.dll");
    sec.replace(kName, 3, "rez");
    sec.replace(kData, bytes.size(), bytes);
    std::string code;
    auto rel = [&code](uint32_t target) {  // RIP-relative, from the end of this 4-byte field
        code += std::string(4, '\0');
        Put(code, {{code.size() - 4, 4, static_cast<uint32_t>(target - code.size())}});
    };
    code += Bytes({0x48, 0x83, 0xEC, 0x48, 0x48, 0x8D, 0x0D}), rel(kName);        // sub rsp,48h; rcx = name
    code += Bytes({0xBA, 0, 0, 0, 0x40, 0x45, 0x31, 0xC0, 0x45, 0x31, 0xC9});    // GENERIC_WRITE, 0, NULL
    code += Bytes({0x48, 0xC7, 0x44, 0x24, 0x20, 2, 0, 0, 0, 0x48, 0xC7, 0x44, 0x24, 0x28, 0x80, 0, 0, 0,
                   0x48, 0xC7, 0x44, 0x24, 0x30, 0, 0, 0, 0, 0xFF, 0x15}), rel(kAddresses);  // CreateFileA
    code += Bytes({0x48, 0x89, 0xC3, 0x48, 0x89, 0xD9, 0x48, 0x8D, 0x15}), rel(kData);  // rcx = handle; rdx = data
    code += Bytes({0x41, 0xB8, 0, 0, 0, 0});                                     // r8d = size
    Put(code, {{code.size() - 4, 4, bytes.size()}});
    code += Bytes({0x4C, 0x8D, 0x4C, 0x24, 0x38, 0x48, 0xC7, 0x44, 0x24, 0x20, 0, 0, 0, 0, 0xFF, 0x15}),
        rel(kAddresses + 8);                                                       // WriteFile
    code += Bytes({0x48, 0x89, 0xD9, 0xFF, 0x15}), rel(kAddresses + 16);          // CloseHandle
    code += Bytes({0xB9, 3, 0, 0, 0, 0xFF, 0x15}), rel(kAddresses + 24);          // ExitProcess(3)
    sec.replace(0, code.size(), code);
    const uint32_t raw = (static_cast<uint32_t>(sec.size()) + 0x1FF) & ~0x1FFu, virt = (raw + 0xFFF) & ~0xFFFu;
    sec.resize(raw, '\0');
    std::string h(0x200, '\0');
    const size_t o = 0x58, s = o + 0xF0;  // optional header, section header
    Put(h, {{0, 2, 0x5A4D}, {0x3C, 4, 0x40}, {0x40, 4, 0x4550}, {0x44, 2, 0x8664}, {0x46, 2, 1}, {0x54, 2, 0xF0},
            {0x56, 2, 0x22}, {o, 2, 0x20B}, {o + 4, 4, raw}, {o + 16, 4, kRva}, {o + 20, 4, kRva},
            {o + 24, 8, 0x140000000ull}, {o + 32, 4, 0x1000}, {o + 36, 4, 0x200}, {o + 40, 2, 6}, {o + 48, 2, 6},
            {o + 56, 4, kRva + virt}, {o + 60, 4, 0x200}, {o + 68, 2, 3}, {o + 72, 8, 0x100000}, {o + 80, 8, 0x1000},
            {o + 88, 8, 0x100000}, {o + 96, 8, 0x1000}, {o + 108, 4, 16}, {o + 120, 4, kRva + kImports},
            {o + 124, 4, 40}, {s, 8, 0x747865742E}, {s + 8, 4, virt}, {s + 12, 4, kRva}, {s + 16, 4, raw},
            {s + 20, 4, 0x200}, {s + 36, 4, 0xE0000060}});
    return h + sec;
}

// The fitting of one sampling date with a real DOS or Windows program as the
// plant's model, started as the program starts it, with no display.
class RealLegacyModel : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteRealisticInputs((dir.path() / "Hornel").string(), "01-09-09");
        ResultsRecord fitted;  // already within both tolerances: one run ends the fitting
        fitted.sampleDate = EncodeDate(2009, 9, 1);
        fitted.activity = 0.95;
        fitted.tableA[8][10] = 60.0;
        fitted.tableA[9][10] = 60.02;
        fitted.chlorineR202 = 1.0;
        listing = FormatResultsFile(fitted);
        dir.Write("Hornel/01-09-09.rez", "earlier results");
        context.baseFolder = context.modelBaseFolder = dir.str();
        context.reactorCount = 4;
        object.ProgramPath = JoinPath(dir.str(), "kelmar.exe");
        object.ConditionsPath = JoinPath(dir.str(), "Hornel\\01-09-09.dan");
        object.ResultsPath = JoinPath(dir.str(), "Hornel\\01-09-09.rez");
        object.CompositionPath = JoinPath(dir.str(), "Hornel\\01-09-09.sk");
    }

    void RunWithoutDisplay() {
        const char* display = std::getenv("DISPLAY");
        const std::string kept = display ? display : "";
        ::unsetenv("DISPLAY");
        object.Run();
        if (display) ::setenv("DISPLAY", kept.c_str(), 1);
        ASSERT_TRUE(object.Done);
        EXPECT_EQ(object.ModelRuns, 1);
        EXPECT_EQ(dir.Read("Hornel/01-09-09.rez"), listing);
    }

    test::TempDir dir;
    std::string listing;
    ProgramContext context;
    TRavionObj object{context};
};

TEST_F(RealLegacyModel, DosProgramThroughDosbox) {
    if (!fs::exists("/usr/bin/dosbox")) GTEST_SKIP() << "dosbox is not installed";
    dir.Write("kelmar.exe", MzProgramWriting(listing));
    RunWithoutDisplay();
}

// The plant's model copied from Windows: capitals, and a name DOS cannot start.
TEST_F(RealLegacyModel, DosProgramWithALongNameInCapitals) {
    if (!fs::exists("/usr/bin/dosbox")) GTEST_SKIP() << "dosbox is not installed";
    dir.Write("VORTAN-10.EXE", MzProgramWriting(listing));
    object.ProgramPath = JoinPath(dir.str(), "vortan-10.exe");
    RunWithoutDisplay();
}

// wine is large and CI does not install it; where it is, a prefix made for
// this test shows the first start of a fresh installation.
TEST_F(RealLegacyModel, WindowsProgramThroughWineOnAFreshPrefix) {
    if (!fs::exists("/usr/bin/wine")) GTEST_SKIP() << "wine is not installed";
    dir.Write("kelmar.exe", PeProgramWriting(listing));
    ::setenv("WINEPREFIX", (dir.path() / "wine").c_str(), 1);
    ::setenv("WINEDEBUG", "-all", 1);
    RunWithoutDisplay();
    ::unsetenv("WINEPREFIX");
}

}  // namespace
}  // namespace rw
