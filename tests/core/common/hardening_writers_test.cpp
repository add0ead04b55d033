// Nothing lost: every writer of a whole file, stopped midway, leaves the file
// that stood there byte for byte as it was, and every appender only appends.
//
// The failure midway is a full disk: the file-size limit of the process is
// lowered below the size of the new file, so the write of the temporary file
// fails after part of it is written. It works for root too (CI runs as root,
// where a read-only folder does not stop a write). A missing parent folder
// and a path that is a folder are the other failures.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <regex>
#include <sstream>

#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"
#include "composition/component_database.h"
#include "composition/component_list.h"
#include "composition/composition_file.h"
#include "composition/report_import.h"
#include "conditions/conditions_file.h"
#include "conditions/conditions_save.h"
#include "results/deactivation.h"
#include "results/results_index.h"
#include "results/summary_table.h"
#include "shell/program_context.h"
#include "pipeline/welcome_pipeline.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

using test::TempDir;


// The names in a folder, so that a left-over temporary file shows.
std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

const std::string kPrevious = "the file as it stood before\r\n";

ResultsRecord Record(int day, double coke, double feed) {
    ResultsRecord r;
    r.sampleDate = EncodeDate(2009, 9, day);
    r.sampleDateText.SetText(FormatDateLong(r.sampleDate));
    r.coke = r.accumulatedCoke = coke;
    r.processedFeed = feed;
    return r;
}

ConditionsRecord Conditions() {
    ConditionsRecord r;
    r.activity = 0.87;
    r.pressure = {25.3, 24.8, 24.1, 23.5};
    r.samplingDateText = "01.09.09";
    r.regenerationDateText = "15.03.09";
    return r;
}

// One writer of a whole file: it writes `target` (relative to a folder it
// is given), a file of more than a few hundred bytes.
struct Writer {
    const char* name;
    const char* target;
    std::function<void(const std::string& folder)> write;
};

std::vector<Writer> Writers() {
    return {
        {"formation composition file", "01-09-09.sk",
         [](const std::string& f) { WriteCompositionFile(CompositionRecord{}, f, "01-09-09"); }},
        {"editor composition file", "01-09-09.sk",
         [](const std::string& f) { SaveCompositionFile(CompositionRecord{}, JoinPath(f, "01-09-09.sk")); }},
        {"conditions file, form layout", "01-09-09.dan",
         [](const std::string& f) { WriteFormLayout(JoinPath(f, "01-09-09.dan"), Conditions()); }},
        {"conditions file, run layout", "dan.bak",
         [](const std::string& f) { WriteRunLayout(JoinPath(f, "dan.bak"), RunConditions{}, 4); }},
        {"conditions form save", "01-09-09.dan",
         [](const std::string& f) {
             ProgramContext c;
             ConditionsEditTexts edits;
             SaveConditionsAs(c, JoinPath(f, "01-09-09.dan"), edits, EncodeDate(2009, 9, 1), EncodeDate(2009, 3, 15));
         }},
        {"results index", "svod.12",
         [](const std::string& f) { WriteResultsIndex(JoinPath(f, "svod.12"), {Record(1, 1, 100), Record(2, 2, 200)}); }},
        {"summary table leaving", "svod.12",
         [](const std::string& f) {
             SummaryTableModel model;
             model.Open({Record(1, 1, 100)}, JoinPath(f, "svod.12"));
             model.SaveIndex();
         }},
        {"Ravionn.ini", "Ravionn.ini",
         [](const std::string& f) {
             ParameterSelection s;
             s.Check(5);
             s.Save(JoinPath(f, "Ravionn.ini"));
         }},
        {"deactivation history", "dizakt.11",
         [](const std::string& f) { StoreDeactivationValue(JoinPath(f, "dizakt.11"), {EncodeDate(2009, 9, 1), 0.5}); }},
        {"component list of a stream", "01-09-09.SIR",
         [](const std::string& f) {
             ProgramContext c;
             c.samplingFolder = f;
             c.entrySampleName = "01-09-09";
             ComponentList list;
             list.lines.assign(20, std::string(43, 'N') + "05.000");
             StoreStreamList(c, 1, list);
         }},
        {"list converted from a report", "report.KAT",
         // The report itself is put there by Prepare, before the disk fills up.
         [](const std::string& f) { ConvertDhaReport(JoinPath(f, "report.DHA"), 2); }},
    };
}

// The DHA case needs its report on disk before the limit applies.
void Prepare(const Writer& w, const std::string& folder) {
    if (std::string(w.target) == "report.KAT") {
        std::string dha = "Components Listed in Chromatographic Order\r\n\r\n\r\n";
        for (int i = 0; i < 20; ++i) dha += std::string(19, ' ') + std::string(35, 'N') + " 5.000\r\n";
        WriteFileAtomic(JoinPath(folder, "report.DHA"), dha);
    }
}

