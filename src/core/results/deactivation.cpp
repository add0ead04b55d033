#include "results/deactivation.h"

#include "common/errors.h"
#include "common/file_lock.h"
#include "common/files.h"
#include "common/number_format.h"
#include "results/binary_io.h"

#include <algorithm>
#include <cmath>

namespace rw {

std::string DeactivationHistoryPath(const std::string& baseFolder, int plantIndex) {
    return JoinPath(baseFolder, "dizakt." + std::to_string(plantIndex));
}

std::vector<DeactivationPoint> DecodeDeactivationHistory(std::string_view bytes) {
    std::vector<DeactivationPoint> points(bytes.size() / kDeactivationRecordSize);
    ByteReader in(bytes.data());
    for (DeactivationPoint& p : points) {
        p.date = in.GetDouble();
        p.value = in.GetDouble();
    }
    return points;
}

std::string EncodeDeactivationHistory(const std::vector<DeactivationPoint>& points) {
    static_assert(kDeactivationRecordSize == 2 * sizeof(double));
    std::string bytes(points.size() * kDeactivationRecordSize, '\0');
    ByteWriter out(bytes.data());
    for (const DeactivationPoint& p : points) {
        out.PutDouble(p.date);
        out.PutDouble(p.value);
    }
    return bytes;
}

std::vector<DeactivationPoint> ReadDeactivationHistory(const std::string& path) {
    return DecodeDeactivationHistory(ReadFileBytes(path));
}

void InsertDeactivationPoint(std::vector<DeactivationPoint>& points, const DeactivationPoint& point) {
    auto it = std::find_if(points.begin(), points.end(),
                           [&](const DeactivationPoint& p) { return p.date >= point.date; });
    if (it != points.end() && it->date == point.date) {
        it->value = point.value;
    } else {
        points.insert(it, point);
    }
}

std::vector<DeactivationPoint> StoreDeactivationValue(const std::string& path, const DeactivationPoint& point) {
    SharedFileLock lock(path);
    std::vector<DeactivationPoint> points;
    if (FileExists(path)) points = ReadDeactivationHistory(path);
    InsertDeactivationPoint(points, point);
    WriteFileAtomic(path, EncodeDeactivationHistory(points));
    return points;
}

void ClearDeactivationHistory(const std::string& path) {
    SharedFileLock lock(path);
    if (!FileExists(path)) return;
    try {
        DeleteFile(path);
    } catch (const UserError&) {
        throw UserError("Не могу удалить файл: " + path);
    }
    if (FileExists(path)) throw UserError("Не могу удалить файл: " + path);
}

DeactivationSample SampleOf(const ResultsRecord& r) { return {r.activity, r.processedFeed, r.feedRate}; }

std::optional<double> DeactivationValue(const DeactivationSample& first, const DeactivationSample& second,
                                        double plantConstant) {
    if (second.processedFeed == first.processedFeed) return std::nullopt;
    double processed = second.processedFeed - first.processedFeed;
    if (std::fabs(processed) < 1000) {
        // A small difference is a number of days after regeneration: turn it
        // into tonnes at the feed rate of the end of the period.
        const DeactivationSample& end = second.processedFeed > first.processedFeed ? second : first;
        processed = processed * end.feedRate * 24 * 0.7;
        // Without a feed rate no feed was processed in those days: there is
        // no rate to show rather than an infinite one.
        if (processed == 0) return std::nullopt;
    }
    return (first.activity - second.activity) * 100 / processed * plantConstant;
}

std::string DeactivationPeriodText(const ResultsRecord& first, const ResultsRecord& second) {
    const bool firstIsEarlier = first.sampleDate < second.sampleDate;
    const ResultsRecord& earlier = firstIsEarlier ? first : second;
    const ResultsRecord& later = firstIsEarlier ? second : first;
    return "Период с " + earlier.sampleDateText.Text() + " по " + later.sampleDateText.Text();
}

std::string DeactivationValueText(double value, char decimalSeparator) {
    return "Дезактивация = " + FormatFixedPrecision(value, 9, 4, decimalSeparator) + " град./(тонн сыр./кг кат.)";
}

}  // namespace rw
