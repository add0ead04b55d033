#include "runs/model_programs.h"

#include "common/errors.h"
#include "common/files.h"
#include "common/name_lookup.h"
#include "common/sha256.h"
#include "shell/base_folder.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>

namespace rw {
namespace {

namespace fs = std::filesystem;

std::string& ModelsFolderOverride() {
    static std::string folder;
    return folder;
}

std::string UserName(unsigned uid) {
    struct passwd pw{};
    struct passwd* found = nullptr;
    char buffer[1024];
    if (::getpwuid_r(uid, &pw, buffer, sizeof buffer, &found) == 0 && found) return found->pw_name;
    return "с номером " + std::to_string(uid);
}

// A file opened without following a link, so that what is checked is what
// is read.
class OpenFile {
public:
    explicit OpenFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC)) {}
    ~OpenFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    bool Ok() const { return fd_ >= 0; }
    bool Stat(struct stat& st) const { return ::fstat(fd_, &st) == 0; }
    bool ReadAll(std::string& bytes) const {
        char buffer[65536];
        while (true) {
            const ssize_t got = ::read(fd_, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) return false;
            if (got == 0) return true;
            bytes.append(buffer, static_cast<size_t>(got));
        }
    }

private:
    int fd_;
};

std::string GroupName(unsigned gid) {
    struct group gr{};
    struct group* found = nullptr;
    char buffer[4096];
    if (::getgrgid_r(gid, &gr, buffer, sizeof buffer, &found) == 0 && found) return found->gr_name;
    return "с номером " + std::to_string(gid);
}

// What keeps a file or folder of the models folder from being root's alone.
std::string NotRootsProblem(const struct stat& st) { return ForeignWriteProblem(st.st_uid, st.st_gid, st.st_mode, 0); }

bool IsHexDigest(const std::string& text) {
    if (text.size() != 64) return false;
    for (char ch : text) {
        if (!((ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f'))) return false;
    }
    return true;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size()) break;
        size_t end = line.find_first_of(" \t", i);
        if (end == std::string::npos) end = line.size();
        fields.push_back(line.substr(i, end - i));
        i = end;
    }
    return fields;
}

std::string UtcStamp(std::time_t when) {
    std::tm tm{};
    ::gmtime_r(&when, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return text;
}

// Writes root's file `path` (mode `mode`) through a temporary name in its
// folder, so a reader never meets half of it.
void WriteRootsFile(const std::string& path, const std::string& bytes, mode_t mode) {
    const std::string temporary = path + ".installing";
    ::unlink(temporary.c_str());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) throw UserError("Не удалось записать файл " + path + ": " + std::strerror(errno));
    size_t done = 0;
    bool ok = true;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            ok = false;
            break;
        }
        done += static_cast<size_t>(put);
    }
    const int error = errno;
    ok = ok && ::fchown(fd, 0, 0) == 0 && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    ::close(fd);
    if (!ok || ::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(ok ? errno : error);
        ::unlink(temporary.c_str());
        throw UserError("Не удалось записать файл " + path + ": " + reason);
    }
}

// The bytes of the installed programs this process has checked, kept in a
// private folder of its own until it ends: a fitting starts the model tens of
// times, and hashing and copying megabytes at every start made a calculation
// several times slower. A program is taken as the one checked while it is
// the same file (device and inode: a new installation renames a new file into
// place) with the same size and times; the owner and permission checks, which
// keep everyone but root from changing it, still run at every start.
struct CheckedCopy {
    struct stat st{};
    std::string sha256;
    std::string file;
    bool Same(const struct stat& now) const {
        return now.st_dev == st.st_dev && now.st_ino == st.st_ino && now.st_size == st.st_size &&
               now.st_mtim.tv_sec == st.st_mtim.tv_sec && now.st_mtim.tv_nsec == st.st_mtim.tv_nsec &&
               now.st_ctim.tv_sec == st.st_ctim.tv_sec && now.st_ctim.tv_nsec == st.st_ctim.tv_nsec;
    }
};

