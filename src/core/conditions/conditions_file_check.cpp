#include "conditions/conditions_file_check.h"

#include <algorithm>
#include <vector>

#include "common/codepage.h"
#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/number_format.h"
#include "common/regional.h"
#include "conditions/conditions_file.h"

namespace rw {
namespace {

constexpr const char* kNotANumber = "Значение в файле условий не число (дробную часть в файле отделяют точкой)";
constexpr const char* kNoSuchDate = "Дата в файле условий не существует";
constexpr const char* kCutShort = "Файл условий обрывается, не хватает значений";
// The date texts are read from the first columns of their lines, as the
// readers of the file take them.
constexpr size_t kDateColumns = 10;

[[noreturn]] void Refuse(const char* reason, const std::string& path, int line, std::string_view text) {
    throw UserError(std::string(reason) + ": " + ToNative(path) + ", строка " + std::to_string(line) + ": «" +
                    Cp866ToUtf8(text) + "»");
}

std::vector<std::string_view> Tokens(std::string_view line) {
    std::vector<std::string_view> tokens;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && static_cast<unsigned char>(line[i]) <= ' ') ++i;
        const size_t start = i;
        while (i < line.size() && static_cast<unsigned char>(line[i]) > ' ') ++i;
        if (i > start) tokens.push_back(line.substr(start, i - start));
    }
    return tokens;
}

std::string Trimmed(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    return std::string(text);
}

}  // namespace

void CheckConditionsBytes(std::string_view bytes, const std::string& path) {
    const std::vector<std::string> lines = SplitLines(bytes);
    const char dateSeparator = Regional().dateSeparator;
    for (const ConditionsLineLayout& l : FormLayout()) {
        const size_t index = static_cast<size_t>(l.line - 1);
        if (index >= lines.size()) Refuse(kCutShort, path, l.line, "");
        const std::string_view text = lines[index];
        if (l.quantity == ConditionsQuantity::kSamplingDate || l.quantity == ConditionsQuantity::kRegenerationDate) {
            std::string date = Trimmed(text.substr(0, std::min(text.size(), kDateColumns)));
            if (date.empty() && l.quantity == ConditionsQuantity::kRegenerationDate) continue;
            std::replace(date.begin(), date.end(), '-', dateSeparator);
            double value = 0;
            if (date.empty()) Refuse(kCutShort, path, l.line, text);
            if (!TryParseShortDate(date, dateSeparator, CurrentYear(), value)) Refuse(kNoSuchDate, path, l.line, date);
            continue;
        }
        const std::vector<std::string_view> tokens = Tokens(text);
        for (size_t i = 0; i < static_cast<size_t>(l.count); ++i) {
            if (i >= tokens.size()) Refuse(kCutShort, path, l.line, Trimmed(text));
            double value = 0;
            if (!ParseStrictNumber(tokens[i], value, '.')) Refuse(kNotANumber, path, l.line, tokens[i]);
        }
    }
}

void CheckConditionsFile(const std::string& path) { CheckConditionsBytes(ReadFileBytes(path), path); }

}  // namespace rw
