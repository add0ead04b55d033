#include "results/results_file.h"

#include "common/codepage.h"
#include "common/configuration.h"
#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/number_format.h"
#include "common/regional.h"
#include "results/binary_io.h"
#include "common/text_helpers.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace rw {

std::string DateText10::Text() const {
    return std::string(chars, std::min<std::size_t>(length, sizeof chars));
}

void DateText10::SetText(std::string_view text) {
    std::memset(chars, 0, sizeof chars);
    length = static_cast<std::uint8_t>(std::min(text.size(), sizeof chars));
    std::memcpy(chars, text.data(), length);
}

// ---------------------------------------------------------------------------
// Binary record

namespace {

// Offsets of the index record; the reader and writer below walk the fields in
// this order, and these checks keep the walk and the file layout in step.
constexpr std::size_t kOffsetActivity = 24;
constexpr std::size_t kOffsetTableA = 168;
constexpr std::size_t kOffsetTableB = 1048;
constexpr std::size_t kOffsetOctaneMotor = 2288;
constexpr std::size_t kOffsetAccumulatedCoke = 2424;
static_assert(kOffsetTableB - kOffsetTableA == sizeof(double) * 10 * 11);
static_assert(kOffsetOctaneMotor - kOffsetTableB == sizeof(double) * 5 * 31);
static_assert(kOffsetAccumulatedCoke + sizeof(double) == kResultsRecordSize);
static_assert(sizeof(ResultsRecord) == kResultsRecordSize, "the record mirrors the index record");

// The scalar fields from activity to the tables, in file order.
constexpr double ResultsRecord::*kHeadFields[] = {
    &ResultsRecord::activity,        &ResultsRecord::inletTemperature, &ResultsRecord::line4Value2,
    &ResultsRecord::line4Value3,     &ResultsRecord::line5Value1,      &ResultsRecord::line5Value2,
    &ResultsRecord::line5Value3,     &ResultsRecord::line6Value1,      &ResultsRecord::line6Value2,
    &ResultsRecord::line6Value3,     &ResultsRecord::line7Value1,      &ResultsRecord::feedRate,
    &ResultsRecord::line8Value1,     &ResultsRecord::hydrogenContent,  &ResultsRecord::line8Value3,
    &ResultsRecord::circulationRatio, &ResultsRecord::line9Value2,     &ResultsRecord::crackingNumber,
};
static_assert(kOffsetActivity + sizeof(double) * std::size(kHeadFields) == kOffsetTableA);

// The scalar fields after the tables, in file order.
constexpr double ResultsRecord::*kTailFields[] = {
    &ResultsRecord::octaneMotor,     &ResultsRecord::octaneResearch,   &ResultsRecord::reformateYield,
    &ResultsRecord::line65Value2,    &ResultsRecord::line66Value1,     &ResultsRecord::line66Value2,
    &ResultsRecord::coke,            &ResultsRecord::chlorineR202,     &ResultsRecord::chlorineR203,
    &ResultsRecord::chlorineR204,    &ResultsRecord::processedFeed,    &ResultsRecord::line68Value2,
    &ResultsRecord::paraffinRatio,   &ResultsRecord::normalIsoFeed,    &ResultsRecord::normalIsoProduct,
    &ResultsRecord::dehydrocyclization, &ResultsRecord::temperatureDrop, &ResultsRecord::accumulatedCoke,
};
static_assert(kOffsetOctaneMotor + sizeof(double) * std::size(kTailFields) == kResultsRecordSize);

}  // namespace

void EncodeResultsRecord(const ResultsRecord& r, char* out) {
    ByteWriter w(out);
    w.PutDouble(r.sampleDate);
    w.PutByte(r.sampleDateText.length);
    w.PutBytes(r.sampleDateText.chars, sizeof r.sampleDateText.chars);
    w.PutZeros(sizeof r.padding);
    for (auto field : kHeadFields) w.PutDouble(r.*field);
    for (const auto& column : r.tableA) {
        for (double v : column) w.PutDouble(v);
    }
    for (const auto& column : r.tableB) {
        for (double v : column) w.PutDouble(v);
    }
    for (auto field : kTailFields) w.PutDouble(r.*field);
}

