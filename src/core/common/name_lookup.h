#pragma once
#include <string>
#include <string_view>

namespace rw {

// Plant data comes from Windows machines, where "HORNEL\SVOD.12" and
// "Hornel\svod.12" are one file. FindExistingNames gives the native path
// (separators already '/') with every component that exists on disk under
// another letter case replaced by its name there, so the program reads and
// rewrites the file the user has instead of creating a second one beside it.
// A component with no file of that name in any case keeps its spelling, and so
// do all after it: new files and folders get the names the program writes.
//
// An exact name always wins. Without one, two or more names that differ only
// by case are ambiguous: throws UserError naming both (see
// AmbiguousNameMessage). Letter case is folded for Latin and Cyrillic letters.
//
// Folder listings are cached and taken again when the folder changes; a
// listing taken within two seconds of the folder's last change is not trusted,
// since file times on some file systems are coarser than the changes.
std::string FindExistingNames(std::string_view nativePath);

// "В папке <folder> есть два имени, различающиеся только регистром букв: <a>
// и <b>; оставьте одно из них."
std::string AmbiguousNameMessage(const std::string& nativeFolder, const std::string& a, const std::string& b);

// The name (UTF-8) with its Latin and Russian letters in lower case, for
// comparing names as Windows does.
std::string FoldNameCase(std::string_view name);

// Counters of the listing cache, for the benchmarks.
struct NameLookupCounters {
    long lookups = 0;   // paths that were not found as written
    long listings = 0;  // folders read
};
NameLookupCounters& NameLookupStatistics();

}  // namespace rw
