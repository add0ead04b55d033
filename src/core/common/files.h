#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace rw {

// Paths inside the program are composed with '\', as every path of the plant
// data is written; ToNative maps them to the platform separator at the point
// where a file is opened, and finds every name that exists whatever its
// letter case (FindExistingNames: names copied from Windows keep their case
// there). Names that do not exist stay as written. Throws UserError when a
// name is there only in two case variants.
std::string ToNative(std::string_view path);
// Joins with the program's separator '\'.
std::string JoinPath(std::string_view folder, std::string_view name);

// The message of a failed file operation: `described` (the run time's
// English text) in the described configuration, otherwise `working` (a
// Russian text) followed by ": " and the file's native path.
std::string FileErrorMessage(std::string_view described, std::string_view working, const std::string& path);
// "File not found" / "Файл не найден: <path>".
std::string FileNotFoundMessage(const std::string& path);
// "File access denied" / "Нет доступа к файлу: <path>".
std::string FileAccessDeniedMessage(const std::string& path);

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);

// Whole file as bytes. Throws UserError("File not found") when the file is
// missing, "File access denied" when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// Lines of a text, accepting CR LF, LF and CR. A final line without an end is
// kept; a final line end does not make an empty last line.
std::vector<std::string> SplitLines(std::string_view bytes);

// Joins lines, each ended by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

// Writes the whole file through a temporary file in the same folder that is
// renamed into place, so a failure never leaves a half-written file where a
// good one stood. Throws UserError("File access denied") (or the system's
// message) when the file cannot be written.
void WriteFileAtomic(const std::string& path, std::string_view bytes);

// Appends bytes at the end of the file, creating it if missing.
void AppendToFile(const std::string& path, std::string_view bytes);

// Copies a file, replacing the target. Throws UserError on failure.
void CopyFile(const std::string& from, const std::string& to);

// Creates the folder with every missing parent. Throws UserError on failure.
void CreateFolders(const std::string& path);

// Deletes a file; throws UserError when it exists and cannot be deleted.
void DeleteFile(const std::string& path);

// Names (not paths) of the files in `folder` matching a pattern with '*' and
// '?', sorted. Letter case does not count, as on the file systems the plant
// data comes from ("*.bak" also finds "DAN.BAK"). A missing folder gives no
// names.
std::vector<std::string> ListFiles(const std::string& folder, std::string_view pattern);

// Folder of the running executable (no trailing separator), in the program's
// '\' notation.
std::string ProgramFolder();

}  // namespace rw