std::string EncodeResultsRecord(const ResultsRecord& record) {
    std::string bytes(kResultsRecordSize, '\0');
    EncodeResultsRecord(record, bytes.data());
    return bytes;
}

ResultsRecord DecodeResultsRecord(const char* bytes) {
    ResultsRecord r;
    ByteReader in(bytes);
    r.sampleDate = in.GetDouble();
    r.sampleDateText.length = in.GetByte();
    in.GetBytes(r.sampleDateText.chars, sizeof r.sampleDateText.chars);
    in.Skip(sizeof r.padding);  // the record in memory keeps its padding zero
    for (auto field : kHeadFields) r.*field = in.GetDouble();
    for (auto& column : r.tableA) {
        for (double& v : column) v = in.GetDouble();
    }
    for (auto& column : r.tableB) {
        for (double& v : column) v = in.GetDouble();
    }
    for (auto field : kTailFields) r.*field = in.GetDouble();
    return r;
}

// ---------------------------------------------------------------------------
// The text layout

namespace {

enum class Conversion {
    Plain,   // number before any other characters, blanks or nothing = 0, never fails
    Strict,  // TextToNumber: any text that is not a number aborts the reading
};

// Where a value of the text goes in the record.
struct FieldRef {
    enum Kind { Scalar, TableA, TableB } kind = Scalar;
    double ResultsRecord::*member = nullptr;
    int column = 0;  // table column, 1-based
    int row = 0;     // table row, 1-based

