#pragma once
#include <ctime>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace rw {

// Where the model programs may come from.
//
// Every engineer's calculation starts the model programs with that
// engineer's rights. A program that someone else can change is therefore not
// started from where it lies: only programs that nobody but root and the
// running user can change run in place. That is a base folder of one's own
// (a copy given with --base or chosen in the menu, with its programs owned by
// the user), the build tree, or an installation nobody has opened to a group.
//
// The shared installation's base folder is writable by the group "reformer",
// so its programs live apart, in the installation's models folder
// (<program folder>/models), owned by root, and are recorded there with their
// checksums by `reformer-cli install-model`. A program to be started from a
// folder that others can change, or missing from the base folder, is looked
// up by its name (in any letter case) in that record, checked, and started
// from a private copy of the checked bytes, so that nothing can be swapped
// between the check and the start.

inline constexpr const char* kModelsFolderName = "models";
// Lines "<sha256> <name> <installed by> <installed at, UTC YYYY-MM-DDTHH:MM:SSZ>",
// one a program, in the models folder.
inline constexpr const char* kModelRecordFile = "installed-models.sha256";

struct InstalledModel {
    std::string sha256;
    std::string name;
    std::string installedBy;
    std::string installedAt;
};

// The installation's models folder, native path: <program folder>/models
// unless SetInstalledModelsFolder chose another one (tests).
std::string InstalledModelsFolder();
void SetInstalledModelsFolder(const std::string& folder);

// The record, read. A missing file is an empty record. Throws UserError
// naming the file and the line for a line that is not four fields with a
// 64-digit checksum.
std::vector<InstalledModel> ParseModelRecord(const std::string& bytes, const std::string& path);
std::string FormatModelRecord(const std::vector<InstalledModel>& record);

// Whether `name` can be a program's name in the models folder: a plain file
// name, no folder, no blanks, not starting with '.'.
bool IsModelProgramName(const std::string& name);

// Puts `file` into `modelsFolder` under `name` (root's, rwxr-xr-x) and
// records its checksum, `who` and `when`, replacing an earlier entry of that
// name in any letter case (and its file). The folder is created root's,
// rwxr-xr-x, and made so again when it exists. Must run as root. Throws
// UserError naming the file when the name cannot be taken, the file cannot
// be read, or the folder or record cannot be written. Returns the entry.
InstalledModel InstallModel(const std::string& file, const std::string& name, const std::string& who,
                            std::time_t when, const std::string& modelsFolder = InstalledModelsFolder());

// Who besides root and `uid` can change a file or folder, as the end of a
// sentence after its name in the accusative ("… может изменить любой член
// группы reformer"); empty when nobody else can.
std::string ForeignWriteProblem(unsigned owner, unsigned group, unsigned mode, unsigned uid);

// How a resolved program file may be started.
struct ProgramTrust {
    bool inPlace = false;    // only root and the running user can change it and its folder
    bool usersOwn = false;   // and it is the running user's own (not root's)
    std::string problem;     // why not in place: "<what> <problem>"
};
// A group write permission counts only when the group is not the owner's
// private one (named as the owner, no other member).
ProgramTrust AssessProgramFile(const std::string& nativePath, unsigned uid);

// The checked program of the models folder: the record and the folder are
// root's and writable by root alone, the program is recorded under `name`
// (any letter case), is root's, writable by root alone, and its bytes have
// the recorded checksum. Its bytes are written to a new private folder and
// the copy's native path returned; the caller removes `privateFolder`.
// Returns empty, with nothing made, when `name` is not in the record (or the
// folder has no record). Throws UserError(message naming the file and what is
// wrong) for every failed check.
std::string CheckedInstalledCopy(const std::string& name, std::string& privateFolder,
                                 const std::string& modelsFolder = InstalledModelsFolder());

// Whether the models folder's record names `name` (any letter case); false
// when there is no record or it cannot be read. Checks nothing else: the
// start does.
bool IsInstalledModel(const std::string& name, const std::string& modelsFolder = InstalledModelsFolder());

// Whether a program file of the base folder can be started: it is there,
// or the models folder's record holds a program of its name. For the checks
// of a calculation's inputs; the start checks the rest.
bool ModelProgramExists(const std::string& programPath);

// The message of a program that is not started: "Программа модели <file> не
// запущена: <problem>. Программы модели ставит администратор: sudo
// reformer-cli install-model ФАЙЛ --as <name>. Результаты расчета не
// сохранены."
std::string RefusedProgramMessage(const std::string& file, const std::string& problem, const std::string& name);

// The one notice given when a base folder of one's own supplies its own
// programs: told once per folder, through onNotice (nothing when it is
// unset). The folders told are remembered in `toldFile` (beside the user's
// base-folder setting: own-model-folders, one a line), so that neither the
// program nor each run of reformer-cli repeats it; a file that cannot be
// written only means being told again next time.
struct OwnProgramsNotice {
    std::function<void(const std::string& notice)> onNotice;
    std::set<std::string> toldFolders;
    std::string toldFile = DefaultToldFile();
    static std::string DefaultToldFile();
};
OwnProgramsNotice& OwnPrograms();
void TellOwnProgramsOnce(const std::string& nativeFolder);

}  // namespace rw
