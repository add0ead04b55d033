#include "conditions/historian_import.h"

#include "common/errors.h"
#include "common/files.h"
#include "common/number_format.h"
#include "common/regional.h"

#include <cmath>

namespace rw {
namespace {

constexpr int kMaxHeaderColumns = 30;
constexpr int kHeaderRow = 1;
constexpr int kValueRow = 3;
constexpr double kTonnesPerCubicMetre = 0.745;
constexpr double kHoursPerDay = 24;

std::string UpperLatin(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

}  // namespace

const std::string kAskSamplingDate = std::string("Выберите дату отбора") + std::string(29, ' ');
const std::string kAskRegenerationDate = std::string("Выберите дату регенерации") + std::string(29, ' ');
const std::string kAskSulphur = std::string("Выберите серу в гидрогенизате") + std::string(29, ' ');
const std::string kWrongDateOrder = "Дата регенерации указана позже, чем дата отбора!";

const std::array<HistorianTag, 15>& HistorianTags() {
    static const std::array<HistorianTag, 15> tags = {{
        {"FSLL_293", 1},     // feed flow
        {"FSLL_269", 2},     // gas flow
        {"QT_376", 24},      // gas moisture
        {"PT_219", 3},       // reactor 1: pressure, inlet temperature, drop
        {"TIRAH_069", 7},
        {"DTIRAH_069", 11},
        {"PT_222", 4},       // reactor 2
        {"TIRAH_071", 8},
        {"DTIRAH_071", 12},
        {"PT_225", 5},       // reactor 3
        {"TIRAH_073", 9},
        {"DTIRAH_073", 13},
        {"PT_228", 27},      // fifth column "Р - 5"
        {"TIRAH_075", 28},
        {"DTIRAH_075", 29},
    }};
    return tags;
}

int NumColExcel(const SpreadsheetSheet& sheet, std::string_view tag) {
    int found = 0;
    for (int c = 1; c <= kMaxHeaderColumns; ++c) {
        const std::string header = sheet.CellText(kHeaderRow, c);
        if (header.empty()) break;
        if (UpperLatin(header).starts_with(tag)) found = c;
    }
    return found;
}

std::vector<ImportedField> ReadHistorianFields(const SpreadsheetSheet& sheet) {
    std::vector<ImportedField> fields;
    for (const HistorianTag& t : HistorianTags()) {
        const int column = NumColExcel(sheet, t.tag);
        if (column == 0) continue;
        std::string text = sheet.CellText(kValueRow, column);
        const size_t comma = text.find(',');
        if (comma != std::string::npos) text[comma] = '.';
        fields.push_back({t.editNumber, std::move(text)});
    }
    return fields;
}

std::vector<ImportedField> ImportHistorianWorkbook(const std::string& path, char decimalSeparator, size_t sheet) {
    return ReadHistorianFields(*OpenWorkbook(path, decimalSeparator)->OpenSheet(sheet));
}

namespace {
std::string SheetChoiceFile(const std::string& baseFolder, const std::string& plantNumber) {
    return JoinPath(baseFolder, "historian_sheet." + plantNumber);
}
}  // namespace

std::string RememberedHistorianSheet(const std::string& baseFolder, const std::string& plantNumber) {
    try {
        const std::vector<std::string> lines = SplitLines(ReadFileBytes(SheetChoiceFile(baseFolder, plantNumber)));
        return lines.empty() ? std::string() : lines[0];
    } catch (const UserError&) {
        return {};
    }
}

void RememberHistorianSheet(const std::string& baseFolder, const std::string& plantNumber, const std::string& sheet) {
    WriteFileAtomic(SheetChoiceFile(baseFolder, plantNumber), sheet + "\r\n");
}

bool DatesInOrder(double samplingDate, double regenerationDate) { return samplingDate > regenerationDate; }

double ProcessedFeed(double feedFlow, double samplingDate, double regenerationDate) {
    const double tonnes = feedFlow * (samplingDate - regenerationDate) * kHoursPerDay * kTonnesPerCubicMetre;
    return std::fabs(RoundHalfEven(tonnes, 1));
}

std::string ProcessedFeedText(std::string_view feedFlowText, double samplingDate, double regenerationDate) {
    Regional().decimalSeparator = '.';
    double feedFlow = 0;
    if (!ParseStrictNumber(feedFlowText, feedFlow, '.')) {
        throw UserError("'" + std::string(feedFlowText) + "' is not a valid floating point value");
    }
    const std::string text = FormatGeneral(ProcessedFeed(feedFlow, samplingDate, regenerationDate), 15, '.');
    SeparatorAfterSave();
    return text;
}

}  // namespace rw