    double& In(ResultsRecord& r) const {
        switch (kind) {
            case TableA: return r.tableA[column - 1][row - 1];
            case TableB: return r.tableB[column - 1][row - 1];
            default: return r.*member;
        }
    }
    double Of(const ResultsRecord& r) const { return In(const_cast<ResultsRecord&>(r)); }
};

// One number of the results file. `minLineLength`: the field is read only
// from a line at least that long, else it is 0. `decimals`: what the writer
// prints, as the models print it.
struct FieldSpec {
    int line;
    int column;
    int width;
    Conversion conversion;
    int minLineLength;
    int decimals;
    FieldRef ref;
};

constexpr Conversion P = Conversion::Plain;
constexpr Conversion S = Conversion::Strict;

struct ScalarSpec {
    int line, column, width;
    Conversion conversion;
    int minLineLength, decimals;
    double ResultsRecord::*member;
};

// Lines 3-9 and 63-69.
const ScalarSpec kScalarLayout[] = {
    {3, 40, 4, P, 0, 2, &ResultsRecord::activity},
    {4, 36, 5, P, 0, 1, &ResultsRecord::inletTemperature},
    {4, 51, 5, P, 0, 1, &ResultsRecord::line4Value2},
    {4, 66, 5, P, 0, 1, &ResultsRecord::line4Value3},
    {5, 35, 4, P, 0, 1, &ResultsRecord::line5Value1},
    {5, 49, 4, P, 0, 1, &ResultsRecord::line5Value2},
    {5, 63, 4, P, 0, 1, &ResultsRecord::line5Value3},
    {6, 33, 3, P, 0, 0, &ResultsRecord::line6Value1},
    {6, 47, 3, P, 0, 0, &ResultsRecord::line6Value2},
    {6, 61, 3, P, 0, 0, &ResultsRecord::line6Value3},
    {7, 29, 4, P, 0, 1, &ResultsRecord::line7Value1},
    {7, 62, 5, P, 0, 1, &ResultsRecord::feedRate},
    {8, 27, 4, P, 0, 1, &ResultsRecord::line8Value1},
    {8, 40, 5, S, 0, 2, &ResultsRecord::hydrogenContent},
    {8, 61, 4, P, 0, 1, &ResultsRecord::line8Value3},
    {9, 30, 6, P, 0, 1, &ResultsRecord::circulationRatio},
    {9, 46, 4, P, 0, 1, &ResultsRecord::line9Value2},
    {9, 60, 3, P, 0, 1, &ResultsRecord::crackingNumber},
    {63, 46, 6, P, 41, 2, &ResultsRecord::octaneMotor},
    {64, 45, 6, P, 41, 2, &ResultsRecord::octaneResearch},
    {65, 27, 6, P, 0, 2, &ResultsRecord::reformateYield},
    {65, 41, 7, P, 42, 2, &ResultsRecord::line65Value2},
    {66, 26, 5, P, 0, 2, &ResultsRecord::line66Value1},
    {66, 31, 5, P, 0, 2, &ResultsRecord::line66Value2},
    {66, 36, 5, P, 0, 2, &ResultsRecord::coke},
    {67, 26, 5, P, 0, 2, &ResultsRecord::chlorineR202},
    {67, 31, 5, P, 0, 2, &ResultsRecord::chlorineR203},
    {67, 36, 5, P, 0, 2, &ResultsRecord::chlorineR204},
    {68, 27, 10, P, 0, 1, &ResultsRecord::processedFeed},
    {68, 48, 5, P, 0, 2, &ResultsRecord::line68Value2},
    {69, 13, 4, P, 0, 2, &ResultsRecord::paraffinRatio},
    {69, 27, 5, P, 0, 2, &ResultsRecord::normalIsoFeed},
    {69, 33, 5, P, 0, 2, &ResultsRecord::normalIsoProduct},
    {69, 58, 5, P, 0, 2, &ResultsRecord::dehydrocyclization},
};

struct ColumnSpec {
    int column, width;
    Conversion conversion;
    int decimals;
};

// Table A: rows 1-10 on lines 15-24, row 11 on line 26; a row line shorter
// than 69 characters leaves its row at 0.
constexpr int kTableALines[11] = {15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 26};
constexpr int kTableAMinLength = 69;
constexpr ColumnSpec kTableAColumns[10] = {
    {2, 5, P, 2},  {9, 5, P, 2},  {16, 5, P, 2}, {23, 5, P, 2}, {30, 5, P, 2},
    {37, 5, P, 2}, {44, 5, P, 2}, {51, 5, P, 2}, {58, 6, S, 2}, {65, 5, S, 2},
};

// Table B: rows 1-31 on lines 32-62.
constexpr int kTableBFirstLine = 32;
constexpr int kTableBRows = 31;
constexpr ColumnSpec kTableBColumns[5] = {
    {14, 5, P, 2}, {25, 5, P, 2}, {36, 5, P, 2}, {46, 5, P, 2}, {57, 5, P, 2},
};

constexpr int kLastLine = 69;

// Every number of the file, in reading order.
const std::vector<FieldSpec>& Layout() {
    static const std::vector<FieldSpec> layout = [] {
        std::vector<FieldSpec> all;
        auto scalarsOfLines = [&](int from, int to) {
            for (const auto& s : kScalarLayout) {
                if (s.line >= from && s.line <= to) {
                    all.push_back({s.line, s.column, s.width, s.conversion, s.minLineLength, s.decimals,
                                   FieldRef{FieldRef::Scalar, s.member, 0, 0}});
                }
            }
        };
        scalarsOfLines(3, 9);
        for (int row = 1; row <= 11; ++row) {
            for (int c = 1; c <= 10; ++c) {
                const ColumnSpec& col = kTableAColumns[c - 1];
                all.push_back({kTableALines[row - 1], col.column, col.width, col.conversion, kTableAMinLength,
                               col.decimals, FieldRef{FieldRef::TableA, nullptr, c, row}});
            }
        }
        for (int row = 1; row <= kTableBRows; ++row) {
            for (int c = 1; c <= 5; ++c) {
                const ColumnSpec& col = kTableBColumns[c - 1];
                all.push_back({kTableBFirstLine + row - 1, col.column, col.width, col.conversion, 0, col.decimals,
                               FieldRef{FieldRef::TableB, nullptr, c, row}});
            }
        }
        scalarsOfLines(63, 69);
        return all;
    }();
    return layout;
}

// The characters of a field: what there is of it on the line.
std::string_view FieldText(std::string_view line, int column, int width) {
    std::size_t start = static_cast<std::size_t>(column - 1);
    if (start >= line.size()) return {};
    return line.substr(start, static_cast<std::size_t>(width));
}

double Convert(std::string_view text, Conversion conversion) {
    if (conversion == Conversion::Strict) return TextToNumber(Cp866ToUtf8(text));
    return LongestPrefixNumber(text);
}

double ParseSampleDate(std::string_view line2) {
    std::string text(line2.substr(0, std::min<std::size_t>(line2.size(), 10)));
    if (text.size() < 10) {
        throw UserError("'" + Cp866ToUtf8(text) + "' is not a valid date");
    }
    // The models write the date with whatever separator their run time used;
    // only the positions count.
    const char separator = Regional().dateSeparator;
    text[2] = separator;
    text[5] = separator;
    double value = 0;
    if (!TryParseShortDate(text, separator, CurrentYear(), value)) {
        throw UserError("'" + Cp866ToUtf8(text) + "' is not a valid date");
    }
    return value;
}

constexpr const char* kIncompletePrefix = "Файл результатов неполный, ";

[[noreturn]] void ThrowIncomplete(const std::string& detail) {
    throw IncompleteResultsError(kIncompletePrefix + detail, detail);
}

// Lines ended by a line break. A last line without one may have been cut
// anywhere, even inside its last number, so it does not count.
std::size_t CompleteLines(std::string_view bytes, std::size_t lineCount) {
    const bool ended = !bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r');
    return ended || lineCount == 0 ? lineCount : lineCount - 1;
}

void RequireAllLines(std::string_view bytes, std::size_t lineCount) {
    const std::size_t complete = CompleteLines(bytes, lineCount);
    if (complete >= static_cast<std::size_t>(kLastLine)) return;
    const std::string needed = "(нужно " + std::to_string(kLastLine) + " строк)";
    if (bytes.empty()) ThrowIncomplete("файл пуст " + needed);
    ThrowIncomplete("обрывается после строки " + std::to_string(complete) + " " + needed);
}

bool Blank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

}  // namespace

