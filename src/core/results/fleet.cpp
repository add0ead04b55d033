#include "results/fleet.h"

#include <algorithm>
#include <cstdio>

#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/number_format.h"
#include "conditions/conditions_file.h"
#include "results/results_index.h"
#include "shell/plant_table.h"

namespace rw {
namespace {

const char* const kLimitMessage = "Предел должен быть положительным числом";

bool TryLimit(std::string_view text, double& value) {
    std::string t(text);
    std::replace(t.begin(), t.end(), ',', '.');
    return ParseStrictNumber(t, value) && value > 0;
}

std::string Fixed(double value, int decimals, char separator) {
    std::string text = FormatFixed(value, 0, decimals);
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

}  // namespace

std::string OutlookLimitsPath(const std::string& baseFolder, int plantIndex) {
    return JoinPath(baseFolder, "prognoz." + std::to_string(plantIndex + 1));
}

OutlookLimits ParseOutlookLimits(std::string_view bytes) {
    const std::size_t end = bytes.find_first_of("\r\n");
    const std::string_view line = bytes.substr(0, end);
    const std::size_t blank = line.find_first_not_of(' ') == std::string_view::npos
                                  ? std::string_view::npos
                                  : line.find(' ', line.find_first_not_of(' '));
    OutlookLimits limits;
    double activity = 0, coke = 0;
    if (blank != std::string_view::npos && TryLimit(line.substr(0, blank), activity) &&
        TryLimit(line.substr(blank), coke)) {
        limits.activity = activity;
        limits.coke = coke;
    }
    return limits;
}

OutlookLimits ReadOutlookLimits(const std::string& path) {
    if (!FileExists(path)) return {};
    try {
        return ParseOutlookLimits(ReadFileBytes(path));
    } catch (const UserError&) {
        return {};
    }
}

void WriteOutlookLimits(const std::string& path, const OutlookLimits& limits) {
    if (!(limits.activity > 0) || !(limits.coke > 0)) throw UserError(kLimitMessage);
    WriteFileAtomic(path, FormatFixed(limits.activity, 0, 2) + " " + FormatFixed(limits.coke, 0, 2) + "\r\n");
}

double ParseLimitText(std::string_view text, std::string_view caption) {
    double value = 0;
    if (TryLimit(text, value)) return value;
    if (caption.empty()) throw UserError(kLimitMessage);
    throw UserError("Предел «" + std::string(caption) + "»: «" + std::string(text) +
                    "» — должно быть положительное число");
}

double RegenerationDateOf(const std::string& plantFolder, const ResultsRecord& record) {
    const std::string name = FormatDateShort(record.sampleDate, '-');
    const std::string path = JoinPath(JoinPath(plantFolder, name), name + ".dan");
    if (!FileExists(path)) return 0;
    try {
        PositionalReadOptions options;
        options.copyEmptyRegenerationDate = false;
        const PositionalConditions read = ReadConditionsByPosition(path, options);
        int year = 0, month = 0, day = 0;
        DecodeDate(record.sampleDate, year, month, day);
        double date = 0;
        if (!TryParseShortDate(read.conditions.regenerationDateText, '.', year, date)) return 0;
        return date <= record.sampleDate ? date : 0;
    } catch (const UserError&) {
        return 0;
    }
}

PlantOutlook LoadPlantOutlook(const std::string& baseFolder, int plantIndex, const OutlookLimits& limits) {
    const PlantRow& row = PlantTable()[static_cast<std::size_t>(plantIndex)];
    const std::vector<ResultsRecord> history =
        ReadResultsIndex(JoinPath(baseFolder, "svod." + std::to_string(plantIndex + 1)));
    const double regeneration = history.empty() ? 0 : RegenerationDateOf(baseFolder + row.subPath, history.back());
    PlantOutlook p;
    p.plantIndex = plantIndex;
    p.caption = row.listCaption;
    p.outlook = ComputeCycleOutlook(history, limits, regeneration);
    return p;
}

std::vector<PlantOutlook> LoadFleet(const std::string& baseFolder) {
    std::vector<PlantOutlook> fleet;
    for (int i = 0; i < kPlantCount; ++i) {
        if (!FileExists(JoinPath(baseFolder, "svod." + std::to_string(i + 1)))) continue;
        try {
            PlantOutlook p = LoadPlantOutlook(baseFolder, i, ReadOutlookLimits(OutlookLimitsPath(baseFolder, i)));
            if (!p.outlook.cycle.empty()) fleet.push_back(std::move(p));
        } catch (const UserError&) {
        }
    }
    // A plant at a limit needs attention now: before every forecast, the one
    // that reached it first at the top.
    const auto reachedOn = [](const PlantOutlook& p) -> std::optional<double> {
        const std::optional<std::size_t> by = p.outlook.LimitReachedBy();
        if (!by) return std::nullopt;
        return p.outlook.cycle[*by].sampleDate;
    };
    std::stable_sort(fleet.begin(), fleet.end(), [&reachedOn](const PlantOutlook& a, const PlantOutlook& b) {
        const std::optional<double> ra = reachedOn(a), rb = reachedOn(b);
        if (ra || rb) return ra && (!rb || *ra < *rb);
        const std::optional<double> ea = a.outlook.EndOfCycle(), eb = b.outlook.EndOfCycle();
        if (ea && eb) return *ea < *eb;
        return ea.has_value() && !eb.has_value();
    });
    return fleet;
}

SummaryGrid FleetGrid(const std::vector<PlantOutlook>& fleet, char sep) {
    static const char* const kCaptions[] = {"№",        "Установка",        "Дата отбора",
                                            "Активность", "Кокс, %вес.",    "Суток после регенерации",
                                            "Конец цикла"};
    SummaryGrid grid;
    grid.columnCount = 7;
    grid.rowCount = static_cast<int>(fleet.size()) + 1;
    grid.fixedFirstColumn = false;
    grid.cells.reserve(static_cast<std::size_t>(grid.columnCount * grid.rowCount));
    for (const char* caption : kCaptions) grid.cells.emplace_back(caption);
    for (const PlantOutlook& p : fleet) {
        const CycleOutlook& o = p.outlook;
        const ResultsRecord& last = o.cycle.back();
        grid.cells.push_back(std::to_string(p.plantIndex + 1));
        grid.cells.push_back(p.caption);
        grid.cells.push_back(last.sampleDateText.Text());
        grid.cells.push_back(Fixed(last.activity, 2, sep));
        grid.cells.push_back(Fixed(last.accumulatedCoke, 2, sep));
        grid.cells.push_back(o.regenerationDate > 0 ? Fixed(last.sampleDate - o.regenerationDate, 0, sep) : "");
        grid.cells.push_back(o.EndOfCycleText("нет прогноза"));
    }
    return grid;
}

}  // namespace rw
