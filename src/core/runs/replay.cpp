#include "runs/replay.h"

#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "common/codepage.h"
#include "common/dates.h"
#include "common/errors.h"
#include "common/file_lock.h"
#include "common/files.h"
#include "common/number_format.h"
#include "results/latest_calculation.h"
#include "runs/external_program.h"
#include "runs/reforming_workflow.h"
#include "shell/plant_selection.h"
#include "shell/plant_table.h"

namespace fs = std::filesystem;

namespace rw {
namespace {

bool IsDateFolderName(const std::string& name, double& date) {
    if (name.size() != 8 || name[2] != '-' || name[5] != '-') return false;
    for (size_t i : {0, 1, 3, 4, 6, 7}) {
        if (name[i] < '0' || name[i] > '9') return false;
    }
    return TryParseShortDate(name, '-', CurrentYear(), date);
}

std::string DateFolder(const std::string& plantFolder, const std::string& sampleName) {
    return JoinPath(plantFolder, sampleName);
}

// A private folder standing in for the base folder, removed with everything
// in it at the end: the model writes its working files there, and the
// calculation rewrites the date's conditions file and results there.
class ScratchBase {
public:
    ScratchBase() {
        std::error_code ec;
        std::string pattern = (fs::temp_directory_path(ec) / "reformer-replay-XXXXXX").string();
        if (ec || !::mkdtemp(pattern.data())) {
            throw UserError("Не удалось создать временную папку для пересчета: " + pattern);
        }
        path_ = pattern;
    }
    ~ScratchBase() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    ScratchBase(const ScratchBase&) = delete;
    ScratchBase& operator=(const ScratchBase&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// The files of the base folder's top level that the model and the plant
// selection read: the model programs, the plant settings, the model-run
// settings and whatever a model program may open beside them. The results
// indexes are left out (the replay adds to none) and so are lock files.
void CopyBaseFiles(const std::string& baseFolder, const std::string& scratch) {
    std::error_code ec;
    const fs::path root = ToNative(baseFolder);
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        const std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.') continue;
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char ch) { return std::tolower(ch); });
        if (lower.rfind("svod.", 0) == 0) continue;
        CopyFile(JoinPath(baseFolder, name), JoinPath(scratch, name));
        fs::permissions(fs::path(scratch) / name, it->status(ec).permissions(), ec);
    }
    if (ec) throw UserError("Не удалось прочитать базовую папку " + root.string() + ": " + ec.message());
}

// The answers of a user who confirms everything unchanged, as the stored
// calculation was presumably made.
class UnchangedAnswers : public ReformingQuestions {
public:
    explicit UnchangedAnswers(ReplayQuestions& outer) : outer_(outer) {}
    bool Confirm(const std::string&, const std::string&, const std::string&) override { return true; }
    std::optional<ConditionsEditTexts> Review(const RunConditions& conditions, const std::string&) override {
        return UnchangedReviewTexts(conditions);
    }
    void RunStarted(TRavionObj& run) override { outer_.RunStarted(run); }
    void RunEnded(bool) override {}
    void Settled(const ReformingOutcome&) override {}

private:
    ReplayQuestions& outer_;
};

// The latest calculation of the program run belongs to the engineer's own
// calculations; a replay puts it back as it found it.
class KeepLatestCalculation {
public:
    KeepLatestCalculation() {
        if (const LatestCalculation* latest = GetLatestCalculation()) saved_ = *latest;
    }
    ~KeepLatestCalculation() {
        if (saved_) {
            SetLatestCalculation(saved_->results, saved_->conditions);
        } else {
            ClearLatestCalculation();
        }
    }
    KeepLatestCalculation(const KeepLatestCalculation&) = delete;
    KeepLatestCalculation& operator=(const KeepLatestCalculation&) = delete;

private:
    std::optional<LatestCalculation> saved_;
};

// One date, inputs copied and model run with the base folder locked.
void ReplayDate(const ReplayRequest& request, const std::string& scratch, ReplayedDate& date,
                ReplayQuestions& questions) {
    const PlantRow& plant = PlantTable()[static_cast<size_t>(request.plantIndex)];
    const std::string folder = DateFolder(request.baseFolder + plant.subPath, date.sampleName);
    const std::string dan = JoinPath(folder, date.sampleName + ".dan");
    const std::string sk = JoinPath(folder, date.sampleName + ".sk");
    date.storedPath = JoinPath(folder, date.sampleName + ".rez");
    const std::string program = JoinPath(request.baseFolder, ModelProgramName(request.plantIndex));

    BaseFolderLock baseFolder(request.baseFolder);
    if (!FileExists(date.storedPath)) throw UserError("Нет файла результатов: " + ToNative(date.storedPath));
    date.storedResults = ReadFileBytes(date.storedPath);
    std::string missing;
    for (const std::string* path : {&dan, &sk, &program}) {
        if (!FileExists(*path)) missing += (missing.empty() ? "" : ", ") + ToNative(*path);
    }
    if (!missing.empty()) throw UserError(kMissingInputsMessage + missing);

    const std::string scratchFolder = DateFolder(scratch + plant.subPath, date.sampleName);
    CreateFolders(scratchFolder);
    CopyFile(dan, JoinPath(scratchFolder, date.sampleName + ".dan"));
    CopyFile(sk, JoinPath(scratchFolder, date.sampleName + ".sk"));

    // A context of its own: the program's (its plant, date and fitting
    // brackets) is the engineer's, and each date starts as a fresh program.
    ProgramContext context;
    context.baseFolder = scratch;
    context.modelBaseFolder = scratch;
    SelectPlant(context, request.plantIndex);
    FinishPlantSelection(context, request.plantIndex);
    context.dataFolder = scratchFolder + "\\";
    context.sampleName = date.sampleName;

    TRavionObj run(context);
    ReformingRequest calculation;
    calculation.context = &context;
    calculation.run = &run;
    calculation.fit = request.fit;
    UnchangedAnswers answers(questions);
    const ReformingOutcome outcome = CalculateReforming(calculation, answers);
    if (outcome.end != ReformingEnd::Completed) throw UserError("Расчет не выполнен.");
    date.replayedResults = ReadFileBytes(outcome.resultsPath);
}

std::string FieldsWord(size_t count) {
    return count % 10 == 1 && count % 100 != 11 ? " поле" : " полях";
}

std::string SignedDifference(const ReplayFieldDifference& d) {
    const int decimals = std::max(d.decimals, 0);
    const std::string text = FormatFixed(std::fabs(d.difference), 0, decimals);
    return (d.difference < 0 ? "-" : "+") + text;
}

}  // namespace

