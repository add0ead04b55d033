#include "runs/base_check.h"

#include "common/dates.h"
#include "common/errors.h"
#include "common/files.h"
#include "common/name_lookup.h"
#include "composition/composition_file.h"
#include "conditions/conditions_file.h"
#include "results/results_file.h"
#include "results/results_index.h"
#include "runs/external_program.h"
#include "runs/model_programs.h"
#include "shell/base_folder.h"
#include "shell/plant_selection.h"
#include "shell/plant_table.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace rw {
namespace {

// A sampling date folder is named dd-mm-yy, as data entry names it.
bool IsDateFolderName(const std::string& name) {
    if (name.size() != 8 || name[2] != '-' || name[5] != '-') return false;
    for (size_t i : {0, 1, 3, 4, 6, 7}) {
        if (name[i] < '0' || name[i] > '9') return false;
    }
    return true;
}

std::vector<std::string> SubFolders(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(ToNative(folder), ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_directory(ec)) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Message(const std::function<void()>& read) {
    try {
        read();
    } catch (const UserError& e) {
        return e.what();
    }
    return {};
}

class Checker {
public:
    explicit Checker(std::string base) { report_.baseFolder = std::move(base); }

    BaseCheckReport Run() {
        const std::string& base = report_.baseFolder;
        Line("Проверка базовой папки " + ToNative(base));
        const std::vector<std::string> problems = BaseFolderProblems(base);
        for (const std::string& p : problems) Error(p);
        if (!FolderExists(base)) return std::move(report_);
        Collisions();
        if (!FolderExists(JoinPath(base, "Basa"))) Error("Нет папки базы компонентов Basa: состав не сформировать.");
        for (int row = 0; row < kPlantCount; ++row) Plant(row);
        Programs();
        return std::move(report_);
    }

private:
    void Line(const std::string& text) { report_.lines.push_back(text); }
    void Finding(bool stops, const std::string& text) {
        report_.findings.push_back({stops, text});
        Line(std::string(stops ? "  ОШИБКА: " : "  Внимание: ") + text);
    }
    void Error(const std::string& text) { Finding(true, text); }
    void Warning(const std::string& text) { Finding(false, text); }

    // Names that Windows held for one and that this system keeps apart: a
    // lookup without the exact name cannot choose between them.
    void Collisions() {
        std::error_code ec;
        const fs::path root = ToNative(report_.baseFolder);
        std::vector<fs::path> folders{root};
        for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
            if (it->is_directory(ec) && !it->is_symlink(ec)) folders.push_back(it->path());
        }
        for (const fs::path& folder : folders) {
            std::map<std::string, std::vector<std::string>> byFolded;
            for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
                const std::string name = it->path().filename().string();
                byFolded[FoldNameCase(name)].push_back(name);
            }
            for (auto& [folded, names] : byFolded) {
                if (names.size() < 2) continue;
                std::sort(names.begin(), names.end());
                std::string listed;
                for (const std::string& n : names) listed += (listed.empty() ? "" : " и ") + n;
                Error("В папке " + folder.string() + " имена различаются только регистром букв: " + listed +
                      "; программа найдет только точное имя, оставьте одно из них.");
            }
        }
    }

    void Plant(int row) {
        const PlantRow& plant = PlantTable()[static_cast<size_t>(row)];
        const std::string base = report_.baseFolder;
        const std::string n = GetNumU(row);
        const std::string folder = base + plant.subPath;
        const std::string history = JoinPath(base, "svod." + n);
        const bool hasFolder = FolderExists(folder), hasHistory = FileExists(history);
        if (!hasFolder && !hasHistory) return;
        Line("");
        Line("Установка " + n + ": " + plant.listCaption + ", папка " + ToNative(folder) +
             (hasFolder ? "" : " (нет папки)"));
        std::set<std::string> datesWithResults;
        int dates = 0;
        if (hasFolder) {
            for (const std::string& name : SubFolders(folder)) {
                if (!IsDateFolderName(name)) continue;
                ++dates;
                if (SamplingDate(JoinPath(folder, name), name)) datesWithResults.insert(name);
            }
        }
        Line("  Дат отбора: " + std::to_string(dates) + ", с результатами расчета: " +
             std::to_string(datesWithResults.size()));
        if (hasHistory) History(history, datesWithResults);
        else Line("  История svod." + n + ": нет (будет создана первым расчетом)");
        plantsWithData_.insert(row);
    }

