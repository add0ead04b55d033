#pragma once
#include <string>
#include <vector>

namespace rw {

// Where the base folder is. The program and reformer-cli take it, in this
// order, from `--base DIR`, from the user's setting (chosen in the program's
// menu), from the administrator's default for the machine, and else the
// folder bin/sk beside the program. Each setting file holds the folder on its
// first line; lines starting with '#' and blank lines are skipped.

// The administrator's default.
inline constexpr const char* kSystemBaseFolderSetting = "/etc/reformer-workbench/base-folder";

// The user's setting: $XDG_CONFIG_HOME/reformer-workbench/base-folder, or
// ~/.config/reformer-workbench/base-folder.
std::string UserBaseFolderSetting();

// The folder a setting file names, without a trailing separator; empty when
// the file is missing or names none.
std::string ReadBaseFolderSetting(const std::string& settingFile);

// Writes the user's choice, creating the setting's folder. Throws UserError
// when it cannot be written.
void WriteBaseFolderSetting(const std::string& settingFile, const std::string& folder);

// The base folder when no `--base` was given.
std::string DefaultBaseFolder(const std::string& programFolder,
                              const std::string& userSetting = UserBaseFolderSetting(),
                              const std::string& systemSetting = kSystemBaseFolderSetting);

// What keeps `folder` from serving as a base folder, one sentence each: it is
// missing or not a folder, cannot be read or written, or lacks plant settings
// files l90.N and kfr1.N (in any letter case). Empty when it can serve.
std::vector<std::string> BaseFolderProblems(const std::string& folder);

}  // namespace rw