TEST(NothingLost, EveryWriterStoppedByAFullDiskLeavesThePreviousFile) {
    for (const Writer& w : Writers()) {
        SCOPED_TRACE(w.name);
        TempDir dir;
        Prepare(w, dir.str());
        dir.Write(w.target, kPrevious);
        const auto before = Names(dir.path());
        {
            test::DiskFullAfter limit(8);  // every new file is longer
            EXPECT_THROW(w.write(dir.str()), UserError);
        }
        EXPECT_EQ(dir.Read(w.target), kPrevious);
        EXPECT_EQ(Names(dir.path()), before) << "a temporary file was left behind";
        // Without the limit the same writer succeeds: the limit was the failure.
        EXPECT_NO_THROW(w.write(dir.str()));
        EXPECT_NE(dir.Read(w.target), kPrevious);
    }
}

TEST(NothingLost, EveryWriterReportsAMissingFolderAndCreatesNothing) {
    for (const Writer& w : Writers()) {
        SCOPED_TRACE(w.name);
        TempDir dir;
        const std::string missing = dir.str() + "/missing";
        if (std::string(w.target) == "report.KAT") continue;  // its report would be missing first
        EXPECT_EQ(test::UserErrorOf([&] { w.write(missing); }), "Path not found");
        EXPECT_FALSE(fs::exists(missing));
    }
}

TEST(NothingLost, AFolderWhereTheFileShouldBeStaysAndNoTemporaryFileRemains) {
    for (const Writer& w : Writers()) {
        SCOPED_TRACE(w.name);
        TempDir dir;
        Prepare(w, dir.str());
        fs::create_directories(dir.path() / w.target / "inside");
        const auto before = Names(dir.path());
        EXPECT_THROW(w.write(dir.str()), UserError);
        EXPECT_TRUE(fs::is_directory(dir.path() / w.target / "inside"));
        EXPECT_EQ(Names(dir.path()), before);
    }
}

// Where the user can reach it (not as root, which writes anyway), a
// read-only folder stops the writers the same way.
TEST(NothingLost, ReadOnlyFolderLeavesThePreviousFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    for (const Writer& w : Writers()) {
        SCOPED_TRACE(w.name);
        TempDir dir;
        Prepare(w, dir.str());
        dir.Write(w.target, kPrevious);
        fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_THROW(w.write(dir.str()), UserError);
        fs::permissions(dir.path(), fs::perms::owner_all);
        EXPECT_EQ(dir.Read(w.target), kPrevious);
    }
}

// Values that do not convert stop the writer before it touches the file.
TEST(NothingLost, ValuesThatDoNotConvertLeaveThePreviousFile) {
    TempDir dir;
    // A reactor count no settings file should give.
    dir.Write("dan.bak", kPrevious);
    EXPECT_THROW(WriteRunLayout(dir.str() + "/dan.bak", RunConditions{}, 0), UserError);
    EXPECT_EQ(dir.Read("dan.bak"), kPrevious);
    // A results value too wide for its field.
    dir.Write("01-09-09.rez", kPrevious);
    ResultsRecord r = Record(1, 1, 100);
    r.activity = 1e30;
    EXPECT_THROW(WriteResultsFile(dir.str() + "/01-09-09.rez", r), UserError);
    EXPECT_EQ(dir.Read("01-09-09.rez"), kPrevious);
    // A results file that does not read leaves the index alone.
    WriteResultsIndex(dir.str() + "/svod.12", {Record(1, 1, 100)});
    const std::string index = dir.Read("svod.12");
    dir.Write("bad.rez", "\r\nno date here\r\n");
    EXPECT_THROW(AddToResultsIndex(dir.str() + "/bad.rez", dir.str() + "/svod.12"), UserError);
    EXPECT_EQ(dir.Read("svod.12"), index);
    // A list whose value is no number is not stored.
    dir.Write("01-09-09.SIR", kPrevious);
    ProgramContext c;
    c.samplingFolder = dir.str();
    c.entrySampleName = "01-09-09";
    ComponentList list;
    list.lines = {std::string(43, 'N') + "05.000", std::string(43, 'M') + "xx.yyy"};
    EXPECT_THROW(StoreStreamList(c, 1, list), UserError);
    EXPECT_EQ(dir.Read("01-09-09.SIR"), kPrevious);
}

// The component database only grows: an added line comes after every byte
// that was there, also when the file's last line has no line end.
TEST(NothingLost, DatabaseAppendsKeepEveryPreviousByte) {
    TempDir dir;
    test::CopyTree(fs::path(test::SourceDataTree()) / "Basa", dir.path() / "Basa");
    const std::string basa = dir.str() + "/Basa";
    const std::string group = test::Slurp(dir.path() / "Basa" / "ipar.6");
    dir.Write("Basa/nlo", "Unknown A");  // no line end
    ComponentDatabase db(basa);
    db.AddComponent(2, "6", 20, "New isomer");
    db.IgnoreComponent("Unknown B");
    const std::string grown = dir.Read("Basa/ipar.6");
    ASSERT_GT(grown.size(), group.size());
    EXPECT_EQ(grown.substr(0, group.size()), group);
    EXPECT_EQ(dir.Read("Basa/nlo").substr(0, 9), "Unknown A");
    EXPECT_EQ(dir.Read("Basa/nlo").substr(9, 2), "\r\n");
    // A full disk can cut an appended line short, but not what was there.
    {
        test::DiskFullAfter limit(grown.size() + 5);
        EXPECT_THROW(db.AddComponent(2, "6", 21, "Another isomer"), UserError);
    }
    EXPECT_EQ(dir.Read("Basa/ipar.6").substr(0, grown.size()), grown);
}

}  // namespace
}  // namespace rw

