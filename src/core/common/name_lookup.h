#pragma once
#include <sys/types.h>

#include <ctime>
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
// The program's own changes of names (NoteOwnNameChange) are applied to the
// cached listing instead, so that a folder the program keeps writing in is not
// read again at every lookup; a name someone else adds in the same clock tick
// as one of those changes is then found within two seconds, any other at once.
std::string FindExistingNames(std::string_view nativePath);

// The identity and time of last change of the folder holding a native path,
// taken just before the program creates or removes that path.
struct FolderState {
    bool known = false;  // false: the folder is not there or not a folder
    dev_t device = 0;
    ino_t inode = 0;
    timespec changed{};
};
FolderState ParentFolderState(std::string_view nativePath);

// Tells the listing cache that this process has just created (`exists`) or
// removed `nativePath`, whose folder was in state `before` just before.
// Taken in only when the cached listing stood for that state; otherwise the
// listing is dropped and read again when next needed.
void NoteOwnNameChange(std::string_view nativePath, const FolderState& before, bool exists);

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