ResultsRecord ParseResultsText(std::string_view bytes) {
    const std::vector<std::string> lines = SplitLines(bytes);
    // The described reading takes lines past the end of the file as empty
    // lines; the working one wants the whole record.
    const bool whole = WorkingConfiguration();
    if (whole) RequireAllLines(bytes, lines.size());
    auto line = [&](int number) -> std::string_view {
        std::size_t i = static_cast<std::size_t>(number - 1);
        return i < lines.size() ? std::string_view(lines[i]) : std::string_view();
    };

    ResultsRecord r;
    r.sampleDate = ParseSampleDate(line(2));
    r.sampleDateText.SetText(FormatDateLong(r.sampleDate, '.'));

    for (const FieldSpec& f : Layout()) {
        std::string_view text = line(f.line);
        if (static_cast<int>(text.size()) < f.minLineLength) continue;
        const std::string_view field = FieldText(text, f.column, f.width);
        if (whole && Blank(field)) {
            ThrowIncomplete("в строке " + std::to_string(f.line) + " нет числа в позициях " + std::to_string(f.column) +
                            "-" + std::to_string(f.column + f.width - 1));
        }
        f.ref.In(r) = Convert(field, f.conversion);
    }
    r.accumulatedCoke = r.coke;
    return r;
}

namespace {

// What the listing calls a number, for telling the user which one differs.
// Numbers the listing prints without a caption of their own are named by
// their place.
struct ScalarName {
    double ResultsRecord::*member;
    const char* name;
};
const ScalarName kScalarNames[] = {
    {&ResultsRecord::activity, "активность катализатора"},
    {&ResultsRecord::inletTemperature, "температура входа, 1-й реактор"},
    {&ResultsRecord::line4Value2, "температура входа, 2-й реактор"},
    {&ResultsRecord::line4Value3, "температура входа, 3-й реактор"},
    {&ResultsRecord::line5Value1, "температура выхода, 1-й реактор"},
    {&ResultsRecord::line5Value2, "температура выхода, 2-й реактор"},
    {&ResultsRecord::line5Value3, "температура выхода, 3-й реактор"},
    {&ResultsRecord::line6Value1, "перепад температур, 1-й реактор"},
    {&ResultsRecord::line6Value2, "перепад температур, 2-й реактор"},
    {&ResultsRecord::line6Value3, "перепад температур, 3-й реактор"},
    {&ResultsRecord::line7Value1, "давление"},
    {&ResultsRecord::feedRate, "расход сырья"},
    {&ResultsRecord::line8Value1, "объемная скорость"},
    {&ResultsRecord::hydrogenContent, "содержание водорода в ВСГ"},
    {&ResultsRecord::circulationRatio, "кратность циркуляции ВСГ"},
    {&ResultsRecord::line9Value2, "объем"},
    {&ResultsRecord::crackingNumber, "число крекинга"},
    {&ResultsRecord::octaneMotor, "октановое число (моторный метод)"},
    {&ResultsRecord::octaneResearch, "октановое число (исследовательский метод)"},
    {&ResultsRecord::reformateYield, "выход риформата"},
    {&ResultsRecord::coke, "кокс на катализаторе"},
    {&ResultsRecord::chlorineR202, "хлор на катализаторе, Р-202"},
    {&ResultsRecord::chlorineR203, "хлор на катализаторе, Р-203"},
    {&ResultsRecord::chlorineR204, "хлор на катализаторе, Р-204"},
    {&ResultsRecord::processedFeed, "переработано сырья"},
    {&ResultsRecord::paraffinRatio, "П/(Н+А)"},
    {&ResultsRecord::normalIsoFeed, "н/и-П сырья"},
    {&ResultsRecord::normalIsoProduct, "н/и-П катализата"},
    {&ResultsRecord::dehydrocyclization, "степень дегидроциклизации"},
};
const char* const kTableAHeads[10] = {"C", "nP", "iP", "N5", "N6", "A", "O", "Ole", "Арм.р", "Арм.э"};
const char* const kTableBHeads[5] = {"Р-202", "Р-203", "Р-204", "Выход", "Катализат"};

std::string FieldName(const FieldSpec& f) {
    switch (f.ref.kind) {
        case FieldRef::TableA:
            return "групповой состав, строка " + std::to_string(f.ref.row) + ", " + kTableAHeads[f.ref.column - 1];
        case FieldRef::TableB:
            return "материальный баланс, строка " + std::to_string(f.ref.row) + ", " + kTableBHeads[f.ref.column - 1];
        default:
            for (const ScalarName& n : kScalarNames) {
                if (n.member == f.ref.member) return n.name;
            }
            return "строка " + std::to_string(f.line) + ", позиции " + std::to_string(f.column) + "-" +
                   std::to_string(f.column + f.width - 1);
    }
}

// Digits after the decimal point of a printed number ("1.250" has 3, "586911" none).
int PrintedDecimals(std::string_view text) {
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos) return 0;
    std::size_t end = point + 1;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    return static_cast<int>(end - point - 1);
}

