#include "shell/base_folder.h"

#include "common/errors.h"
#include "common/files.h"
#include "shell/plant_selection.h"
#include "shell/plant_table.h"

#include <unistd.h>

#include <cstdlib>

namespace rw {
namespace {

std::string WithoutTrailingSeparators(std::string folder) {
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
    return folder;
}

std::string Trimmed(const std::string& line) {
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const size_t last = line.find_last_not_of(" \t");
    return line.substr(first, last - first + 1);
}

}  // namespace

std::string UserBaseFolderSetting() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (config && *config == '/') {
        folder = config;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        folder = std::string(home) + "/.config";
    } else {
        return {};
    }
    return folder + "/reformer-workbench/base-folder";
}

std::string ReadBaseFolderSetting(const std::string& settingFile) {
    if (settingFile.empty() || !FileExists(settingFile)) return {};
    std::string bytes;
    try {
        bytes = ReadFileBytes(settingFile);
    } catch (const UserError&) {
        return {};  // an unreadable setting is no setting: the next source decides
    }
    for (const std::string& raw : SplitLines(bytes)) {
        const std::string line = Trimmed(raw);
        if (line.empty() || line[0] == '#') continue;
        return WithoutTrailingSeparators(line);
    }
    return {};
}

void WriteBaseFolderSetting(const std::string& settingFile, const std::string& folder) {
    if (settingFile.empty()) throw UserError("Не задана домашняя папка пользователя: выбор базовой папки не сохранен.");
    const size_t slash = settingFile.find_last_of('/');
    if (slash != std::string::npos && slash > 0) CreateFolders(settingFile.substr(0, slash));
    WriteFileAtomic(settingFile, WithoutTrailingSeparators(folder) + "\n");
}

std::string DefaultBaseFolder(const std::string& programFolder, const std::string& userSetting,
                              const std::string& systemSetting) {
    for (const std::string* setting : {&userSetting, &systemSetting}) {
        std::string folder = ReadBaseFolderSetting(*setting);
        if (!folder.empty()) return folder;
    }
    return BaseFolderOf(programFolder);
}

std::vector<std::string> BaseFolderProblems(const std::string& folder) {
    const std::string shown = ToNative(folder);
    if (!FolderExists(folder)) return {"Папка " + shown + " не найдена."};
    std::vector<std::string> problems;
    if (::access(shown.c_str(), R_OK | X_OK) != 0) problems.push_back("Папка " + shown + " недоступна для чтения.");
    if (::access(shown.c_str(), W_OK) != 0) problems.push_back("В папку " + shown + " нельзя записывать.");
    std::string missing;
    int missingCount = 0;
    for (int row = 0; row < kPlantCount; ++row) {
        for (const char* stem : {"l90.", "kfr1."}) {
            const std::string name = stem + GetNumU(row);
            if (FileExists(JoinPath(folder, name))) continue;
            missing += (missing.empty() ? "" : ", ") + name;
            ++missingCount;
        }
    }
    if (missingCount == 2 * kPlantCount) {
        problems.push_back("В папке " + shown + " нет файлов настроек установок (l90.1 … l90.17, kfr1.1 … kfr1.17): "
                           "это не базовая папка программы.");
    } else if (missingCount > 0) {
        problems.push_back("В папке " + shown + " нет файлов настроек установок: " + missing + ".");
    }
    return problems;
}

}  // namespace rw
