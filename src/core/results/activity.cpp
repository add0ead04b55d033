#include "results/activity.h"

#include "common/codepage.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/number_format.h"
#include "common/text_helpers.h"

#include <cmath>

namespace rw {
namespace {

// Pascal's reading of a text file, as the files were read when they were
// written: Read of a number skips blanks, tabs and line ends and takes one
// token; ReadLn goes to the start of the next line.
class TextCursor {
public:
    explicit TextCursor(std::string_view bytes) : s_(bytes) {}

    void SkipLines(int count) {
        for (int i = 0; i < count; ++i) SkipLine();
    }

    void SkipLine() {
        while (pos_ < s_.size() && s_[pos_] != '\r' && s_[pos_] != '\n') ++pos_;
        if (pos_ < s_.size() && s_[pos_] == '\r') ++pos_;
        if (pos_ < s_.size() && s_[pos_] == '\n') ++pos_;
    }

    // Skips at most `count` characters of the current line.
    void SkipChars(size_t count) {
        for (size_t i = 0; i < count && pos_ < s_.size() && s_[pos_] != '\r' && s_[pos_] != '\n'; ++i) ++pos_;
    }

    // The number token rule: 0 at the end of the text, UserError("Invalid
    // numeric input") for a token that is no number.
    double ReadNumber() {
        while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\r' || s_[pos_] == '\n')) ++pos_;
        if (pos_ >= s_.size()) return 0.0;
        const size_t begin = pos_;
        while (pos_ < s_.size() && pos_ - begin < 64 && static_cast<unsigned char>(s_[pos_]) > ' ') ++pos_;
        double value = 0;
        if (!ParseStrictNumber(s_.substr(begin, pos_ - begin), value, '.')) throw UserError("Invalid numeric input");
        return value;
    }

    // The rest of the current line, the position left on it.
    std::string_view RestOfLine() const {
        size_t end = pos_;
        while (end < s_.size() && s_[end] != '\r' && s_[end] != '\n') ++end;
        return s_.substr(pos_, end - pos_);
    }

private:
    std::string_view s_;
    size_t pos_ = 0;
};

// Characters `first`..`last` (1-based) of a line, as much of them as there is.
std::string Columns(std::string_view line, size_t first, size_t last) {
    if (line.size() < first) return {};
    return std::string(line.substr(first - 1, last - first + 1));
}

// A column field converted the way a user's text is: either decimal
// separator, blanks removed, an error for anything else (an empty field too).
double ColumnNumber(std::string_view line, size_t first, size_t last) {
    return TextToNumber(Cp866ToUtf8(Columns(line, first, last)));
}

double NumberAfterColumn(std::string_view bytes, int line, size_t column) {
    TextCursor in(bytes);
    in.SkipLines(line - 1);
    in.SkipChars(column);
    return in.ReadNumber();
}

}  // namespace

ActivityConditions ParseActivityConditions(std::string_view bytes) {
    TextCursor in(bytes);
    in.SkipLines(5);
    ActivityConditions values;
    values.temperatureDrop = in.ReadNumber();
    in.SkipLine();
    values.hydrogen = in.ReadNumber();
    return values;
}

ActivityConditions ReadActivityConditions(const std::string& conditionsPath) {
    return ParseActivityConditions(ReadFileBytes(conditionsPath));
}

ActivityResults ParseActivityResults(std::string_view bytes) {
    ActivityResults values;
    values.crackingNumber = NumberAfterColumn(bytes, 9, 59);
    values.hydrogenYield = NumberAfterColumn(bytes, 32, 45);
    TextCursor in(bytes);
    in.SkipLines(68);
    const std::string_view line69 = in.RestOfLine();
    values.dehydrocyclization = ColumnNumber(line69, 58, 62);
    const double feedRatio = ColumnNumber(line69, 28, 31);
    const double productRatio = ColumnNumber(line69, 34, 37);
    values.isomerization = std::fabs(feedRatio - productRatio) * 100;
    return values;
}

ActivityResults ReadActivityResults(const std::string& resultsPath) {
    return ParseActivityResults(ReadFileBytes(resultsPath));
}

ActivityConditions ActivityConditionsOf(const LatestCalculation& latest) {
    return {latest.conditions[run_slot::kTemperatureDrop], latest.conditions[run_slot::kGasComposition]};
}

ActivityResults ActivityResultsOf(const LatestCalculation& latest) {
    const ResultsRecord& r = latest.results;
    return {r.dehydrocyclization, HydrogenYield(r), r.crackingNumber,
            std::fabs(r.normalIsoFeed - r.normalIsoProduct) * 100};
}

std::array<std::string, 2> ActivityConditionsTexts(const ActivityConditions& v, char sep) {
    return {FormatFixedPrecision(v.temperatureDrop, 3, 1, sep), FormatFixedPrecision(v.hydrogen, 4, 2, sep)};
}

std::array<std::string, 4> ActivityResultsTexts(const ActivityResults& v, char sep) {
    return {FormatFixedPrecision(v.dehydrocyclization, 4, 2, sep), FormatFixedPrecision(v.hydrogenYield, 4, 2, sep),
            FormatFixedPrecision(v.crackingNumber, 3, 1, sep), FormatFixedPrecision(v.isomerization, 4, 2, sep)};
}

std::string ComparedCaseName(std::string_view conditionsPath) {
    const size_t slash = conditionsPath.find_last_of("\\/");
    std::string_view name = slash == std::string_view::npos ? conditionsPath : conditionsPath.substr(slash + 1);
    // The extension is cut at the last point: the conditions files the
    // program writes have no other, and a name that has one keeps it.
    const size_t point = name.rfind('.');
    if (point != std::string_view::npos) name = name.substr(0, point);
    return std::string(name);
}

std::string ComparedResultsPath(std::string_view conditionsPath) {
    const size_t slash = conditionsPath.find_last_of("\\/");
    const std::string folder = slash == std::string_view::npos ? std::string() : std::string(conditionsPath.substr(0, slash));
    const std::string name = ComparedCaseName(conditionsPath) + ".rez";
    return folder.empty() ? name : JoinPath(folder, name);
}

}  // namespace rw
