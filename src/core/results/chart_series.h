#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "results/results_file.h"
#include "results/summary_table.h"

namespace rw {

// What the graph window draws, independent of the charting component: one
// point per record at x = 0, 1, 2, ... (equal spacing whatever the dates),
// its value, the text written at the point ("#0.###") and the label of the
// horizontal axis under it. Texts are UTF-8.
struct ChartSeries {
    std::vector<double> values;
    std::vector<std::string> valueTexts;
    std::vector<std::string> labels;
    // Where the points of a results history stand on a date axis: each
    // record's sampling date (days since 30.12.1899). Empty for the
    // deactivation history.
    std::vector<double> dates;

    std::size_t Size() const { return values.size(); }
};

// Parameter `parameter` (1-18, the numbers of the summary table) of every
// record in order, labelled with the record's sampleDateText. The coke of
// parameter 14 is the one `coke` names.
ChartSeries BuildParameterSeries(const std::vector<ResultsRecord>& records, int parameter, CokeChoice coke,
                                 char decimalSeparator);

// A series of given labels and values (the deactivation history). The
// shorter of the two lists sets the number of points.
ChartSeries BuildSeries(const std::vector<std::string>& labels, const std::vector<double>& values,
                        char decimalSeparator);

// The value axis: a range that holds every value with some room above and
// below for the texts at the points, and round tick values inside it written
// "#0.###". An empty series gets the range 0-1.
struct ValueAxis {
    double min = 0;
    double max = 1;
    std::vector<double> ticks;
    std::vector<std::string> tickTexts;
};
ValueAxis MakeValueAxis(const std::vector<double>& values, int maxTicks, char decimalSeparator);
// The same for a visible range (after zooming), without the extra room. A
// range narrower than the finest step (0.001) is widened to the steps around it.
ValueAxis MakeValueAxisForRange(double min, double max, int maxTicks, char decimalSeparator);

// Every how many points a label of the horizontal axis is written so that
// at most `maxLabels` labels stand on the axis (1 = every point).
std::size_t LabelStep(std::size_t pointCount, std::size_t maxLabels);

}  // namespace rw
