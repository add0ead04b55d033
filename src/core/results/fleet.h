#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "results/cycle_outlook.h"
#include "results/summary_table.h"

namespace rw {

// The cycle outlook of the plants of the plant table, read from the files the
// program keeps in the base folder.

// Per-plant limits file base\prognoz.<plant number>: one text line, the
// end-of-cycle activity and the accumulated coke limit (% by mass) separated
// by a blank, "." as decimal point, e.g. "0.85 10.00" CR LF. A missing file,
// or one that does not hold two positive numbers, gives the defaults of
// OutlookLimits.
std::string OutlookLimitsPath(const std::string& baseFolder, int plantIndex);
OutlookLimits ParseOutlookLimits(std::string_view bytes);
OutlookLimits ReadOutlookLimits(const std::string& path);
// Writes the file whole (atomically). Throws UserError when it cannot be
// written, and UserError("Предел должен быть положительным числом") for a
// limit that is not above zero.
void WriteOutlookLimits(const std::string& path, const OutlookLimits& limits);

// A limit typed by the user: "," or "." as decimal point, blanks around.
// Throws UserError("Предел должен быть положительным числом") when the text
// is not a number above zero; with a `caption`, the message names the limit
// and the text: "Предел «<caption>»: «<text>» — должно быть положительное число".
double ParseLimitText(std::string_view text, std::string_view caption = {});

struct PlantOutlook {
    int plantIndex = 0;
    std::string caption;  // the plant list caption, UTF-8
    CycleOutlook outlook;
};

// The regeneration date of the conditions file of a record's sampling date
// (<plant folder>\<dd-mm-yy>\<dd-mm-yy>.dan, line 13); 0 when the file is
// missing, unreadable or the date is not one on or before the sampling date.
double RegenerationDateOf(const std::string& plantFolder, const ResultsRecord& record);

// The outlook of a plant from its results index svod.<plant number> and its
// latest conditions file. Throws UserError("File not found") when the plant
// has no results index.
PlantOutlook LoadPlantOutlook(const std::string& baseFolder, int plantIndex, const OutlookLimits& limits);

// Every plant of the plant table that has a results index with records, with
// its own limits file: plants at or past a limit first (the earliest reached
// first), then the earliest forecast end of cycle, plants without a forecast
// after them in table order. An index that cannot be read leaves its plant
// out.
std::vector<PlantOutlook> LoadFleet(const std::string& baseFolder);

// The fleet as a table: row 0 the captions, then one row per plant (plant
// number, caption, latest sampling date, activity, accumulated coke, days
// since regeneration, end of cycle: "предел достигнут dd.mm.yyyy", the
// forecast date or "нет прогноза"). Exported as the summary
// table's grid is (SummaryExportText, SummaryClipboardText).
SummaryGrid FleetGrid(const std::vector<PlantOutlook>& fleet, char decimalSeparator);

}  // namespace rw
