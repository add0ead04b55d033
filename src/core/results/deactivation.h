#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/results_file.h"

namespace rw {

// One point of a plant's deactivation history dizakt.<i>: 16 bytes, the date
// (days since 30.12.1899) and the value, both little-endian doubles. The file
// holds the points in ascending date order, one per date, no header.
struct DeactivationPoint {
    double date = 0;
    double value = 0;
    bool operator==(const DeactivationPoint&) const = default;
};

inline constexpr std::size_t kDeactivationRecordSize = 16;

// base\dizakt.<plant index> (the 0-based row, unlike svod.<plant number>).
std::string DeactivationHistoryPath(const std::string& baseFolder, int plantIndex);

// Bytes at the end that do not make up a whole point are ignored.
std::vector<DeactivationPoint> DecodeDeactivationHistory(std::string_view bytes);
std::string EncodeDeactivationHistory(const std::vector<DeactivationPoint>& points);

// Throws UserError("File not found") when the file is missing.
std::vector<DeactivationPoint> ReadDeactivationHistory(const std::string& path);

// Puts a point before the first point not earlier than its date, replaces
// the value of a point of the same date, or appends it.
void InsertDeactivationPoint(std::vector<DeactivationPoint>& points, const DeactivationPoint& point);

// "Копировать на график": stores a value under a date in the history file
// (a missing file is an empty history), rewriting it atomically. Returns the
// history as stored.
std::vector<DeactivationPoint> StoreDeactivationValue(const std::string& path, const DeactivationPoint& point);

// "Очистить график": deletes the history file if it exists. Throws
// UserError("Не могу удалить файл: " + path) when it cannot be deleted.
void ClearDeactivationHistory(const std::string& path);

// What the deactivation formula takes from the results of one sample.
struct DeactivationSample {
    double activity = 0;
    double processedFeed = 0;  // tonnes, or days after regeneration when small
    double feedRate = 0;       // m3/h
};
DeactivationSample SampleOf(const ResultsRecord& record);

// Loss of activity per feed processed per catalyst between two samples:
//   D = (activity0 - activity1) * 100 / dG * M,   dG = processedFeed1 - processedFeed0.
// A |dG| below 1000 is a number of days and is turned into tonnes with the
// feed rate, 24 hours a day and a feed density of 0.7 t/m3. The feed rate
// is that of the sample with more processed feed (the end of the period),
// so the order in which the two samples are given does not change D.
// No value (nullopt) when both samples processed the same feed, or when the
// days between them come to no feed at all (a feed rate of 0).
std::optional<double> DeactivationValue(const DeactivationSample& first, const DeactivationSample& second,
                                        double plantConstant);

// "Период с <earlier> по <later>"; the second record counts as the earlier
// one when both dates are equal.
std::string DeactivationPeriodText(const ResultsRecord& first, const ResultsRecord& second);
// "Дезактивация = <D, 4 decimals> град./(тонн сыр./кг кат.)".
std::string DeactivationValueText(double value, char decimalSeparator);

}  // namespace rw
