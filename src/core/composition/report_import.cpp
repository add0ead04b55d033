#include "composition/report_import.h"

#include "common/configuration.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/number_format.h"
#include "composition/streams.h"
#include "common/text_helpers.h"

#include <algorithm>
#include <cmath>

namespace rw {
namespace {

// A field of a fixed-column line: 1-based first column and width
// (kToEnd: up to the end of the line).
struct Column {
    size_t first;
    size_t width;
};
constexpr size_t kToEnd = std::string::npos;

// Report layouts and the component list line, by column.
constexpr Column kDhaName{20, 35};
constexpr Column kDhaValue{55, 6};
constexpr Column kTxtValue{22, 6};
constexpr Column kTxtName{29, kToEnd};
constexpr Column kListValue{44, 6};
constexpr size_t kListNameWidth = 43;
constexpr size_t kDhaGap = kListNameWidth - kDhaName.width;  // blanks between a DHA name and its value

constexpr const char* kDhaHeader = "Components Listed in Chromatographic Order";
constexpr const char* kTxtStart = "************";
constexpr const char* kTxtEnd = "--------------------";
// "ТРАНС" in code page 866, shortened to its first letter in long names.
constexpr const char* kTrans866 = "\x92\x90\x80\x8D\x91";

// The bytes of a field; columns beyond the end of the line read as blanks
// (a fixed width field is always filled to its width).
std::string Field(std::string_view line, Column c) {
    std::string s;
    if (c.first - 1 < line.size()) s = std::string(line.substr(c.first - 1, c.width));
    if (c.width != kToEnd && s.size() < c.width) s.resize(c.width, ' ');
    return s;
}

bool IsBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char ch) { return ch == ' ' || ch == '\t'; });
}

std::string ExtensionOf(std::string_view path) {
    size_t slash = path.find_last_of("\\/");
    size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
    std::string ext(path.substr(dot));
    for (char& ch : ext) {
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    }
    return ext;
}

// Every "ТРАНС" shortened to "Т" until none is left. One pass: a shortening
// can only make a new "ТРАНС" start at the "Т" it leaves, so it is enough to
// look at the end of what has been kept so far. (Searching the whole name
// again after each shortening took minutes on a long damaged line.)
std::string ShortenTrans(std::string_view name) {
    const std::string_view trans(kTrans866);
    std::string out;
    out.reserve(name.size());
    for (char ch : name) {
        out.push_back(ch);
        if (out.size() >= trans.size() && std::string_view(out).substr(out.size() - trans.size()) == trans) {
            out.resize(out.size() - (trans.size() - 1));
        }
    }
    return out;
}

// A DHA table line that names no component: a blank name (the footer's
// total carries its number in the value columns only) or a total line.
bool NotAComponent(std::string_view name) {
    std::string lower;
    for (char ch : name) {
        if (ch != ' ' && ch != '\t') lower.push_back(static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch));
    }
    return lower.empty() || lower.rfind("total", 0) == 0 || lower.rfind("sum", 0) == 0;
}

std::string MissingLine(const std::string& file, const std::string& what) {
    return "В файле " + file + " нет " + what + "; отчёт не загружен.";
}

}  // namespace

std::string ReplaceExtension(std::string_view path, std::string_view extension) {
    size_t slash = path.find_last_of("\\/");
    size_t dot = path.rfind('.');
    std::string s(path);
    if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash)) s.erase(dot);
    return s + std::string(extension);
}

std::string ConvertDhaReport(const std::string& reportPath, int stream) {
    return ConvertDhaReportCounted(reportPath, stream).listPath;
}

DhaConversion ConvertDhaReportCounted(const std::string& reportPath, int stream) {
    std::string out = ReplaceExtension(reportPath, StreamExtension(stream));
    std::vector<std::string> lines = SplitLines(ReadFileBytes(reportPath));
    size_t i = 0;
    while (i < lines.size() && lines[i].find(kDhaHeader) == std::string::npos) ++i;
    if (i == lines.size()) {
        throw UserError(MissingLine(reportPath, std::string("строки \"") + kDhaHeader + "\""));
    }
    i += 3;  // the header line and the two heading lines after it
    std::vector<std::string> list;
    int skipped = 0;
    for (; i < lines.size(); ++i) {
        // A blank line (the end of the page, the last line of the file) names
        // no component; taken as one it would be a line without a number.
        if (IsBlank(lines[i])) continue;
        const std::string name = Field(lines[i], kDhaName);
        // The footer after the table ("Total ... 100.000") is no component;
        // imported, it would count the whole sum a second time.
        if (NotAComponent(name)) {
            ++skipped;
            continue;
        }
        list.push_back(name + std::string(kDhaGap, ' ') + Field(lines[i], kDhaValue));
    }
    WriteFileAtomic(out, JoinLinesCrLf(list));
    return {out, skipped};
}

std::string ConvertTxtReport(const std::string& reportPath, int stream) {
    std::string out = ReplaceExtension(reportPath, StreamExtension(stream));
    std::vector<std::string> lines = SplitLines(ReadFileBytes(reportPath));
    size_t i = 0;
    while (i < lines.size() && lines[i].find(kTxtStart) == std::string::npos) ++i;
    if (i == lines.size()) {
        throw UserError(MissingLine(reportPath, std::string("строки звёздочек \"") + kTxtStart + "\""));
    }
    i += 2;  // the asterisk line and the heading line after it
    std::vector<std::string> list;
    // The first table line is a component whatever it holds; the hyphen
    // line is looked for from the second one on. Without a hyphen line the
    // table ends with the file.
    for (bool first = true; i < lines.size(); ++i, first = false) {
        const std::string& line = lines[i];
        if (!first && line.find(kTxtEnd) != std::string::npos) break;
        if (IsBlank(line)) continue;
        std::string value = Field(line, kTxtValue);
        std::string name = Field(line, kTxtName);
        if (name.size() > kListNameWidth) name = ShortenTrans(name);
        name.resize(kListNameWidth, ' ');
        list.push_back(name + value);
    }
    WriteFileAtomic(out, JoinLinesCrLf(list));
    return out;
}

