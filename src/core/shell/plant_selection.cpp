#include "shell/plant_selection.h"

#include "common/configuration.h"
#include "common/errors.h"
#include "common/file_lock.h"
#include "common/files.h"
#include "common/number_format.h"
#include "shell/plant_table.h"

#include <cstdlib>
#include <utility>

namespace rw {
namespace {

void CopyFractionSettings(const std::string& base, const std::string& n) {
    try {
        CopyFile(JoinPath(base, "kfr1." + n), JoinPath(base, "kfr1"));
    } catch (const UserError&) {
        // The fractional-composition settings are optional.
    }
}

}  // namespace

void SelectPlant(ProgramContext& c, int row) {
    if (row < 0 || row >= kPlantCount) throw UserError("List index out of bounds (" + std::to_string(row) + ")");
    const PlantRow& p = PlantTable()[static_cast<size_t>(row)];
    const std::string n = GetNumU(row);
    c.plantCaption = p.storedCaption;
    BaseFolderLock lock(c.baseFolder);

    // l90 is emptied first and filled line by line from l90.N.
    const std::string l90 = JoinPath(c.baseFolder, "l90");
    WriteFileAtomic(l90, "");
    std::string master = ReadFileBytes(JoinPath(c.baseFolder, "l90." + n));

    c.plantFolder = c.baseFolder + p.subPath;
    c.fractionFolder = c.plantFolder + "\\Fr";
    WriteFileAtomic(l90, JoinLinesCrLf(SplitLines(master)));
    c.fractionProgram = p.fractionProgram;
    c.researchFolder = c.plantFolder + "\\Issl";
    CopyFractionSettings(c.baseFolder, n);
    if (!FolderExists(c.fractionFolder)) CreateFolders(c.fractionFolder);
    if (!FolderExists(c.researchFolder)) CreateFolders(c.researchFolder);

    auto lines = SplitLines(ReadFileBytes(l90));
    c.reactorCount = ReactorCountFromLine(lines.empty() ? std::string() : lines[0]);
}

void EstablishPlantSettings(const ProgramContext& c) {
    if (c.plantIndex < 0 || c.plantIndex >= kPlantCount) return;
    BaseFolderLock lock(c.baseFolder);
    const std::string n = GetNumU(c.plantIndex);
    const std::string master = JoinPath(c.baseFolder, "l90." + n);
    // Plant selection has already insisted on the master copy; without it
    // there is nothing better to put in place than what is there.
    if (!FileExists(master)) return;
    WriteFileAtomic(JoinPath(c.baseFolder, "l90"), JoinLinesCrLf(SplitLines(ReadFileBytes(master))));
    CopyFractionSettings(c.baseFolder, n);
}

void FinishPlantSelection(ProgramContext& c, int row) { c.plantIndex = row; }

void ForgetSamplingDate(ProgramContext& c) {
    ProgramContext fresh;
    fresh.baseFolder = c.baseFolder;
    fresh.modelBaseFolder = c.modelBaseFolder;
    fresh.plantIndex = c.plantIndex;
    fresh.plantCaption = c.plantCaption;
    fresh.plantFolder = c.plantFolder;
    fresh.fractionFolder = c.fractionFolder;
    fresh.researchFolder = c.researchFolder;
    fresh.fractionProgram = c.fractionProgram;
    fresh.reactorCount = c.reactorCount;
    c = std::move(fresh);
}

std::string MainWindowCaption(const ProgramContext& c) {
    const std::string plant = " Установка: " + c.plantCaption;
    if (WorkingConfiguration() && c.sampleName.empty()) return plant;
    return plant + std::string(28, ' ') + "Дата отбора: " + c.sampleName;
}

std::string GetNumU(int row) { return std::to_string(row + 1); }

int ReactorCountFromLine(std::string_view line) {
    for (size_t i = 42; i < line.size(); ++i) {
        char ch = line[i];
        if (ch >= '0' && ch <= '9') {
            int count = ch - '0';
            if (count < 3) return 3;
            if (count > kMaxReactors) return kMaxReactors;
            return count;
        }
    }
    return 3;
}

namespace {

std::vector<double> NumbersOfLine(const std::string& l90Path, size_t lineIndex, size_t count) {
    auto lines = SplitLines(ReadFileBytes(l90Path));
    if (lineIndex >= lines.size()) throw UserError("Read beyond end of file");
    std::vector<double> out;
    std::string_view s = lines[lineIndex];
    size_t i = 0;
    while (out.size() < count) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
        size_t b = i;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t') ++i;
        double v = 0;
        if (b == i || !ParseStrictNumber(s.substr(b, i - b), v)) throw UserError("Invalid numeric input");
        out.push_back(v);
    }
    return out;
}

}  // namespace

std::array<double, 3> ReadReactorWeights(const std::string& l90Path) {
    auto v = NumbersOfLine(l90Path, 1, 3);
    return {v[0], v[1], v[2]};
}

double ReadPlantConstant(const std::string& l90Path) { return NumbersOfLine(l90Path, 6, 1)[0]; }

void DeleteBakFiles(const std::string& base) {
    // dan.bak may be another instance's running calculation.
    BaseFolderLock lock(base);
    for (const auto& name : ListFiles(base, "*.bak")) DeleteFile(JoinPath(base, name));
}

std::string BaseFolderOf(const std::string& programFolder) { return programFolder + "\\bin\\sk"; }

}  // namespace rw
