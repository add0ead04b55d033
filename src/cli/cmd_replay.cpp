// reformer-cli replay: the calculated sampling dates of a plant made again
// with the base folder's model programs and compared with the stored
// results, without writing the base folder.
#include <algorithm>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "command.h"
#include "common/dates.h"
#include "runs/replay.h"
#include "runs/run_settings.h"
#include "shell/plant_table.h"

namespace rw::cli {
namespace {

double DateOption(const std::string& option, const std::string& text) {
    double value = 0;
    if (!ParseTypedDate(text, CurrentYear(), value)) throw UsageError{option + ": «" + text + "» не дата (ДД.ММ.ГГ)"};
    return value;
}

std::optional<double> OptionalDate(std::vector<std::string>& args, const std::string& option) {
    const std::string text = TakeOption(args, option, "");
    if (text.empty()) return std::nullopt;
    return DateOption(option, text);
}

// The progress on stderr, the verdicts on stdout as each date ends.
class PrintedProgress : public ReplayQuestions {
public:
    bool KeepGoing() override { return true; }
    void DateStarted(const std::string&, int, int) override {}
    void RunStarted(TRavionObj&) override {}
    void DateDone(const ReplayedDate& date) override { std::cout << ReplayDateLine(date) << std::endl; }
};

int Replay(Invocation& inv) {
    ReplayRequest request;
    request.baseFolder = inv.base;
    request.plantIndex = TakePlantIndex(inv.args);
    const std::optional<double> from = OptionalDate(inv.args, "--from");
    const std::optional<double> to = OptionalDate(inv.args, "--to");
    const std::string listed = TakeOption(inv.args, "--dates", "");
    const std::string fitText = TakeOption(inv.args, "--fit", "");
    if (!inv.args.empty()) throw UsageError{"лишний аргумент «" + inv.args[0] + "»"};
    if (!fitText.empty() && !ParseFitMethod(fitText, request.fit)) throw UsageError{"--fit: bisection или fast"};
    if (!listed.empty()) {
        size_t start = 0;
        while (start <= listed.size()) {
            const size_t comma = std::min(listed.find(',', start), listed.size());
            const double date = DateOption("--dates", listed.substr(start, comma - start));
            if ((!from || date >= *from) && (!to || date <= *to)) request.dates.push_back(FormatDateShort(date, '-'));
            start = comma + 1;
        }
    } else {
        request.dates = ReplayableDates(request.baseFolder, request.plantIndex, from, to);
    }
    if (request.dates.empty()) {
        std::cout << "Нет рассчитанных дат для пересчета.\n";
        return 0;
    }

    PrintedProgress progress;
    const ReplayOutcome outcome = ReplayCalculations(request, progress);
    std::cout << ReplaySummaryLine(outcome) << "\n";
    return outcome.Count(ReplayVerdict::Differs) > 0 ? 1 : 0;
}

const CommandRegistrar reg(
    "replay", "replay [--plant-index N] [--from ДД.ММ.ГГ] [--to ДД.ММ.ГГ] [--dates Д1,Д2,...] [--fit bisection|fast]",
    "Пересчет рассчитанных дат установки в строке N (по умолчанию 11) программой модели из BASE и сравнение с "
    "записанными результатами: расчет идет во временной копии, BASE не меняется. По каждой дате строка: "
    "совпадает, различается в K полях (с названием поля, старым и новым значением) или не пересчитан (с "
    "причиной); в конце итог. Код завершения 1, когда хоть одна дата различается больше, чем на последнюю "
    "напечатанную цифру. --fit как в calc, по умолчанию bisection (деление пополам).",
    Replay);

}  // namespace
}  // namespace rw::cli
