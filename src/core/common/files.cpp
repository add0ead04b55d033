#include "common/files.h"

#include "common/configuration.h"
#include "common/errors.h"
#include "common/name_lookup.h"

#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace rw {
namespace {

// The run time's English text in the described configuration; in the
// working one a Russian sentence that names the file, so the user knows
// which of the many plant files to look for.
std::string ErrnoMessage(int err, const std::string& path) {
    switch (err) {
        case ENOENT: return FileNotFoundMessage(path);
        case EACCES:
        case EPERM:
        case EROFS: return FileAccessDeniedMessage(path);
        case ENOTDIR: return FileErrorMessage("Path not found", "Папка не найдена", path);
        default:
            return DescribedConfiguration() ? std::string(std::strerror(err))
                                            : "Ошибка файла " + ToNative(path) + ": " + std::strerror(err);
    }
}

fs::path P(const std::string& path) { return fs::path(ToNative(path)); }

// The path with the platform's separators only, names as written.
std::string MappedPath(std::string_view path) {
    std::string s(path);
#ifndef _WIN32
    std::replace(s.begin(), s.end(), '\\', '/');
#endif
    return s;
}

// The file's status, trying the spelling as written before looking the names
// up: most paths exist as the program writes them, and the reads of a
// formation or a summary table should not pay for a lookup each.
bool StatFound(const std::string& path, struct stat& st) {
    const std::string native = MappedPath(path);
    if (::stat(native.c_str(), &st) == 0) return true;
    if (errno != ENOENT && errno != ENOTDIR) return false;
    const std::string found = FindExistingNames(native);
    return found != native && ::stat(found.c_str(), &st) == 0;
}

}  // namespace

std::string FileErrorMessage(std::string_view described, std::string_view working, const std::string& path) {
    if (DescribedConfiguration()) return std::string(described);
    return std::string(working) + ": " + ToNative(path);
}

std::string FileNotFoundMessage(const std::string& path) {
    return FileErrorMessage("File not found", "Файл не найден", path);
}

std::string FileAccessDeniedMessage(const std::string& path) {
    return FileErrorMessage("File access denied", "Нет доступа к файлу", path);
}

std::string ToNative(std::string_view path) {
#ifndef _WIN32
    return FindExistingNames(MappedPath(path));
#else
    return std::string(path);
#endif
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string s(folder);
    if (!s.empty() && s.back() != '\\' && s.back() != '/') s += '\\';
    s += name;
    return s;
}

bool FileExists(const std::string& path) {
    struct stat st{};
    return StatFound(path, st) && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
    struct stat st{};
    return StatFound(path, st) && S_ISDIR(st.st_mode);
}

std::string ReadFileBytes(const std::string& path) {
    std::string native = MappedPath(path);
    int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 && (errno == ENOENT || errno == ENOTDIR)) {
        native = FindExistingNames(native);
        fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
    }
    if (fd < 0) throw UserError(ErrnoMessage(errno, path));
    struct stat st{};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        throw UserError(FileAccessDeniedMessage(path));
    }
    // Read straight into the result, sized by the file; a file that grows
    // meanwhile is read on to its end.
    std::string data;
    data.resize(st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1 : 4096);
    size_t used = 0;
    bool bad = false;
    while (true) {
        if (used == data.size()) data.resize(data.size() * 2);
        const ssize_t n = ::read(fd, data.data() + used, data.size() - used);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) bad = true;
        if (n <= 0) break;
        used += static_cast<size_t>(n);
    }
    ::close(fd);
    if (bad) throw UserError(FileErrorMessage("Read beyond end of file", "Файл не прочитан до конца", path));
    data.resize(used);
    return data;
}

std::vector<std::string> SplitLines(std::string_view b) {
    std::vector<std::string> lines;
    size_t start = 0, i = 0, n = b.size();
    while (i < n) {
        char c = b[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(b.substr(start, i - start));
            if (c == '\r' && i + 1 < n && b[i + 1] == '\n') ++i;
            ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n) lines.emplace_back(b.substr(start));
    return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

void WriteFileAtomic(const std::string& path, std::string_view bytes) {
    fs::path target = P(path);
    fs::path dir = target.parent_path();
    if (dir.empty()) dir = ".";
    std::error_code ec;
    const FolderState before = ParentFolderState(target.native());
    if (!before.known) throw UserError(FileErrorMessage("Path not found", "Папка не найдена", dir.string()));
    static std::mt19937_64 rng{std::random_device{}()};
    fs::path tmp = dir / ("." + target.filename().string() + ".tmp" + std::to_string(rng() % 1000000));
    FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) throw UserError(ErrnoMessage(errno, path));
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fflush(f) == 0) && ok;
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) {
        fs::remove(tmp, ec);
        throw UserError(FileErrorMessage("Disk full", "Диск заполнен, файл не записан", path));
    }
    if (std::rename(tmp.c_str(), target.c_str()) != 0) {
        int err = errno;
        fs::remove(tmp, ec);
        throw UserError(ErrnoMessage(err, path));
    }
    NoteOwnNameChange(target.native(), before, true);
}

void AppendToFile(const std::string& path, std::string_view bytes) {
    std::string native = ToNative(path);
    FILE* f = std::fopen(native.c_str(), "ab");
    if (!f) throw UserError(ErrnoMessage(errno, path));
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) throw UserError(FileErrorMessage("Disk full", "Диск заполнен, файл не записан", path));
}

void CopyFile(const std::string& from, const std::string& to) {
    std::string data = ReadFileBytes(from);
    WriteFileAtomic(to, data);
}

void CreateFolders(const std::string& path) {
    std::error_code ec;
    fs::create_directories(P(path), ec);
    if (ec && !fs::is_directory(P(path))) throw UserError(ErrnoMessage(ec.value(), path));
}

void DeleteFile(const std::string& path) {
    const std::string native = ToNative(path);
    const FolderState before = ParentFolderState(native);
    if (std::remove(native.c_str()) != 0) {
        if (errno != ENOENT) throw UserError(ErrnoMessage(errno, path));
        return;
    }
    NoteOwnNameChange(native, before, false);
}

std::vector<std::string> ListFiles(const std::string& folder, std::string_view pattern) {
    std::vector<std::string> names;
    std::error_code ec;
    std::string pat(pattern);
    for (fs::directory_iterator it(P(folder), ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        std::string name = it->path().filename().string();
        if (fnmatch(pat.c_str(), name.c_str(), FNM_CASEFOLD) == 0) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ProgramFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return ".";
    return exe.parent_path().string();
}

}  // namespace rw
