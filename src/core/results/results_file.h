#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/errors.h"

namespace rw {

// The short date text of a results record as it sits in the index files: a
// length byte followed by up to 10 characters ("dd.mm.yyyy").
struct DateText10 {
    std::uint8_t length = 0;
    char chars[10] = {};

    std::string Text() const;            // the characters that count (length clamped to 10)
    void SetText(std::string_view text);  // takes at most 10 characters, the rest zero
    bool operator==(const DateText10&) const = default;
};

// One model result of one sampling date. The fields mirror the 2432-byte
// record of the results index files in order; the files themselves are
// written and read field by field (EncodeResultsRecord/DecodeResultsRecord),
// never by copying this struct.
//
// tableA[c - 1][r - 1] is column c (1..10), row r (1..11) of table A;
// tableB[c - 1][r - 1] is column c (1..5), row r (1..31) of table B.
struct ResultsRecord {
    double sampleDate = 0;          // days since 30.12.1899
    DateText10 sampleDateText;      // "dd.mm.yyyy"
    std::uint8_t padding[5] = {};   // always zero on disk
    double activity = 0;
    double inletTemperature = 0;
    double line4Value2 = 0;
    double line4Value3 = 0;
    double line5Value1 = 0;
    double line5Value2 = 0;
    double line5Value3 = 0;
    double line6Value1 = 0;
    double line6Value2 = 0;
    double line6Value3 = 0;
    double line7Value1 = 0;
    double feedRate = 0;            // m3/h
    double line8Value1 = 0;
    double hydrogenContent = 0;     // % in the circulating gas
    double line8Value3 = 0;
    double circulationRatio = 0;    // m3/m3
    double line9Value2 = 0;
    double crackingNumber = 0;
    double tableA[10][11] = {};
    double tableB[5][31] = {};
    double octaneMotor = 0;
    double octaneResearch = 0;
    double reformateYield = 0;      // % by mass
    double line65Value2 = 0;
    double line66Value1 = 0;
    double line66Value2 = 0;
    double coke = 0;                // % by mass
    double chlorineR202 = 0;
    double chlorineR203 = 0;
    double chlorineR204 = 0;
    double processedFeed = 0;       // tonnes
    double line68Value2 = 0;
    double paraffinRatio = 0;       // paraffins / (naphthenes + aromatics)
    double normalIsoFeed = 0;
    double normalIsoProduct = 0;
    double dehydrocyclization = 0;
    double temperatureDrop = 0;     // first reactor, from the companion conditions file
    double accumulatedCoke = 0;     // = coke when read; recomputed inside an index

    bool operator==(const ResultsRecord&) const = default;
};

inline constexpr std::size_t kResultsRecordSize = 2432;

// Cells with a meaning elsewhere in the program.
inline double CalculatedAromatics(const ResultsRecord& r) { return r.tableA[8][10]; }
inline double ExperimentalAromatics(const ResultsRecord& r) { return r.tableA[9][10]; }
inline double HydrogenYield(const ResultsRecord& r) { return r.tableB[3][0]; }
inline double MethylcyclopentaneContent(const ResultsRecord& r) { return r.tableB[4][19]; }

// The 2432 bytes of the index record (little-endian doubles, padding zero).
void EncodeResultsRecord(const ResultsRecord& record, char* out);
std::string EncodeResultsRecord(const ResultsRecord& record);
// `bytes` must hold at least kResultsRecordSize bytes.
ResultsRecord DecodeResultsRecord(const char* bytes);

// A results file that ends before the record does (a model stopped while it
// printed, a disk that filled up): a line of 1-69 missing, the last of them
// without its line end, or a field that a line of the required length
// leaves blank. Such a file would be read as a record with zeros where the
// values are missing, and a processed feed of 0 upsets the accumulated coke
// of every later record of the plant. what() is "Файл результатов
// неполный, " + Detail() (+ ": " + path from ReadResultsFile); Detail() is
// "обрывается после строки 67 (нужно 69 строк)", "файл пуст (нужно 69
// строк)" or "в строке 69 нет числа в позициях 58-62".
class IncompleteResultsError : public UserError {
public:
    IncompleteResultsError(const std::string& message, std::string detail)
        : UserError(message), detail_(std::move(detail)) {}
    const std::string& Detail() const { return detail_; }

private:
    std::string detail_;
};

// Reads the text of a results file (code page 866 bytes, CR LF or LF) into a
// record, without the companion conditions file (temperatureDrop = 0).
// Throws UserError with the run time's conversion text when the date is not
// valid ("'%s' is not a valid date") or a strict field is not a number
// ("'%s' is not a valid floating point value"). In the working
// configuration an incomplete file throws IncompleteResultsError; the
// described one reads what is missing as empty lines (plain fields 0, table
// A rows skipped).
ResultsRecord ParseResultsText(std::string_view bytes);

// The companion conditions file of a results file: the path with its last
// four characters replaced by ".dan".
std::string CompanionConditionsPath(const std::string& resultsPath);

// One number of a results file as the file prints it: where it stands, what
// it is called (the caption the listing gives it, or its line and positions
// where the listing has none), the value the reader takes and the digits
// printed after the decimal point.
struct PrintedResultsField {
    std::string name;  // UTF-8, e.g. "активность катализатора", "материальный баланс, строка 3, Р-203"
    int line = 0;      // 1-based
    int column = 0;    // 1-based, first position of the field
    int width = 0;
    std::string text;  // the field's characters without blanks, code page 866
    double value = 0;
    int decimals = 0;
};

// The sampling date and every number ParseResultsText reads, in reading
// order (the same count and order for every results file). Throws as
// ParseResultsText does.
std::vector<PrintedResultsField> PrintedResultsFields(std::string_view bytes);

// Reads a results file and the temperature drop of its companion conditions
// file. Throws UserError("File not found") when the results file is missing,
// and the errors of ParseResultsText (an IncompleteResultsError naming the
// file).
ResultsRecord ReadResultsFile(const std::string& path);

// The results file text (code page 866, CR LF) in exactly the layout the
// reader reads, with captions in the columns the reader skips. Every value
// is written right-aligned in its field with the decimals a model prints for
// it, more when the value needs them to read back the same and the field has
// room, fewer when it would not fit otherwise; so a record read from a
// results file is written back to the same values. Throws UserError when a
// value does not fit its field even without decimals. temperatureDrop and
// accumulatedCoke are not part of the results file.
std::string FormatResultsFile(const ResultsRecord& record);
// Writes FormatResultsFile to `path` (whole file, atomically).
void WriteResultsFile(const std::string& path, const ResultsRecord& record);

}  // namespace rw