std::string OpenFilter(int plantIndex, int stream) {
    std::string own = std::string(StreamName(stream)) + "|*" + StreamExtension(stream);
    std::string filter;
    if (plantIndex == 10 || plantIndex == 11 || plantIndex == 12) filter = "Таблица УВ состава|*.txt|";
    // The working configuration names the report in Russian and lets the
    // user reach a report saved under any name.
    if (WorkingConfiguration()) return filter + own + "|Отчет хроматографа (детальный анализ)|*.dha|Все файлы|*|";
    return filter + own + "|Detailed Hydrocarbon Analysis|*.dha|";
}

std::string DefaultReportFile(const std::string& baseFolder, OpenStarter starter) {
    return baseFolder + (starter == OpenStarter::NextButton ? "\\Hornel\\01-09-09\\01-09-09.SIR"
                                                             : "\\Hornel\\01-09-09\\01-09-09.KAT");
}

OpenDialogSetup PrepareOpenDialog(const std::string& baseFolder, const std::string& samplingFolder, int plantIndex,
                                  int stream, OpenStarter starter) {
    OpenDialogSetup d;
    d.title = "Открытие данных";
    d.initialFolder = samplingFolder;
    d.filter = OpenFilter(plantIndex, stream);
    d.fileName = DefaultReportFile(baseFolder, starter);
    return d;
}

ConvertedFile ConvertByExtension(const std::string& path, int stream) {
    ConvertedFile f{path, false, 0};
    if (ExtensionOf(f.path) == ".TXT") {
        f.path = ConvertTxtReport(f.path, stream);
        f.dosNames = true;
    }
    if (ExtensionOf(f.path) == ".DHA") {
        DhaConversion dha = ConvertDhaReportCounted(f.path, stream);
        f.path = dha.listPath;
        f.skippedLines = dha.skippedLines;
    }
    return f;
}

std::vector<std::string> ReadListFile(const std::string& path) { return SplitLines(ReadFileBytes(path)); }

void TidyListLines(std::vector<std::string>& lines) {
    std::vector<std::string> kept;
    kept.reserve(lines.size());
    for (auto& line : lines) {
        size_t tab = line.find('\t');
        if (tab != std::string::npos) {
            line.erase(tab, 1);
            if (line.size() < kListLineLength) line.insert(tab, kListLineLength - line.size(), ' ');
        }
        if (line.size() >= kListLineLength - 1) kept.push_back(std::move(line));
    }
    // Lists numbered by the program that wrote them carry a 5-character
    // running number in front of every line.
    if (!kept.empty() && kept.front().size() > kListLineLength) {
        for (auto& line : kept) line.erase(0, std::min<size_t>(5, line.size()));
    }
    lines = std::move(kept);
}

double ListLineValue(std::string_view line) {
    std::string_view v = kListValue.first - 1 < line.size() ? line.substr(kListValue.first - 1, kListValue.width)
                                                           : std::string_view{};
    return TextToNumber(v);
}

double ListSum(const std::vector<std::string>& lines) {
    double sum = 0;
    for (const auto& line : lines) sum += ListLineValue(line);
    return sum;
}

int FirstFaultyValueLine(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
        try {
            ListLineValue(lines[i]);
        } catch (const UserError&) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string FaultyValueMessage(const std::vector<std::string>& lines, int index, const std::string& described) {
    if (DescribedConfiguration() || index < 0 || index >= static_cast<int>(lines.size())) return described;
    // The line is named by its number and value: a list file does not say
    // in which code page its names are.
    const std::string& line = lines[static_cast<size_t>(index)];
    std::string value = line.size() >= kListValue.first ? line.substr(kListValue.first - 1, kListValue.width) : "";
    return "Строка " + std::to_string(index + 1) + ": массовая доля «" + value +
           "» не число. Список загружен, строка выделена; исправьте значение.";
}

std::string SkippedLinesNote(int skipped) {
    if (skipped <= 0) return {};
    return "Пропущено строк после таблицы отчёта: " + std::to_string(skipped) +
           " (пустое название компонента или строка итога); они не являются компонентами.";
}

std::string RunningSumText(double sum, char decimalSeparator) {
    return FormatFixedPrecision(sum, 5, 3, decimalSeparator);
}

bool RunningSumIsRed(double sum) { return std::fabs(sum - 100.0) > 1.0; }

OpenedList OpenComponentList(const std::string& path, int stream) {
    OpenedList r;
    ConvertedFile f = ConvertByExtension(path, stream);
    r.file = f.path;
    r.dosNames = f.dosNames;
    r.skippedLines = f.skippedLines;
    r.lines = ReadListFile(f.path);
    TidyListLines(r.lines);
    try {
        r.sum = ListSum(r.lines);
    } catch (const UserError& e) {
        r.sumValid = false;
        r.faultyLine = FirstFaultyValueLine(r.lines);
        r.sumError = FaultyValueMessage(r.lines, r.faultyLine, e.what());
    }
    return r;
}

}  // namespace rw