struct CheckedCopies {
    std::map<std::string, CheckedCopy> byPath;
    std::string folder;
    int count = 0;
    ~CheckedCopies() {
        std::error_code ec;
        if (!folder.empty()) fs::remove_all(folder, ec);
    }
    // Writes checked bytes into the private folder; the file's path.
    std::string Keep(const std::string& bytes, const std::string& installedPath) {
        std::error_code ec;
        if (folder.empty()) {
            std::string pattern = (fs::temp_directory_path(ec) / "reformer-checked-XXXXXX").string();
            if (ec || !::mkdtemp(pattern.data())) {
                throw UserError("Не удалось подготовить запуск программы " + installedPath + ": " + std::strerror(errno));
            }
            folder = pattern;
        }
        const std::string file = folder + "/" + std::to_string(++count);
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0700);
        bool ok = fd >= 0;
        for (size_t done = 0; ok && done < bytes.size();) {
            const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (put < 0 && errno == EINTR) continue;
            ok = put > 0;
            if (ok) done += static_cast<size_t>(put);
        }
        if (fd >= 0 && ::close(fd) != 0) ok = false;
        if (!ok) {
            const std::string reason = std::strerror(errno);
            ::unlink(file.c_str());
            throw UserError("Не удалось подготовить запуск программы " + installedPath + ": " + reason);
        }
        return file;
    }
};

CheckedCopies& Checked() {
    static CheckedCopies copies;
    return copies;
}

}  // namespace

std::string InstalledModelsFolder() {
    if (!ModelsFolderOverride().empty()) return ModelsFolderOverride();
    return ToNative(ProgramFolder()) + "/" + kModelsFolderName;
}

void SetInstalledModelsFolder(const std::string& folder) { ModelsFolderOverride() = folder; }

std::vector<InstalledModel> ParseModelRecord(const std::string& bytes, const std::string& path) {
    std::vector<InstalledModel> record;
    const std::vector<std::string> lines = SplitLines(bytes);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string> f = Fields(lines[i]);
        if (f.empty()) continue;
        if (f.size() != 4 || !IsHexDigest(f[0]) || !IsModelProgramName(f[1])) {
            throw UserError("Список установленных программ модели " + path + " испорчен: строка " +
                            std::to_string(i + 1) + " — не «контрольная сумма, имя, кто, когда».");
        }
        record.push_back({f[0], f[1], f[2], f[3]});
    }
    return record;
}

std::string FormatModelRecord(const std::vector<InstalledModel>& record) {
    std::string out;
    for (const InstalledModel& m : record) {
        out += m.sha256 + " " + m.name + " " + m.installedBy + " " + m.installedAt + "\n";
    }
    return out;
}

bool IsModelProgramName(const std::string& name) {
    if (name.empty() || name.front() == '.' || name.size() > 255) return false;
    for (unsigned char ch : name) {
        if (ch <= ' ' || ch == '/' || ch == '\\' || ch == 0x7F) return false;
    }
    return true;
}

InstalledModel InstallModel(const std::string& file, const std::string& name, const std::string& who,
                            std::time_t when, const std::string& modelsFolder) {
    if (!IsModelProgramName(name)) {
        throw UserError("Имя программы модели «" + name +
                        "» не подходит: нужно имя файла без папки, без пробелов и не с точки в начале.");
    }
    std::string bytes;
    {
        OpenFile in(file);
        struct stat st{};
        if (!in.Ok() || !in.Stat(st) || !S_ISREG(st.st_mode) || !in.ReadAll(bytes)) {
            throw UserError("Не удалось прочитать программу модели " + file + ": " +
                            (in.Ok() ? "это не обычный файл" : std::strerror(errno)) + ".");
        }
    }
    // The folder and everything in it are root's and changeable by root alone:
    // the checks before every start insist on it.
    std::error_code ec;
    fs::create_directories(modelsFolder, ec);
    if (ec || ::chown(modelsFolder.c_str(), 0, 0) != 0 || ::chmod(modelsFolder.c_str(), 0755) != 0) {
        throw UserError("Не удалось подготовить папку моделей " + modelsFolder + ": " +
                        (ec ? ec.message() : std::string(std::strerror(errno))) + ".");
    }
    const std::string recordPath = modelsFolder + "/" + kModelRecordFile;
    std::vector<InstalledModel> record;
    {
        OpenFile in(recordPath);
        std::string text;
        if (in.Ok() && in.ReadAll(text)) record = ParseModelRecord(text, recordPath);
    }
    const std::string key = FoldNameCase(name);
    for (auto it = record.begin(); it != record.end();) {
        if (FoldNameCase(it->name) == key) {
            if (it->name != name) ::unlink((modelsFolder + "/" + it->name).c_str());
            it = record.erase(it);
        } else {
            ++it;
        }
    }
    InstalledModel entry{Sha256Hex(bytes), name, who.empty() ? "root" : who, UtcStamp(when)};
    for (char& ch : entry.installedBy) {
        if (ch == ' ' || ch == '\t') ch = '_';
    }
    WriteRootsFile(modelsFolder + "/" + name, bytes, 0755);
    record.push_back(entry);
    WriteRootsFile(recordPath, FormatModelRecord(record), 0644);
    return entry;
}