int ReplayOutcome::Count(ReplayVerdict verdict) const {
    return static_cast<int>(std::count_if(dates.begin(), dates.end(),
                                          [verdict](const ReplayedDate& d) { return d.verdict == verdict; }));
}

std::vector<std::string> ReplayableDates(const std::string& baseFolder, int plantIndex, std::optional<double> from,
                                         std::optional<double> to) {
    if (plantIndex < 0 || plantIndex >= kPlantCount) return {};
    const std::string plantFolder = baseFolder + PlantTable()[static_cast<size_t>(plantIndex)].subPath;
    std::vector<std::pair<double, std::string>> found;
    std::error_code ec;
    for (fs::directory_iterator it(ToNative(plantFolder), ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_directory(ec)) continue;
        const std::string name = it->path().filename().string();
        double date = 0;
        if (!IsDateFolderName(name, date)) continue;
        if ((from && date < *from) || (to && date > *to)) continue;
        if (!FileExists(JoinPath(DateFolder(plantFolder, name), name + ".rez"))) continue;
        found.emplace_back(date, name);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    for (auto& [date, name] : found) names.push_back(std::move(name));
    return names;
}

ReplayVerdict CompareReplayedResults(const std::string& stored, const std::string& replayed,
                                     std::vector<ReplayFieldDifference>& differences) {
    differences.clear();
    if (stored == replayed) return ReplayVerdict::Same;
    const std::vector<PrintedResultsField> before = PrintedResultsFields(stored);
    const std::vector<PrintedResultsField> after = PrintedResultsFields(replayed);
    bool beyond = false;
    for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
        const PrintedResultsField& s = before[i];
        const PrintedResultsField& r = after[i];
        if (s.text == r.text && s.value == r.value) continue;
        ReplayFieldDifference d;
        d.field = s.name;
        d.stored = Cp866ToUtf8(s.text);
        d.replayed = Cp866ToUtf8(r.text);
        d.difference = r.value - s.value;
        d.decimals = s.decimals;
        // The sampling date has no digit to be off by.
        const double unit = s.line == 2 ? 0.0 : std::pow(10.0, -s.decimals);
        d.withinPrintedDigit = std::fabs(d.difference) <= unit * (1 + 1e-9);
        beyond = beyond || !d.withinPrintedDigit;
        differences.push_back(std::move(d));
    }
    return beyond ? ReplayVerdict::Differs : ReplayVerdict::WithinPrecision;
}