namespace rw {
namespace {

// The audit: outside the atomic writer and the appender (common/files.cpp),
// no source of the program opens a file for writing by itself, and only the
// component database appends (its files grow by appended lines; every other
// file is written whole). A new writer that bypasses WriteFileAtomic fails
// here with its file and line.
TEST(NothingLost, EveryWriterGoesThroughTheAtomicWriterOrTheAppender) {
    const std::regex writeOpen(
        R"re(fopen\s*\([^;]*"[^"]*[wa+][^"]*"|\bstd::o?fstream\b|\bopen\s*\([^;]*O_(WRONLY|RDWR|CREAT|TRUNC|APPEND)|)re"
        R"re(QIODevice::(WriteOnly|ReadWrite|Append)|QSaveFile|\brename\s*\(|copy_file|filesystem::copy\b|fs::copy\b)re");
    const std::regex append(R"(\bAppendToFile\s*\()");
    // Known exceptions, each with its reason.
    const std::vector<std::pair<std::string, std::string>> allowed = {
        // Tests whether a results file of that name could be created: an empty
        // file made and removed at once, never one that held data.
        {"core/runs/research_run.cpp", "std::fopen(native.c_str(), \"wb\")"},
        // Gives a results file a DOS model wrote in capitals the name readers
        // ask for: a rename of the whole file, nothing written.
        {"core/runs/external_program.cpp", "std::filesystem::rename(from, nativeFolder + \"/\" + name, ec)"},
        // A DOS program's copy under its short name, in a temporary folder
        // of its own that goes away after the run: no user data.
        {"core/runs/external_program.cpp", "std::filesystem::copy_file(program, std::filesystem::path(pattern)"},
        // Keeps a date's earlier results file aside while its successor and
        // the index are written, and puts it back when either fails: a rename
        // of a whole file, nothing written.
        {"core/results/results_index.cpp", "return std::rename(ToNative(from).c_str(), ToNative(to).c_str()) == 0;"},
        // A lock's record goes to a private new file that a hard link puts
        // under the lock name whole; an existing lock file is opened for
        // writing only to take its OS lock, never written.
        {"core/common/file_lock.cpp", "open(tmp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0664)"},
        {"core/common/file_lock.cpp", "open(path.c_str(), O_RDWR | O_CLOEXEC)"},
        // An installed model program and its record are made root's and
        // read-only for others before they are renamed into place whole,
        // which the atomic writer cannot do; the checked copy of a program
        // goes to a private temporary folder of the process: no user data.
        {"core/runs/model_programs.cpp", "open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600)"},
        {"core/runs/model_programs.cpp", "::rename(temporary.c_str(), path.c_str())"},
        {"core/runs/model_programs.cpp", "open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0700)"},
        {"core/runs/model_programs.cpp", "fs::copy_file(known->second.file, copy, ec)"},
    };
    const fs::path src = fs::path(REFORMER_SOURCE_DIR) / "src";
    int files = 0;
    for (const auto& e : fs::recursive_directory_iterator(src)) {
        const std::string ext = e.path().extension().string();
        if (ext != ".cpp" && ext != ".h") continue;
        const std::string rel = fs::relative(e.path(), src).generic_string();
        if (rel == "core/common/files.cpp") continue;
        ++files;
        std::istringstream in(test::Slurp(e.path()));
        int number = 0;
        for (std::string line; std::getline(in, line);) {
            ++number;
            const size_t comment = line.find("//");
            const std::string code = comment == std::string::npos ? line : line.substr(0, comment);
            // The patterns are slow; most lines cannot match them.
            static const char* const kHints[] = {"open", "stream", "QIODevice", "QSaveFile", "rename", "copy", "Append"};
            if (std::none_of(std::begin(kHints), std::end(kHints),
                             [&](const char* h) { return code.find(h) != std::string::npos; })) {
                continue;
            }
            if (std::regex_search(code, writeOpen)) {
                const bool ok = std::any_of(allowed.begin(), allowed.end(), [&](const auto& a) {
                    return a.first == rel && code.find(a.second) != std::string::npos;
                });
                EXPECT_TRUE(ok) << rel << ":" << number << " writes a file without WriteFileAtomic: " << line;
            }
            if (std::regex_search(code, append) && rel.rfind("core/common/files.", 0) != 0) {
                EXPECT_EQ(rel, "core/composition/component_database.cpp")
                    << rel << ":" << number << " appends to a file: " << line;
            }
        }
    }
    EXPECT_GT(files, 50);
}

}  // namespace
}  // namespace rw