std::string ForeignWriteProblem(unsigned owner, unsigned group, unsigned mode, unsigned uid) {
    if (owner != 0 && owner != uid) return "может изменить владелец, пользователь " + UserName(owner);
    if (mode & S_IWOTH) return "может изменить любой пользователь";
    if (mode & S_IWGRP) return "может изменить любой член группы " + GroupName(group);
    return {};
}

namespace {

// A user's own group, as many systems give every user one of the same name
// and no other member (and a umask of 002 with it): its write permission
// lets nobody else in, so a build or a base folder of one's own made under
// it is still one's own. root's group is never taken for one.
bool IsPrivateGroupOf(unsigned group, unsigned owner) {
    if (group == 0 || owner == 0) return false;
    struct group gr{};
    struct group* found = nullptr;
    char buffer[16384];
    if (::getgrgid_r(group, &gr, buffer, sizeof buffer, &found) != 0 || !found) return false;
    const std::string name = UserName(owner);
    if (name != found->gr_name) return false;
    for (char** member = found->gr_mem; member && *member; ++member) {
        if (name != *member) return false;
    }
    return true;
}

unsigned WithoutPrivateGroupWrite(const struct stat& st) {
    return IsPrivateGroupOf(st.st_gid, st.st_uid) ? st.st_mode & ~static_cast<unsigned>(S_IWGRP) : st.st_mode;
}

}  // namespace

ProgramTrust AssessProgramFile(const std::string& nativePath, unsigned uid) {
    ProgramTrust trust;
    const fs::path path(nativePath);
    const std::string folder = path.parent_path().empty() ? "." : path.parent_path().string();
    struct stat file{}, dir{};
    if (::stat(nativePath.c_str(), &file) != 0 || ::stat(folder.c_str(), &dir) != 0) {
        trust.problem = "программа недоступна";
        return trust;
    }
    if (std::string p = ForeignWriteProblem(file.st_uid, file.st_gid, WithoutPrivateGroupWrite(file), uid); !p.empty()) {
        trust.problem = "её " + p;
    } else if (std::string q = ForeignWriteProblem(dir.st_uid, dir.st_gid, WithoutPrivateGroupWrite(dir), uid);
               !q.empty()) {
        trust.problem = "её папку " + folder + " " + q;
    } else {
        trust.inPlace = true;
        trust.usersOwn = file.st_uid == uid && uid != 0;
    }
    return trust;
}