ReplayOutcome ReplayCalculations(const ReplayRequest& request, ReplayQuestions& questions) {
    if (request.plantIndex < 0 || request.plantIndex >= kPlantCount) {
        throw UserError("Нет установки в строке " + std::to_string(request.plantIndex) + " таблицы установок");
    }
    const std::vector<std::string> names =
        request.dates.empty() ? ReplayableDates(request.baseFolder, request.plantIndex) : request.dates;
    ReplayOutcome outcome;
    KeepLatestCalculation latest;
    ScratchBase scratch;
    {
        BaseFolderLock baseFolder(request.baseFolder);
        CopyBaseFiles(request.baseFolder, scratch.Path());
    }
    const int count = static_cast<int>(names.size());
    for (int i = 0; i < count; ++i) {
        if (!questions.KeepGoing()) {
            outcome.cancelled = true;
            break;
        }
        ReplayedDate date;
        date.sampleName = names[static_cast<size_t>(i)];
        questions.DateStarted(date.sampleName, i, count);
        try {
            ReplayDate(request, scratch.Path(), date, questions);
            date.verdict = CompareReplayedResults(date.storedResults, date.replayedResults, date.differences);
        } catch (const std::exception& e) {
            date.verdict = ReplayVerdict::NotRun;
            date.reason = e.what();
            date.differences.clear();
        }
        questions.DateDone(date);
        outcome.dates.push_back(std::move(date));
    }
    return outcome;
}

std::string ReplayDateLine(const ReplayedDate& date) {
    std::string line = date.sampleName + ": ";
    switch (date.verdict) {
        case ReplayVerdict::Same: return line + "совпадает";
        case ReplayVerdict::NotRun: return line + "не пересчитан: " + date.reason;
        case ReplayVerdict::WithinPrecision:
        case ReplayVerdict::Differs: break;
    }
    if (date.differences.empty()) return line + "совпадают все числа, различаются подписи или пробелы";
    line += "различается в " + std::to_string(date.differences.size()) + FieldsWord(date.differences.size());
    if (date.verdict == ReplayVerdict::WithinPrecision) line += " в пределах последней напечатанной цифры";
    line += ": ";
    // A date computed from other inputs differs everywhere: the line names the
    // first fields, the comparison window shows them all.
    const size_t listed = std::min(date.differences.size(), kReplayFieldsListed);
    for (size_t i = 0; i < listed; ++i) {
        const ReplayFieldDifference& d = date.differences[i];
        if (i) line += "; ";
        line += d.field + " " + d.stored + " → " + d.replayed;
        if (d.difference != 0 && !d.stored.empty() && !d.replayed.empty()) line += " (разница " + SignedDifference(d) + ")";
    }
    if (listed < date.differences.size()) line += "; и еще " + std::to_string(date.differences.size() - listed);
    return line;
}

std::string ReplaySummaryLine(const ReplayOutcome& outcome) {
    std::string line = "Дат: " + std::to_string(outcome.dates.size()) +
                       "; совпадают: " + std::to_string(outcome.Count(ReplayVerdict::Same)) +
                       "; различаются в пределах последней цифры: " +
                       std::to_string(outcome.Count(ReplayVerdict::WithinPrecision)) +
                       "; различаются: " + std::to_string(outcome.Count(ReplayVerdict::Differs)) +
                       "; не пересчитаны: " + std::to_string(outcome.Count(ReplayVerdict::NotRun)) + ".";
    if (outcome.cancelled) line += " Пересчет прерван, остальные даты не пересчитаны.";
    return line;
}

}  // namespace rw