    // One date folder; true when it holds a readable results file.
    bool SamplingDate(const std::string& folder, const std::string& name) {
        const std::string dan = JoinPath(folder, name + ".dan");
        const std::string sk = JoinPath(folder, name + ".sk");
        const std::string rez = JoinPath(folder, name + ".rez");
        const std::string dotted = name.substr(0, 2) + "." + name.substr(3, 2) + "." + name.substr(6, 2);
        std::string shown = "  " + name + ":";
        // A file that cannot be read stops the calculation of its date; a
        // results file only loses that date's place in the tables.
        std::vector<BaseCheckFinding> later;
        auto check = [&](const std::string& path, const char* what, bool stops,
                         const std::function<std::string()>& read) {
            if (!FileExists(path)) {
                shown += std::string(" ") + what + " нет;";
                return false;
            }
            std::string inside;
            const std::string message = Message([&] { inside = read(); });
            if (!message.empty()) {
                shown += std::string(" ") + what + " не читается;";
                later.push_back({stops, message});
                return false;
            }
            shown += std::string(" ") + what + " есть;";
            if (!inside.empty() && inside != dotted) {
                mismatches_.push_back("Папка " + ToNative(folder) + ": в файле " + ToNative(path) + " дата отбора " +
                                      inside + ", а не " + dotted + ".");
            }
            return true;
        };
        check(dan, "условия", true, [&] {
            std::string date = ReadConditionsByPosition(dan).conditions.samplingDateText;
            std::replace(date.begin(), date.end(), '-', '.');
            return date;
        });
        check(sk, "состав", true, [&] {
            ReadCompositionFile(sk);
            return std::string();
        });
        const bool results = check(rez, "результаты", false, [&] { return FormatDateShort(ReadResultsFile(rez).sampleDate); });
        if (!shown.empty() && shown.back() == ';') shown.pop_back();
        Line(shown);
        for (const BaseCheckFinding& f : later) Finding(f.stopsCalculation, f.text);
        for (const std::string& m : mismatches_) Warning(m);
        mismatches_.clear();
        return results;
    }

    void History(const std::string& path, const std::set<std::string>& datesWithResults) {
        std::vector<ResultsRecord> records;
        const std::string message = Message([&] { records = ReadResultsIndex(path); });
        const std::string name = fs::path(ToNative(path)).filename().string();
        if (!message.empty()) {
            Line("  История " + name + ": не читается");
            Error(message);
            return;
        }
        Line("  История " + name + ": записей " + std::to_string(records.size()));
        std::string orphans;
        for (const ResultsRecord& r : records) {
            std::string date = FormatDateShort(r.sampleDate, '-');
            if (!datesWithResults.count(date)) orphans += (orphans.empty() ? "" : ", ") + date;
        }
        if (!orphans.empty()) {
            Warning("В истории " + ToNative(path) + " есть записи без файла результатов в папке даты: " + orphans + ".");
        }
    }

    void Programs() {
        Line("");
        Line("Программы расчета в " + ToNative(report_.baseFolder) + ":");
        std::map<std::string, std::string> programs;  // program -> the plants with data that need it
        auto need = [&](const std::string& program, int row) {
            std::string& plants = programs[program];
            if (plantsWithData_.count(row)) plants += (plants.empty() ? "" : ", ") + GetNumU(row);
        };
        for (int row = 0; row < kPlantCount; ++row) {
            need(ModelProgramName(row), row);
            programs[PlantTable()[static_cast<size_t>(row)].fractionProgram];
        }
        programs["selvin.exe"];
        for (const auto& [program, plants] : programs) {
            const std::string path = JoinPath(report_.baseFolder, program);
            if (FileExists(path)) {
                const std::string found = fs::path(ToNative(path)).filename().string();
                Line("  " + program + ": есть" + (found == program ? "" : " (" + found + ")"));
                continue;
            }
            if (IsInstalledModel(program)) {
                Line("  " + program + ": есть в папке моделей установки " + InstalledModelsFolder());
                continue;
            }
            Line("  " + program + ": нет");
            if (!plants.empty()) {
                Error("Нет программы " + program + ": расчет установок " + plants + " не выполнить.");
            }
        }
    }

    BaseCheckReport report_;
    std::set<int> plantsWithData_;
    std::vector<std::string> mismatches_;
};

}  // namespace

int BaseCheckReport::Errors() const {
    return static_cast<int>(std::count_if(findings.begin(), findings.end(), [](const auto& f) { return f.stopsCalculation; }));
}

int BaseCheckReport::Warnings() const { return static_cast<int>(findings.size()) - Errors(); }

std::string BaseCheckReport::Text() const {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    text += "\nИтог: ошибок, мешающих расчету: " + std::to_string(Errors()) +
            "; предупреждений: " + std::to_string(Warnings()) + ".\n";
    return text;
}

BaseCheckReport CheckBaseFolder(const std::string& baseFolder) { return Checker(baseFolder).Run(); }

}  // namespace rw