std::string CheckedInstalledCopy(const std::string& name, std::string& privateFolder, const std::string& modelsFolder) {
    privateFolder.clear();
    const std::string recordPath = modelsFolder + "/" + kModelRecordFile;
    OpenFile recordFile(recordPath);
    if (!recordFile.Ok()) return {};
    struct stat st{};
    if (::lstat(modelsFolder.c_str(), &st) != 0) return {};
    // A link's own owner and permissions say nothing of where it leads.
    if (!S_ISDIR(st.st_mode)) {
        throw UserError(RefusedProgramMessage(modelsFolder + "/" + name,
                                              "папка моделей " + modelsFolder + " — ссылка, а не папка", name));
    }
    if (std::string p = NotRootsProblem(st); !p.empty()) {
        throw UserError(RefusedProgramMessage(modelsFolder + "/" + name, "папку моделей " + modelsFolder + " " + p, name));
    }
    std::string text;
    if (!recordFile.Stat(st) || !recordFile.ReadAll(text)) {
        throw UserError(RefusedProgramMessage(modelsFolder + "/" + name, "не удалось прочитать " + recordPath, name));
    }
    if (std::string p = NotRootsProblem(st); !p.empty()) {
        throw UserError(RefusedProgramMessage(modelsFolder + "/" + name, "список программ " + recordPath + " " + p, name));
    }
    const std::vector<InstalledModel> record = ParseModelRecord(text, recordPath);
    const InstalledModel* entry = nullptr;
    for (const InstalledModel& m : record) {
        if (FoldNameCase(m.name) == FoldNameCase(name)) entry = &m;
    }
    if (!entry) return {};

    const std::string path = modelsFolder + "/" + entry->name;
    OpenFile program(path);
    std::string bytes;
    if (!program.Ok() || !program.Stat(st) || !S_ISREG(st.st_mode)) {
        throw UserError(RefusedProgramMessage(path, "файла нет или это не обычный файл", entry->name));
    }
    if (std::string p = NotRootsProblem(st); !p.empty()) {
        throw UserError(RefusedProgramMessage(path, "её " + p, entry->name));
    }
    CheckedCopies& checked = Checked();
    auto known = checked.byPath.find(path);
    if (known == checked.byPath.end() || !known->second.Same(st) || known->second.sha256 != entry->sha256) {
        if (!program.ReadAll(bytes)) {
            throw UserError(RefusedProgramMessage(path, std::string("не удалось прочитать файл: ") + std::strerror(errno),
                                                  entry->name));
        }
        if (Sha256Hex(bytes) != entry->sha256) {
            throw UserError(RefusedProgramMessage(
                path, "файл изменён после установки (" + entry->installedAt + ", " + entry->installedBy +
                          "): его контрольная сумма не совпадает с записанной в " + recordPath,
                entry->name));
        }
        const std::string file = checked.Keep(bytes, path);
        known = checked.byPath.insert_or_assign(path, CheckedCopy{st, entry->sha256, file}).first;
    }

    std::error_code ec;
    std::string folder = (fs::temp_directory_path(ec) / "reformer-model-XXXXXX").string();
    if (ec || !::mkdtemp(folder.data())) {
        throw UserError("Не удалось подготовить запуск программы " + path + ": " + std::strerror(errno));
    }
    // Under the name it was asked for: programs may go by their own name.
    const std::string copy = folder + "/" + (IsModelProgramName(name) ? name : entry->name);
    fs::create_hard_link(known->second.file, copy, ec);
    if (ec) fs::copy_file(known->second.file, copy, ec);
    if (ec) {
        const std::string reason = ec.message();
        fs::remove_all(folder, ec);
        throw UserError("Не удалось подготовить запуск программы " + path + ": " + reason);
    }
    privateFolder = folder;
    return copy;
}

bool IsInstalledModel(const std::string& name, const std::string& modelsFolder) {
    OpenFile in(modelsFolder + "/" + kModelRecordFile);
    std::string text;
    if (!in.Ok() || !in.ReadAll(text)) return false;
    try {
        for (const InstalledModel& m : ParseModelRecord(text, {})) {
            if (FoldNameCase(m.name) == FoldNameCase(name)) return true;
        }
    } catch (const UserError&) {
    }
    return false;
}

bool ModelProgramExists(const std::string& programPath) {
    if (FileExists(programPath)) return true;
    const size_t slash = programPath.find_last_of("\\/");
    return IsInstalledModel(slash == std::string::npos ? programPath : programPath.substr(slash + 1));
}

std::string RefusedProgramMessage(const std::string& file, const std::string& problem, const std::string& name) {
    return "Программа модели " + file + " не запущена: " + problem +
           ". Программы модели ставит администратор: sudo reformer-cli install-model ФАЙЛ --as " + name +
           ". Результаты расчета не сохранены.";
}

OwnProgramsNotice& OwnPrograms() {
    static OwnProgramsNotice notice;
    return notice;
}

std::string OwnProgramsNotice::DefaultToldFile() {
    const std::string setting = UserBaseFolderSetting();
    if (setting.empty()) return {};
    return fs::path(setting).parent_path().string() + "/own-model-folders";
}

void TellOwnProgramsOnce(const std::string& nativeFolder) {
    OwnProgramsNotice& own = OwnPrograms();
    if (!own.onNotice || !own.toldFolders.insert(nativeFolder).second) return;
    if (!own.toldFile.empty()) {
        std::string told;
        OpenFile in(own.toldFile);
        if (in.Ok() && in.ReadAll(told)) {
            for (const std::string& line : SplitLines(told)) {
                if (line == nativeFolder) return;
            }
        }
        std::error_code ec;
        fs::create_directories(fs::path(own.toldFile).parent_path(), ec);
        try {
            WriteFileAtomic(own.toldFile, told + nativeFolder + "\n");
        } catch (const UserError&) {
            // Told again next time, no worse.
        }
    }
    own.onNotice("Программы модели запускаются из вашей собственной базовой папки " + nativeFolder +
                 ": они принадлежат вам, и заменять, обновлять и проверять их — ваше дело. Общая установка "
                 "проверяет только программы, поставленные администратором в папку моделей " +
                 InstalledModelsFolder() + ".");
}

}  // namespace rw
