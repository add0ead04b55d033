#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "results/results_file.h"
#include "shell/program_context.h"

namespace rw {

// What the result viewers show, worked out without the windows.

// The twelve quantities of the comparison window, in the order of its right
// column C1..C12: activity, cracking number, hydrogen in the gas, feed rate,
// isomerization (100 times the difference of the two n/i ratios, taken before
// any rounding), dehydrocyclization, n/i ratio of the feed, n/i ratio of the
// catalyzate, reformate yield, methylcyclopentane in the catalyzate,
// processed feed, research octane number.
constexpr int kComparisonRows = 12;
std::array<double, kComparisonRows> ComparisonValues(const ResultsRecord& record);
// The same as texts: fixed notation, precision 7, 3 decimals.
std::array<std::string, kComparisonRows> ComparisonTexts(const ResultsRecord& record, char decimalSeparator);

// The first `count` characters of a file's name without its folder (either
// separator): "01-09-09.rez" gives "01-09-09", "1.rez" gives "1.rez".
// Characters, not bytes: a Cyrillic name is never cut inside a letter.
std::string NamePrefix(std::string_view path, size_t count = 8);

// The feed information of a composition file: the name shown beside the
// values (first 8 characters of the file name) and the fractional
// composition by the reading rule of the fractional-composition window; all
// six are empty when the file has fewer than six values after its 138
// composition lines. Throws UserError("File not found") and the like.
struct FeedInfo {
    std::string name;
    std::array<std::string, 6> fraction;  // НК, 10 %, 50 %, 90 %, КК, density, as written
    bool complete = false;
};
FeedInfo ReadFeedInfo(const std::string& compositionPath);

// The help text "помощь.txt" of the base folder: code page 866 decoded, lines
// joined with "\n". Throws UserError("File not found") when it is missing.
std::string HelpFilePath(const ProgramContext& context);
std::string ReadHelpText(const std::string& path);

// A results file as the model wrote it, line by line, decoded from code page
// 866 (the frame characters of its tables included). Throws
// UserError("File not found") when it is missing.
std::vector<std::string> ReadRawResultsLines(const std::string& path);

// The plain conversion of typed numbers (blanks before the number, optional
// sign, digits, "." and fraction, optional exponent): 0 when the whole text
// is a number, otherwise the 1-based position of the character where the
// reading stops. A text that only ends too early (empty, a lone "-", "1e")
// reports the position just past its end. Everything before the reported
// position is ASCII, so it is a character position as well as a byte one.
size_t PlainFailPosition(std::string_view text);

// The calibration dialog's edit filter: the character at the failing
// position is removed until the text is a number or the position lies past
// the end ("1,5" becomes "15", "1.5" stays).
std::string StripToPlainNumber(std::string_view text);

// The message of "Результаты расчета" before any calculation in this run of
// the program.
inline constexpr std::string_view kNoCalculationYet =
    "Расчет еще не проводился: результатов последнего расчета нет.\n"
    "Файл результатов другой даты можно открыть пунктом \"Просмотр результатов\".";

}  // namespace rw