std::string WithoutBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace

std::vector<PrintedResultsField> PrintedResultsFields(std::string_view bytes) {
    const ResultsRecord record = ParseResultsText(bytes);
    const std::vector<std::string> lines = SplitLines(bytes);
    auto line = [&](int number) -> std::string_view {
        const std::size_t i = static_cast<std::size_t>(number - 1);
        return i < lines.size() ? std::string_view(lines[i]) : std::string_view();
    };
    std::vector<PrintedResultsField> fields;
    fields.reserve(Layout().size() + 1);
    fields.push_back({"дата отбора пробы", 2, 1, 10, WithoutBlanks(FieldText(line(2), 1, 10)), record.sampleDate, 0});
    for (const FieldSpec& f : Layout()) {
        const std::string_view text = line(f.line);
        // A field the reader does not take (a table row printed short) is compared as the 0 it reads.
        const std::string printed =
            static_cast<int>(text.size()) < f.minLineLength ? std::string() : WithoutBlanks(FieldText(text, f.column, f.width));
        fields.push_back({FieldName(f), f.line, f.column, f.width, printed, f.ref.Of(record), PrintedDecimals(printed)});
    }
    return fields;
}

std::string CompanionConditionsPath(const std::string& resultsPath) {
    std::string base = resultsPath.substr(0, resultsPath.size() >= 4 ? resultsPath.size() - 4 : 0);
    return base + ".dan";
}

ResultsRecord ReadResultsFile(const std::string& path) {
    ResultsRecord r;
    try {
        r = ParseResultsText(ReadFileBytes(path));
    } catch (const IncompleteResultsError& e) {
        throw IncompleteResultsError(std::string(e.what()) + ": " + ToNative(path), e.Detail());
    }
    const std::string companion = CompanionConditionsPath(path);
    if (FileExists(companion)) {
        const std::vector<std::string> lines = SplitLines(ReadFileBytes(companion));
        if (lines.size() >= 6) r.temperatureDrop = LongestPrefixNumber(FieldText(lines[5], 1, 6));
    }
    return r;
}

