#include "results/result_views.h"

#include "common/codepage.h"
#include "common/files.h"
#include "common/number_format.h"
#include "composition/composition_file.h"

namespace rw {

size_t PlainFailPosition(std::string_view text) {
    const size_t n = text.size();
    auto at = [&](size_t i) { return i < n ? text[i] : '\0'; };
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    size_t i = 0;
    bool valid = false;
    while (at(i) == ' ') ++i;
    if (at(i) == '+' || at(i) == '-') ++i;
    for (; digit(at(i)); ++i) valid = true;
    if (at(i) == '.') {
        ++i;
        if (!valid && i >= n) valid = true;  // a lone "." reads as 0
        for (; digit(at(i)); ++i) valid = true;
    }
    if (at(i) == 'e' || at(i) == 'E') {
        valid = false;
        ++i;
        if (at(i) == '+' || at(i) == '-') ++i;
        for (; digit(at(i)); ++i) valid = true;
    }
    if (valid && i >= n) return 0;
    return i + 1;
}

std::string StripToPlainNumber(std::string_view text) {
    std::string t(text);
    for (;;) {
        size_t p = PlainFailPosition(t);
        if (p == 0 || p > t.size()) return t;
        // The failing character may be a letter of several bytes.
        size_t end = p;
        while (end < t.size() && (static_cast<unsigned char>(t[end]) & 0xC0) == 0x80) ++end;
        t.erase(p - 1, end - (p - 1));
    }
}

std::array<double, kComparisonRows> ComparisonValues(const ResultsRecord& r) {
    return {
        r.activity,
        r.crackingNumber,
        r.hydrogenContent,
        r.feedRate,
        (r.normalIsoFeed - r.normalIsoProduct) * 100,
        r.dehydrocyclization,
        r.normalIsoFeed,
        r.normalIsoProduct,
        r.reformateYield,
        MethylcyclopentaneContent(r),
        r.processedFeed,
        r.octaneResearch,
    };
}

std::array<std::string, kComparisonRows> ComparisonTexts(const ResultsRecord& record, char sep) {
    std::array<std::string, kComparisonRows> texts;
    auto values = ComparisonValues(record);
    for (size_t i = 0; i < texts.size(); ++i) texts[i] = FormatFixedPrecision(values[i], 7, 3, sep);
    return texts;
}

std::string NamePrefix(std::string_view path, size_t count) {
    size_t slash = path.find_last_of("\\/");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    size_t end = 0;
    for (size_t chars = 0; end < name.size() && chars < count; ++chars) {
        ++end;
        // UTF-8 continuation bytes belong to the character before them.
        while (end < name.size() && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) ++end;
    }
    return std::string(name.substr(0, end));
}

FeedInfo ReadFeedInfo(const std::string& compositionPath) {
    FeedInfo info;
    info.name = NamePrefix(compositionPath);
    CompositionTexts texts = ReadCompositionFile(compositionPath);
    info.complete = texts.HasCompleteTail();
    if (info.complete) info.fraction = texts.tail;
    return info;
}

std::string HelpFilePath(const ProgramContext& context) { return JoinPath(context.baseFolder, "помощь.txt"); }

std::string ReadHelpText(const std::string& path) {
    std::vector<std::string> lines = SplitLines(ReadFileBytes(path));
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) text += '\n';
        text += Cp866ToUtf8(lines[i]);
    }
    return text;
}

std::vector<std::string> ReadRawResultsLines(const std::string& path) {
    std::vector<std::string> lines = SplitLines(ReadFileBytes(path));
    for (auto& line : lines) line = Cp866ToUtf8(line);
    return lines;
}

}  // namespace rw
