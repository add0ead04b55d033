#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <filesystem>

#include "common/configuration.h"
#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"
#include "results/results_file.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

using test::DataPath;
using test::TempDir;

std::string ErrorOf(const std::string& path) {
    return test::UserErrorOf([&] { ReadResultsFile(path); });
}

double DoubleAt(const std::string& bytes, std::size_t offset) {
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= std::uint64_t(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    return std::bit_cast<double>(bits);
}

// Offset of the first differing byte of two records, -1 when equal: names
// the field when a round trip goes wrong.
long FirstDifference(const ResultsRecord& a, const ResultsRecord& b) {
    const std::string x = EncodeResultsRecord(a), y = EncodeResultsRecord(b);
    for (std::size_t i = 0; i < x.size(); ++i)
        if (x[i] != y[i]) return static_cast<long>(i);
    return -1;
}

// The golden files hold row.column in every table cell, so a value landing
// in the wrong cell shows.
TEST(ReadResultsFile, TakesEveryFieldFromItsColumns) {
    ResultsRecord r = ReadResultsFile(DataPath("results/base.rez"));
    EXPECT_EQ(r.sampleDate, EncodeDate(2009, 9, 1));
    EXPECT_EQ(r.sampleDateText.Text(), "01.09.2009");
    EXPECT_DOUBLE_EQ(r.activity, 0.87);
    EXPECT_DOUBLE_EQ(r.inletTemperature, 495.5);
    EXPECT_DOUBLE_EQ(r.line4Value3, 485.1);
    EXPECT_DOUBLE_EQ(r.line5Value2, 25.2);
    EXPECT_DOUBLE_EQ(r.line6Value3, -13);
    EXPECT_DOUBLE_EQ(r.feedRate, 120.5);
    EXPECT_DOUBLE_EQ(r.hydrogenContent, 82.35);
    EXPECT_DOUBLE_EQ(r.line8Value3, 1.25);
    EXPECT_DOUBLE_EQ(r.circulationRatio, 1150.5);
    EXPECT_DOUBLE_EQ(r.crackingNumber, 4.2);
    EXPECT_DOUBLE_EQ(r.tableA[0][0], 1.01);
    EXPECT_DOUBLE_EQ(r.tableA[9][9], 10.10);
    EXPECT_DOUBLE_EQ(CalculatedAromatics(r), 11.09);    // row 11 is line 26, after the skipped line 25
    EXPECT_DOUBLE_EQ(ExperimentalAromatics(r), 11.10);
    EXPECT_DOUBLE_EQ(HydrogenYield(r), 1.4);
    EXPECT_DOUBLE_EQ(MethylcyclopentaneContent(r), 20.5);
    EXPECT_DOUBLE_EQ(r.tableB[0][30], 31.1);
    EXPECT_DOUBLE_EQ(r.octaneMotor, 83.15);
    EXPECT_DOUBLE_EQ(r.octaneResearch, 92.40);
    EXPECT_DOUBLE_EQ(r.reformateYield, 85.20);
    EXPECT_DOUBLE_EQ(r.line65Value2, 121.75);
    EXPECT_DOUBLE_EQ(r.coke, 3.25);
    EXPECT_DOUBLE_EQ(r.accumulatedCoke, 3.25);
    EXPECT_DOUBLE_EQ(r.chlorineR204, 1.05);
    EXPECT_DOUBLE_EQ(r.processedFeed, 154321.5);
    EXPECT_DOUBLE_EQ(r.line68Value2, 12.5);
    EXPECT_DOUBLE_EQ(r.paraffinRatio, 1.45);
    EXPECT_DOUBLE_EQ(r.normalIsoFeed, 0.62);
    EXPECT_DOUBLE_EQ(r.normalIsoProduct, 0.48);
    EXPECT_DOUBLE_EQ(r.dehydrocyclization, 47.25);
    EXPECT_DOUBLE_EQ(r.temperatureDrop, 38.5);  // from base.dan
}

TEST(ReadResultsFile, SlashedTwoDigitDateLfLinesAndNoCompanion) {
    ResultsRecord r = ReadResultsFile(DataPath("results/slashes_lf.rez"));
    ResultsRecord base = ReadResultsFile(DataPath("results/base.rez"));
    EXPECT_EQ(r.sampleDate, base.sampleDate);
    EXPECT_EQ(r.sampleDateText.Text(), "01.09.2009");
    EXPECT_EQ(r.temperatureDrop, 0);
    base.temperatureDrop = 0;
    EXPECT_EQ(r, base);
}

TEST(ReadResultsFile, LengthConditions) {
    ResultsRecord r = ReadResultsFile(DataPath("results/short_lines.rez"));
    for (int c = 0; c < 10; ++c) EXPECT_EQ(r.tableA[c][0], 0) << "68-character row, column " << c + 1;
    EXPECT_DOUBLE_EQ(r.tableA[9][1], 2.10);  // 69 characters: read
    EXPECT_EQ(r.octaneMotor, 0);
    EXPECT_EQ(r.octaneResearch, 0);
    EXPECT_DOUBLE_EQ(r.reformateYield, 85.20);  // line 65 of 41 characters: first value still read
    EXPECT_EQ(r.line65Value2, 0);               // ... the digit in column 41 is not

    ResultsRecord longer = ReadResultsFile(DataPath("results/line65_42.rez"));
    EXPECT_DOUBLE_EQ(longer.line65Value2, 78);
}

TEST(ReadResultsFile, PlainFieldTakesTheNumberBeforeOtherCharacters) {
    ResultsRecord r = ReadResultsFile(DataPath("results/trailing_chars.rez"));
    EXPECT_DOUBLE_EQ(r.activity, 0.9);
    EXPECT_DOUBLE_EQ(r.coke, 3.2);
}

TEST(ReadResultsFile, Failures) {
    EXPECT_EQ(ErrorOf(DataPath("results/bad_strict.rez")), "'ab.c' is not a valid floating point value");
    EXPECT_EQ(ErrorOf(DataPath("results/bad_date.rez")), "'32.13.2009' is not a valid date");
    EXPECT_EQ(ErrorOf(DataPath("results/missing.rez")), "File not found");
    // Past the end of the file every line is empty: the strict field of line
    // 8 of a file that ends after line 7 cannot be read.
    TempDir dir;
    std::string text = test::Slurp(DataPath("results/base.rez"));
    std::vector<std::string> lines = SplitLines(text);
    lines.resize(7);
    EXPECT_EQ(ErrorOf(dir.Write("short.rez", JoinLinesCrLf(lines))), "'' is not a valid floating point value");
    // A date line shorter than 10 characters is no date.
    lines = SplitLines(text);
    lines[1] = "01.09.09";
    EXPECT_EQ(ErrorOf(dir.Write("d.rez", JoinLinesCrLf(lines))), "'01.09.09' is not a valid date");
}

TEST(ReadResultsFile, EndsAfterLineEightLeavesTheRestAtZero) {
    ResultsRecord r = ReadResultsFile(DataPath("results/truncated.rez"));
    EXPECT_DOUBLE_EQ(r.hydrogenContent, 82.35);
    EXPECT_EQ(r.circulationRatio, 0);
    EXPECT_EQ(CalculatedAromatics(r), 0);
    EXPECT_EQ(r.coke, 0);
}

// The working configuration while a test runs; the described one after it,
// whatever the test did.
struct WorkingConfigurationScope {
    WorkingConfigurationScope() { SetConfiguration(Configuration::Working); }
    ~WorkingConfigurationScope() { SetConfiguration(Configuration::Described); }
};

std::string DetailOf(std::string_view text) {
    try {
        ParseResultsText(text);
    } catch (const IncompleteResultsError& e) {
        EXPECT_EQ(e.what(), "Файл результатов неполный, " + e.Detail());
        return e.Detail();
    } catch (const UserError& e) {
        return std::string("not incomplete: ") + e.what();
    }
    return "read";
}

// A listing of an installed plant history, as a model printed it.
std::string InstalledListing() {
    return test::Slurp(fs::path(test::SourceDataTree()) / "Hornel" / "12-08-09" / "12-08-09.rez");
}

TEST(ReadResultsFile, WorkingConfigurationRefusesAFileCutAtAnyLine) {
    WorkingConfigurationScope working;
    for (const std::string& full : {InstalledListing(), test::Slurp(DataPath("results/base.rez"))}) {
        const std::vector<std::string> lines = SplitLines(full);
        ASSERT_EQ(lines.size(), 69u);
        ASSERT_EQ(DetailOf(full), "read");
        std::string text;
        for (std::size_t kept = 0; kept < 69; ++kept) {
            const std::string after = kept == 0 ? "файл пуст (нужно 69 строк)"
                                                : "обрывается после строки " + std::to_string(kept) + " (нужно 69 строк)";
            EXPECT_EQ(DetailOf(text), after) << "cut after line " << kept;
            // Cut inside the next line: what there is of it has no line end.
            const std::string& next = lines[kept];
            if (!next.empty()) {
                EXPECT_EQ(DetailOf(text + next.substr(0, next.size() - 1)), "обрывается после строки " +
                                                                               std::to_string(kept) + " (нужно 69 строк)")
                    << "cut inside line " << kept + 1;
            }
            text += next + "\r\n";
        }
        // The whole last line without its line end: its last number may be cut.
        EXPECT_EQ(DetailOf(full.substr(0, full.size() - 2)), "обрывается после строки 68 (нужно 69 строк)");
        // A line end of either kind completes the line.
        EXPECT_EQ(DetailOf(full.substr(0, full.size() - 1)), "read");
        EXPECT_EQ(DetailOf(full + "\r\n  extra lines after the record\r\n"), "read");
    }
    // The run time's text of the reader goes on for a date that is no date.
    EXPECT_EQ(DetailOf(test::Slurp(DataPath("results/bad_date.rez"))), "not incomplete: '32.13.2009' is not a valid date");
}

TEST(ReadResultsFile, WorkingConfigurationRefusesABlankField) {
    WorkingConfigurationScope working;
    const std::string full = test::Slurp(DataPath("results/base.rez"));
    struct Case {
        int line, column, width;
        const char* what;
    };
    const Case cases[] = {
        {3, 40, 4, "activity"},
        {8, 40, 5, "strict hydrogen content"},
        {15, 2, 5, "table A row 1, first column"},
        {26, 65, 5, "table A row 11, strict last column"},
        {62, 57, 5, "table B row 31, last column"},
        {65, 27, 6, "reformate yield"},
        {68, 27, 10, "processed feed"},
        {69, 58, 5, "dehydrocyclization, last of the record"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = SplitLines(full);
        std::string& line = lines[static_cast<std::size_t>(c.line - 1)];
        line.replace(static_cast<std::size_t>(c.column - 1), static_cast<std::size_t>(c.width), std::string(c.width, ' '));
        EXPECT_EQ(DetailOf(JoinLinesCrLf(lines)), "в строке " + std::to_string(c.line) + " нет числа в позициях " +
                                                       std::to_string(c.column) + "-" +
                                                       std::to_string(c.column + c.width - 1))
            << c.what;
        // The last field of a line may be cut off with the line's end.
        if (c.line == 69) {
            line.resize(static_cast<std::size_t>(c.column - 1));
            EXPECT_EQ(DetailOf(JoinLinesCrLf(lines)), "в строке 69 нет числа в позициях 58-62");
        }
    }
    // Short lines where the layout allows them stay legal: a table A row under
    // 69 characters, octane lines under 41, line 65 of 41 characters, and the
    // empty lines put back into a short listing.
    EXPECT_NO_THROW(ReadResultsFile(DataPath("results/short_lines.rez")));
    EXPECT_DOUBLE_EQ(ReadResultsFile(DataPath("results/line65_42.rez")).line65Value2, 78);
    std::vector<std::string> padded = SplitLines(full);
    for (std::size_t at : {22u, 23u, 62u, 63u}) padded[at].clear();
    EXPECT_EQ(DetailOf(JoinLinesCrLf(padded)), "read");
    // Every listing installed with the plant histories reads.
    for (const auto& entry : fs::recursive_directory_iterator(test::SourceDataTree())) {
        if (entry.path().extension() != ".rez") continue;
        EXPECT_EQ(DetailOf(test::Slurp(entry.path())), "read") << entry.path();
    }
}

TEST(ResultsRecordBytes, FieldsAtTheirOffsets) {
    ResultsRecord r = ReadResultsFile(DataPath("results/base.rez"));
    const std::string b = EncodeResultsRecord(r);
    ASSERT_EQ(b.size(), 2432u);
    EXPECT_EQ(DoubleAt(b, 0), EncodeDate(2009, 9, 1));
    EXPECT_EQ(b[8], 10);
    EXPECT_EQ(b.substr(9, 10), "01.09.2009");
    EXPECT_EQ(b.substr(19, 5), std::string(5, '\0'));
    EXPECT_EQ(DoubleAt(b, 24), 0.87);
    EXPECT_EQ(DoubleAt(b, 112), 120.5);    // feedRate
    EXPECT_EQ(DoubleAt(b, 128), 82.35);    // hydrogenContent
    EXPECT_EQ(DoubleAt(b, 160), 4.2);      // crackingNumber
    EXPECT_EQ(DoubleAt(b, 168), 1.01);     // table A column 1, row 1
    EXPECT_EQ(DoubleAt(b, 168 + 88 * 8 + 8 * 10), 11.09);  // column 9, row 11
    EXPECT_EQ(DoubleAt(b, 1048 + 248 * 3), 1.4);           // table B column 4, row 1
    EXPECT_EQ(DoubleAt(b, 1048 + 248 * 4 + 8 * 19), 20.5);  // column 5, row 20
    EXPECT_EQ(DoubleAt(b, 2288), 83.15);
    EXPECT_EQ(DoubleAt(b, 2336), 3.25);    // coke
    EXPECT_EQ(DoubleAt(b, 2368), 154321.5);
    EXPECT_EQ(DoubleAt(b, 2408), 47.25);
    EXPECT_EQ(DoubleAt(b, 2416), 38.5);
    EXPECT_EQ(DoubleAt(b, 2424), 3.25);
    EXPECT_EQ(DecodeResultsRecord(b.data()), r);
}

TEST(WriteResultsFile, WhatItWritesReadsBackTheSame) {
    TempDir dir;
    ResultsRecord original = ReadResultsFile(DataPath("results/base.rez"));
    original.temperatureDrop = 0;  // not part of the results file
    const std::string path = dir.str() + "/01-09-09.rez";
    WriteResultsFile(path, original);
    EXPECT_EQ(FirstDifference(ReadResultsFile(path), original), -1);
    // The numbers stand where and as a model prints them: the table A rows as
    // in the listing, the processed feed with its decimal even when whole.
    const std::vector<std::string> written = SplitLines(test::Slurp(path));
    const std::vector<std::string> listing = SplitLines(test::Slurp(DataPath("results/base.rez")));
    for (std::size_t at = 14; at <= 25; ++at) {
        if (at != 24) {  // 24: the rule under row 10
            EXPECT_EQ(written[at], listing[at]) << "line " << at + 1;
        }
    }
    ResultsRecord whole = original;
    whole.processedFeed = 154321;
    EXPECT_EQ(SplitLines(FormatResultsFile(whole))[67].substr(26, 10), "  154321.0");

    // Every cell differs, and values at the edge of their fields.
    ResultsRecord r = original;
    for (int c = 0; c < 10; ++c)
        for (int row = 0; row < 11; ++row) r.tableA[c][row] = (c + 1) * 1.5 + row * 0.25;
    for (int c = 0; c < 5; ++c)
        for (int row = 0; row < 31; ++row) r.tableB[c][row] = (-100.0 * (c + 1) - row) / 100;
    r.sampleDate = EncodeDate(1999, 12, 31);
    r.sampleDateText.SetText("31.12.1999");
    r.processedFeed = 9999999.5;
    r.crackingNumber = 999;
    r.line6Value1 = -99;
    r.hydrogenContent = 100.5;  // one decimal fewer than usual
    r.accumulatedCoke = r.coke = 12.34;
    WriteResultsFile(path, r);
    EXPECT_EQ(FirstDifference(ReadResultsFile(path), r), -1);
    // The file is what a model leaves: 69 lines, CR LF, table A rows long
    // enough to be read, and the same text once more from the read record.
    const std::string text = test::Slurp(path);
    EXPECT_EQ(SplitLines(text).size(), 69u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(FormatResultsFile(ReadResultsFile(path)), text);
}

TEST(WriteResultsFile, ValueThatDoesNotFitIsRefused) {
    ResultsRecord r;
    r.sampleDate = EncodeDate(2009, 9, 1);
    r.crackingNumber = 1000;  // three characters
    EXPECT_THROW(FormatResultsFile(r), UserError);
}

}  // namespace
}  // namespace rw