// ---------------------------------------------------------------------------
// Writer

namespace {

// What stands in the columns the reader skips, so that the file reads like a
// model's listing when it is shown as it is.
struct Caption {
    int line;
    int column;
    const char* text;  // UTF-8
};

const Caption kCaptions[] = {
    {1, 1, "Результаты расчета процесса риформинга (демонстрационная модель)"},
    {2, 13, "Дата отбора пробы"},
    {3, 1, "Активность катализатора, усл.ед."},
    {4, 1, "Температура входа, град.С"},
    {5, 1, "Температура выхода, град.С"},
    {6, 1, "Перепад температур, град.С"},
    {7, 1, "Давление, атм."},
    {7, 35, "Расход сырья, м3/час"},
    {8, 1, "Объемная скорость, ч-1"},
    {8, 46, "Вод.ВСГ,%"},
    {9, 1, "Кратность циркуляции ВСГ"},
    {9, 37, "Объем"},
    {9, 51, "Ч.крек."},
    {11, 1, "Групповой состав катализата по числу атомов углерода, % масс."},
    {13, 1, "  C      nP     iP     N5     N6     A      O      Ole    Арм.р  Арм.э"},
    {25, 1, "------------------------------------------------------------------------"},
    {28, 1, "Материальный баланс по реакторам"},
    {30, 1, "Компонент   Р-202      Р-203      Р-204     Выход      Катализат"},
    {63, 1, "Октановое число (моторный метод)"},
    {64, 1, "Октановое число (исслед. метод)"},
    {65, 1, "Выход риформата, %мас."},
    {66, 1, "Кокс на катализаторе, %"},
    {67, 1, "Хлор на катализаторе, %"},
    {68, 1, "Переработано сырья, т"},
    {69, 1, "П/(Н+А)"},
    {69, 18, "н/и-П"},
    {69, 40, "Ст.дегидроцикл."},
};

// Puts `text` at 1-based `column` of `line`, widening the line with blanks.
void Place(std::string& line, int column, std::string_view text) {
    std::size_t start = static_cast<std::size_t>(column - 1);
    if (line.size() < start + text.size()) line.resize(start + text.size(), ' ');
    line.replace(start, text.size(), text);
}

// The decimals a model prints for the field, more when the value needs them
// to read back the same and the field has room, fewer when it would not fit.
std::string FormatField(double value, const FieldSpec& f) {
    if (std::isfinite(value)) {
        int widest = -1;
        while (widest < f.width && static_cast<int>(FormatFixed(value, f.width, widest + 1).size()) <= f.width) {
            ++widest;
        }
        if (widest >= 0) {
            for (int d = std::min(f.decimals, widest); d <= widest; ++d) {
                std::string s = FormatFixed(value, f.width, d);
                if (LongestPrefixNumber(s) == value) return s;
            }
            return FormatFixed(value, f.width, widest);
        }
    }
    throw UserError("Значение " + FormatGeneral(value) + " не помещается в строку " + std::to_string(f.line) +
                    " файла результатов (позиция " + std::to_string(f.column) + ", ширина " +
                    std::to_string(f.width) + ")");
}

}  // namespace

std::string FormatResultsFile(const ResultsRecord& record) {
    std::vector<std::string> lines(kLastLine);
    for (const Caption& c : kCaptions) {
        Place(lines[static_cast<std::size_t>(c.line - 1)], c.column, Utf8ToCp866(c.text));
    }
    Place(lines[1], 1, FormatDateLong(record.sampleDate, '.'));
    for (const FieldSpec& f : Layout()) {
        Place(lines[static_cast<std::size_t>(f.line - 1)], f.column, FormatField(f.ref.Of(record), f));
    }
    // The table B rows are numbered in the columns before the first value.
    for (int row = 1; row <= kTableBRows; ++row) {
        Place(lines[static_cast<std::size_t>(kTableBFirstLine + row - 2)], 2, std::to_string(row));
    }
    for (std::string& l : lines) {
        while (!l.empty() && l.back() == ' ') l.pop_back();
    }
    return JoinLinesCrLf(lines);
}

void WriteResultsFile(const std::string& path, const ResultsRecord& record) {
    WriteFileAtomic(path, FormatResultsFile(record));
}

}  // namespace rw
