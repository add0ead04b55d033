#include "runs/research_run.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "common/configuration.h"
#include "common/errors.h"
#include "common/text_helpers.h"
#include "common/files.h"
#include "common/number_format.h"
#include "runs/external_program.h"
#include "runs/reforming_run.h"

namespace fs = std::filesystem;

namespace rw {

namespace {

constexpr int kShortListingPlant = 8;  // its model prints no octane numbers
constexpr std::string_view kResultsExtension = ".rez";

bool ClearFolderAt(const fs::path& folder) {
    std::error_code ec;
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) entries.push_back(it->path());
    if (ec) {
        // A folder that is not there has nothing to clear.
        return !fs::exists(fs::symlink_status(folder, ec));
    }

    bool ok = true;
    std::vector<fs::path> subFolders;
    for (const fs::path& entry : entries) {
        std::error_code e;
        const fs::file_status status = fs::symlink_status(entry, e);
        if (fs::is_directory(status)) {
            subFolders.push_back(entry);
            continue;
        }
        if (!fs::is_symlink(status)) fs::permissions(entry, fs::perms::owner_write, fs::perm_options::add, e);
        e.clear();
        if (!fs::remove(entry, e) || e) ok = false;
    }
    for (const fs::path& sub : subFolders) ok = ok && ClearFolderAt(sub);
    if (ok) fs::remove(folder, ec);  // a folder that stays is not reported
    return ok;
}

}  // namespace

std::string StudyFolder(const ProgramContext& context, StudyKind kind) {
    return JoinPath(context.plantFolder, kind == StudyKind::OptimalActivity ? "OptAkt" : "Issl");
}

std::string StudyCaption(StudyKind kind) {
    return kind == StudyKind::OptimalActivity ? "Расчет оптимальной активности" : "Исследование влияния состава сырья";
}

std::string StudyTitle(StudyKind kind) {
    return kind == StudyKind::OptimalActivity ? "Исследование оптимальной активности"
                                              : "Исследование влияния состава сырья";
}

std::string StudyValueCaption(StudyKind kind) {
    return kind == StudyKind::OptimalActivity ? "Оптимальная активность" : "Активность";
}

StudyChoiceProblem CheckStudyChoice(const StudyFileFlags& flags) {
    if (!flags.conditions) return StudyChoiceProblem::Conditions;
    if (!flags.composition) return StudyChoiceProblem::Composition;
    if (!flags.results) return StudyChoiceProblem::Results;
    return StudyChoiceProblem::None;
}

std::string StudyChoiceMessage(StudyChoiceProblem problem) {
    const std::string check = WorkingConfiguration() ? "\r Проверьте правильность имени файла"
                                                     : "\r Проверте правильность имени файла";
    switch (problem) {
        case StudyChoiceProblem::Conditions:
            return "Неверно указан файл с технологическими данными." + check;
        case StudyChoiceProblem::Composition:
            return "Неверно указан файл с составом сырья и катализата." + check;
        case StudyChoiceProblem::Results:
            return "Невозможно создать файл с результатами." + check;
        case StudyChoiceProblem::None:
            break;
    }
    return {};
}

std::string WithResultsExtension(std::string_view text) {
    std::string path(text);
    if (path.find(kResultsExtension) == std::string::npos) path += kResultsExtension;
    return path;
}

std::string BrowsedResultsPath(std::string_view chosen) {
    std::string path(chosen);
    if (path.find('.') == std::string::npos) path += kResultsExtension;
    return path;
}

bool ResultsFileUsable(const std::string& path) {
    if (FileExists(path)) return true;
    const std::string native = ToNative(path);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(native, ec))) return false;  // a folder or something else of that name
    std::FILE* f = std::fopen(native.c_str(), "wb");
    if (!f) return false;
    std::fclose(f);
    std::remove(native.c_str());
    return true;
}

bool ClearFolder(const std::string& folder) { return ClearFolderAt(fs::path(ToNative(folder))); }

bool StudyAsksOctane(StudyKind kind, int plantIndex) {
    return kind == StudyKind::OptimalActivity && plantIndex != kShortListingPlant;
}

std::string OctanePrompt(const std::string& sampleName) { return "Введите ОЧИ за " + sampleName; }

std::string OfferedOctaneText(const TRavionObj& run, char decimalSeparator) {
    return run.Done ? FormatGeneral(run.Results.octaneResearch, 15, decimalSeparator) : std::string();
}

double OctaneFromText(std::string_view text, char decimalSeparator) {
    double value = 0;
    if (WorkingConfiguration()) {
        // Typed as the engineer writes it: "96.0" and "96,0" alike.
        try {
            return TextToNumber(text);
        } catch (const UserError&) {
            throw UserError("ОЧИ «" + std::string(text) + "» не число; введите, например, 96.0.");
        }
    }
    if (!ParseStrictNumber(text, value, decimalSeparator)) {
        throw UserError("'" + std::string(text) + "' is not a valid floating point value");
    }
    return value;
}

void SetUpStudyRun(TRavionObj& run, const ProgramContext& context, StudyKind kind, const StudyFiles& files,
                   double targetOctane) {
    run.ConditionsPath = files.conditions;
    run.ResultsPath = files.results;
    run.CompositionPath = files.composition;
    const bool shortListing = context.plantIndex == kShortListingPlant;
    if (kind == StudyKind::OptimalActivity) {
        if (shortListing) {
            // No octane numbers in this plant's results: the activity is fitted
            // to the aromatics as in the reforming calculation.
            run.Mode = 0;
            run.PadResults = true;
        } else {
            run.TargetOctane = targetOctane;
            run.Mode = 1;
            run.PadResults = false;
        }
    } else {
        run.Mode = 2;
        run.PadResults = shortListing;
    }
    run.WriteBack = false;
    const std::string& modelBase = context.modelBaseFolder.empty() ? context.baseFolder : context.modelBaseFolder;
    run.ProgramPath = JoinPath(modelBase, ModelProgramName(context.plantIndex));
}

std::vector<std::string> StudySummaryLines(StudyKind kind, const std::string& sampleName, double processedFeed,
                                           const ResultsRecord& results, int plantIndex, char decimalSeparator) {
    auto general = [decimalSeparator](double v) { return FormatGeneral(v, 15, decimalSeparator); };
    std::vector<std::string> lines = {
        ProcessedFeedLine(sampleName, general(processedFeed)),
        StudyValueCaption(kind) + " катализатора составила " + general(results.activity) + ActivityUnitsText(),
    };
    if (plantIndex != kShortListingPlant) {
        // " (M.M.), " is written with Latin letters M, " (И.М.)." with Cyrillic ones.
        lines.push_back("Октановое число катализата: " + general(results.octaneMotor) + MotorMethodText() +
                        general(results.octaneResearch) + " (И.М.).");
    }
    return lines;
}

std::string ContinueStudyQuestion(const std::string& resultsFile) {
    return "Результаты сохранены в файле:\rрезультаты расчета                  " + resultsFile +
           "\rПродолжить исследования?";
}

}  // namespace rw
