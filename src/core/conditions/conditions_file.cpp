#include "conditions/conditions_file.h"

#include "common/codepage.h"
#include "common/dates.h"
#include "common/configuration.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/number_format.h"
#include "common/regional.h"
#include "common/text_reader.h"
#include "common/text_helpers.h"

#include <algorithm>
#include <span>
#include <type_traits>

namespace rw {
namespace {

using Q = ConditionsQuantity;

// Labels as the model's own files carry them. Only the gas components inside
// the parentheses of line 7 are Latin; everything else is Cyrillic.
constexpr const char* kLabelDosing = "Подача дихлорэтана по реакторам (Р-202, Р-203, Р-204), ррм.";
constexpr const char* kLabelActivity = "Активность катализатора (условная еденица)";
constexpr const char* kLabelPressure = "Давление по реакторам (Р-202, Р-203, Р-204, Р-205), атм.";
constexpr const char* kLabelMoisture = "Влажность ВСГ, %";
constexpr const char* kLabelInlet = "Температура входная по реакторам (Р-202, Р-203, Р-204, Р-205), град. С";
constexpr const char* kLabelDrop = "Перепады температур по реакторам (Р-202, Р-203, Р-204, Р-205), град. С";
constexpr const char* kLabelGas = "Состав ВСГ (H2, C1, C2, C3, n-C4, i-C4, n-C5, i-C5, C6), %";
constexpr const char* kLabelGasFlow = "Расход ВСГ, м3/час";
constexpr const char* kLabelProcessedFeed = "Дней после регенерации";
constexpr const char* kLabelSulphur = "Сера в гидрогенизате";
constexpr const char* kLabelFeedFlow = "Расход сырья, м3/час";
constexpr const char* kLabelSamplingDate = "Дата отбора";
constexpr const char* kLabelRegenerationDate = "Дата регенерации катализатора";

bool IsPerReactorLine(Q q) {
    return q == Q::kDosing || q == Q::kPressure || q == Q::kInletTemperature || q == Q::kTemperatureDrop;
}

bool IsDateLine(Q q) { return q == Q::kSamplingDate || q == Q::kRegenerationDate; }

// The values of one line in a record; const-ness follows the record.
template <class Record>
auto ValuesOf(Record& r, Q q) {
    using Value = std::conditional_t<std::is_const_v<Record>, const double, double>;
    switch (q) {
        case Q::kDosing: return std::span<Value>(r.dosing);
        case Q::kActivity: return std::span<Value>(&r.activity, 1);
        case Q::kPressure: return std::span<Value>(r.pressure);
        case Q::kGasMoisture: return std::span<Value>(&r.gasMoisture, 1);
        case Q::kInletTemperature: return std::span<Value>(r.inletTemperature);
        case Q::kTemperatureDrop: return std::span<Value>(r.temperatureDrop);
        case Q::kGasComposition: return std::span<Value>(r.gasComposition);
        case Q::kGasFlow: return std::span<Value>(&r.gasFlow, 1);
        case Q::kProcessedFeed: return std::span<Value>(&r.processedFeed, 1);
        case Q::kSulphur: return std::span<Value>(&r.sulphur, 1);
        case Q::kFeedFlow: return std::span<Value>(&r.feedFlow, 1);
        case Q::kSamplingDate:
        case Q::kRegenerationDate: break;
    }
    return std::span<Value>();
}

template <class Record>
auto& DateTextOf(Record& r, Q q) {
    return q == Q::kSamplingDate ? r.samplingDateText : r.regenerationDateText;
}

int RunSlotOf(Q q) {
    switch (q) {
        case Q::kDosing: return run_slot::kDosing;
        case Q::kActivity: return run_slot::kActivity;
        case Q::kPressure: return run_slot::kPressure;
        case Q::kGasMoisture: return run_slot::kGasMoisture;
        case Q::kInletTemperature: return run_slot::kInletTemperature;
        case Q::kTemperatureDrop: return run_slot::kTemperatureDrop;
        case Q::kGasComposition: return run_slot::kGasComposition;
        case Q::kGasFlow: return run_slot::kGasFlow;
        case Q::kProcessedFeed: return run_slot::kProcessedFeed;
        case Q::kSulphur: return run_slot::kSulphur;
        case Q::kFeedFlow: return run_slot::kFeedFlow;
        case Q::kSamplingDate: return run_slot::kSamplingDate;
        case Q::kRegenerationDate: return run_slot::kRegenerationDate;
    }
    return 0;
}

// One line from the layout: values, an optional pad, then the label with its
// indent. `values` holds exactly the values to write.
std::string FormatLine(const ConditionsLineLayout& l, std::span<const double> values, const std::string& dateText,
                       int reactorCount) {
    std::string out;
    if (IsDateLine(l.quantity)) {
        out = dateText;
    } else {
        for (size_t i = 0; i < values.size(); ++i) {
            if (i > 0 && !l.separatorAfterEach) out += l.separator;
            out += FormatFixed(values[i], l.width, l.decimals);
            if (l.separatorAfterEach) out += l.separator;
        }
        if (l.count == kPerReactor && reactorCount == 3 && l.padForThree) out += l.padForThree;
    }
    out += std::string(static_cast<size_t>(l.blanks), ' ');
    out += l.label;
    return out;
}

std::string EncodeLines(const std::vector<std::string>& utf8Lines) {
    return Utf8ToCp866(JoinLinesCrLf(utf8Lines));
}

// A date text of the file: at most 10 characters, trailing blanks dropped (the
// label indent follows the date directly), "-" turned into `separator`.
std::string ReadDateText(TextReader& in, char separator) {
    std::string text = Cp866ToUtf8(in.ReadText(10));
    in.SkipLine();
    while (!text.empty() && text.back() == ' ') text.pop_back();
    std::replace(text.begin(), text.end(), '-', separator);
    return text;
}

// Run reader, lines 1, 3, 5, 6: blank runs collapsed, one leading blank
// dropped, then up to `count` pieces each ended by a blank. The first piece
// that is no number, or a missing blank, ends the line.
void SplitReactorLine(std::string line, int count, std::span<double> slots) {
    std::string collapsed;
    for (char c : line) {
        if (c == ' ' && !collapsed.empty() && collapsed.back() == ' ') continue;
        collapsed.push_back(c);
    }
    if (!collapsed.empty() && collapsed.front() == ' ') collapsed.erase(0, 1);
    std::string_view rest = collapsed;
    for (int i = 0; i < count; ++i) {
        size_t blank = rest.find(' ');
        if (blank == std::string_view::npos) return;
        double v = 0;
        try {
            v = TextToNumber(rest.substr(0, blank + 1));
        } catch (const UserError&) {
            return;
        }
        slots[static_cast<size_t>(i)] = v;
        rest.remove_prefix(blank + 1);
    }
}

}  // namespace

const std::vector<ConditionsLineLayout>& FormLayout() {
    static const std::vector<ConditionsLineLayout> table = {
        {1, Q::kDosing, 3, 6, 2, "", false, nullptr, kLabelDosing, 5},
        {2, Q::kActivity, 1, 6, 2, "", false, nullptr, kLabelActivity, 5},
        {3, Q::kPressure, 4, 6, 2, " ", false, nullptr, kLabelPressure, 5},
        {4, Q::kGasMoisture, 1, 6, 2, "", false, nullptr, kLabelMoisture, 5},
        {5, Q::kInletTemperature, 4, 6, 2, " ", false, nullptr, kLabelInlet, 5},
        {6, Q::kTemperatureDrop, 4, 6, 2, " ", false, nullptr, kLabelDrop, 7},
        {7, Q::kGasComposition, 9, 6, 5, " ", false, nullptr, kLabelGas, 9},
        {8, Q::kGasFlow, 1, 6, 2, "", false, nullptr, kLabelGasFlow, 7},
        {9, Q::kProcessedFeed, 1, 6, 2, "", false, nullptr, kLabelProcessedFeed, 7},
        {10, Q::kSulphur, 1, 6, 2, "", false, nullptr, kLabelSulphur, 7},
        {11, Q::kFeedFlow, 1, 6, 2, "", false, nullptr, kLabelFeedFlow, 7},
        {12, Q::kSamplingDate, 1, 0, 0, "", false, nullptr, kLabelSamplingDate, 7},
        {13, Q::kRegenerationDate, 1, 0, 0, "", false, nullptr, kLabelRegenerationDate, 7},
    };
    return table;
}

const std::vector<ConditionsLineLayout>& RunLayout() {
    // The pads stand for the fourth reactor a three-reactor plant lacks:
    // 1 ppm, 10 atm, 400 °C, 10 °C, written as bare integers.
    static const std::vector<ConditionsLineLayout> table = {
        {1, Q::kDosing, kPerReactor, 6, 2, "", false, " 1", kLabelDosing, 7},
        {2, Q::kActivity, 1, 6, 2, "", false, nullptr, kLabelActivity, 6},
        {3, Q::kPressure, kPerReactor, 6, 2, " ", true, "10", kLabelPressure, 6},
        {4, Q::kGasMoisture, 1, 6, 2, "", false, nullptr, kLabelMoisture, 6},
        {5, Q::kInletTemperature, kPerReactor, 6, 2, " ", true, "400", kLabelInlet, 6},
        {6, Q::kTemperatureDrop, kPerReactor, 6, 2, " ", true, "10", kLabelDrop, 6},
        {7, Q::kGasComposition, 9, 6, 5, " ", true, nullptr, kLabelGas, 9},
        {8, Q::kGasFlow, 1, 6, 2, "", false, nullptr, kLabelGasFlow, 6},
        {9, Q::kProcessedFeed, 1, 6, 2, "", false, nullptr, kLabelProcessedFeed, 6},
        {10, Q::kSulphur, 1, 6, 2, "", false, nullptr, kLabelSulphur, 6},
        {11, Q::kFeedFlow, 1, 6, 2, "", false, nullptr, kLabelFeedFlow, 6},
        {12, Q::kSamplingDate, 1, 0, 0, "", false, nullptr, kLabelSamplingDate, 13},
        {13, Q::kRegenerationDate, 1, 0, 0, "", false, nullptr, kLabelRegenerationDate, 15},
    };
    return table;
}

const std::vector<ConditionsLineLayout>& SampleRunLayout() {
    static const std::vector<ConditionsLineLayout> table = [] {
        std::vector<ConditionsLineLayout> t = FormLayout();
        const auto& run = RunLayout();
        for (size_t i = 0; i < t.size(); ++i) t[i].blanks = run[i].blanks;
        return t;
    }();
    return table;
}

int CheckedReactorCount(int reactorCount) {
    if (reactorCount < 1) throw UserError("Неверное число реакторов: " + std::to_string(reactorCount));
    return std::min(reactorCount, kMaxReactors);
}

std::string FormatFormLayout(const ConditionsRecord& record, const FormLayoutOptions& options) {
    const ConditionsRecord& r = record;
    const auto& table = options.labels == FormLabels::kSampleRun ? SampleRunLayout() : FormLayout();
    std::vector<std::string> lines;
    for (const auto& l : table) {
        std::string date = IsDateLine(l.quantity) ? DateTextOf(r, l.quantity) : std::string();
        lines.push_back(FormatLine(l, ValuesOf(r, l.quantity), date, 0));
    }
    if (options.extension) {
        const RowExtension& e = *options.extension;
        lines.push_back(FormatE23(e[0]) + " " + FormatE23(e[1]) + " " + FormatE23(e[2]));
        lines.push_back(FormatFixed(r.pressure[2], 6, 2) + " " + FormatFixed(r.inletTemperature[2], 6, 2) + " " +
                        FormatFixed(r.temperatureDrop[2], 6, 2));
    }
    return EncodeLines(lines);
}

void WriteFormLayout(const std::string& path, const ConditionsRecord& record, const FormLayoutOptions& options) {
    WriteFileAtomic(path, FormatFormLayout(record, options));
}

std::string FormatRunLayout(const RunConditions& record, int reactorCount) {
    const int n = CheckedReactorCount(reactorCount);
    std::vector<std::string> lines;
    for (const auto& l : RunLayout()) {
        const int slot = RunSlotOf(l.quantity);
        const int count = l.count == kPerReactor ? n : l.count;
        std::string date = IsDateLine(l.quantity) ? FormatDateShort(record[static_cast<size_t>(slot)]) : std::string();
        std::span<const double> values(record.data() + slot, static_cast<size_t>(count));
        lines.push_back(FormatLine(l, values, date, n));
    }
    return EncodeLines(lines);
}

void WriteRunLayout(const std::string& path, const RunConditions& record, int reactorCount) {
    WriteFileAtomic(path, FormatRunLayout(record, reactorCount));
}

void RewriteConditionsInRunLayout(const std::string& path, const RunConditions& record, int reactorCount) {
    constexpr size_t kRunLayoutLines = 13;
    std::string bytes = FormatRunLayout(record, reactorCount);
    if (FileExists(path)) {
        const std::vector<std::string> lines = SplitLines(ReadFileBytes(path));
        if (lines.size() > kRunLayoutLines) {
            bytes += JoinLinesCrLf(std::vector<std::string>(lines.begin() + kRunLayoutLines, lines.end()));
        }
    }
    WriteFileAtomic(path, bytes);
}

PositionalConditions ParseConditionsByPosition(std::string_view bytes, const PositionalReadOptions& options) {
    PositionalConditions out;
    ConditionsRecord& r = out.conditions;
    TextReader in(bytes);
    for (const auto& l : FormLayout()) {
        if (IsDateLine(l.quantity)) {
            DateTextOf(r, l.quantity) = ReadDateText(in, '.');
            continue;
        }
        for (double& v : ValuesOf(r, l.quantity)) v = in.ReadNumber();
        in.SkipLine();
    }
    if (options.copyEmptyRegenerationDate && r.regenerationDateText.empty()) {
        r.regenerationDateText = r.samplingDateText;
    }
    if (options.withExtension) {
        for (double& v : out.extension) v = in.ReadNumber();
    }
    return out;
}

PositionalConditions ReadConditionsByPosition(const std::string& path, const PositionalReadOptions& options) {
    const std::string bytes = ReadFileBytes(path);
    try {
        return ParseConditionsByPosition(bytes, options);
    } catch (const UserError& e) {
        if (DescribedConfiguration() || std::string_view(e.what()) != "Invalid numeric input") throw;
        // The one reading failure: a value that is no number (often a ","
        // typed in an editor); the user needs to know which file to open.
        throw UserError(FileErrorMessage("", "Значение в файле условий не число (дробную часть в файле отделяют точкой)",
                                         path));
    }
}

RowExtension ParseRowExtension(std::string_view bytes) {
    constexpr size_t kExtensionLineIndex = 13;  // line 14
    const std::vector<std::string> lines = SplitLines(bytes);
    RowExtension out{};
    if (lines.size() <= kExtensionLineIndex) return out;
    TextReader in(lines[kExtensionLineIndex]);
    for (double& v : out) v = in.ReadNumber();
    return out;
}

RowExtension ReadRowExtension(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    try {
        return ParseRowExtension(bytes);
    } catch (const UserError& e) {
        if (DescribedConfiguration() || std::string_view(e.what()) != "Invalid numeric input") throw;
        throw UserError(FileErrorMessage("", "Значение в файле условий не число (дробную часть в файле отделяют точкой)",
                                         path));
    }
}

bool ParseRunConditions(std::string_view bytes, int reactorCount, RunConditions& record) {
    const int n = CheckedReactorCount(reactorCount);
    TextReader in(bytes);
    try {
        for (const auto& l : FormLayout()) {
            const size_t slot = static_cast<size_t>(RunSlotOf(l.quantity));
            if (IsPerReactorLine(l.quantity)) {
                SplitReactorLine(in.ReadLine(), n, std::span<double>(record.data() + slot, static_cast<size_t>(n)));
            } else if (IsDateLine(l.quantity)) {
                const char sep = Regional().dateSeparator;
                record[slot] = ParseShortDate(ReadDateText(in, sep), sep, CurrentYear());
            } else {
                for (int i = 0; i < l.count; ++i) record[slot + static_cast<size_t>(i)] = in.ReadNumber();
                in.SkipLine();
            }
        }
    } catch (const UserError&) {
        // The model runs go on with what was read; the rest keeps its values.
        return false;
    }
    return true;
}

bool ReadRunConditions(const std::string& path, int reactorCount, RunConditions& record) {
    return ParseRunConditions(ReadFileBytes(path), reactorCount, record);
}

}  // namespace rw
