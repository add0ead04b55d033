#include "common/name_lookup.h"

#include "common/errors.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

namespace rw {
namespace {

// A listing made less than this long after the folder's last change may miss
// a name added within the same tick of the file system's clock (two seconds
// on FAT shares), so it is read again on its next use.
constexpr long kTrustAfterNs = 2'000'000'000L;

struct Listing {
    dev_t device = 0;
    ino_t inode = 0;
    timespec changed{};
    bool trusted = false;
    // This process's own changes of names have been applied since the folder
    // was read: the listing stands for the folder as long as nobody else
    // changed it, except for a change in the same clock tick as one of ours,
    // which the folder's time cannot tell apart. `doubtFrom` is the first such
    // tick; the listing is read again once it is kTrustAfterNs old.
    bool ownChanges = false;
    timespec doubtFrom{};
    // Folded name -> every name of the folder that folds to it.
    std::unordered_map<std::string, std::vector<std::string>> byFolded;
};

std::mutex& CacheMutex() {
    static std::mutex m;
    return m;
}

std::unordered_map<std::string, Listing>& Cache() {
    static std::unordered_map<std::string, Listing> cache;
    return cache;
}

long NanosBetween(const timespec& earlier, const timespec& later) {
    return (later.tv_sec - earlier.tv_sec) * 1'000'000'000L + (later.tv_nsec - earlier.tv_nsec);
}

bool SameState(const Listing& l, const struct stat& st) {
    return l.device == st.st_dev && l.inode == st.st_ino && l.changed.tv_sec == st.st_mtim.tv_sec &&
           l.changed.tv_nsec == st.st_mtim.tv_nsec;
}

timespec Now() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now;
}

// Whether the cached listing can answer for the folder now in state `st`.
bool Usable(const Listing& l, const struct stat& st) {
    if (!SameState(l, st)) return false;
    return l.trusted || (l.ownChanges && NanosBetween(l.doubtFrom, Now()) <= kTrustAfterNs);
}

// The folder of a native file path and its last name, the folder spelled as
// FindExistingNames keys its listing: "" for a bare name, "/" at the root.
std::pair<std::string, std::string_view> SplitLast(std::string_view path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string_view::npos) return {std::string(), path};
    return {std::string(path.substr(0, slash == 0 ? 1 : slash)), path.substr(slash + 1)};
}

// The listing of `folder` ("" is the current folder), fresh or cached; null
// when the folder cannot be read. Called with the cache locked.
const Listing* ListingOf(const std::string& folder) {
    const std::string open = folder.empty() ? "." : folder;
    struct stat st{};
    if (::stat(open.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return nullptr;
    auto& cache = Cache();
    if (auto it = cache.find(folder); it != cache.end() && Usable(it->second, st)) return &it->second;
    DIR* dir = ::opendir(open.c_str());
    if (!dir) return nullptr;
    const timespec now = Now();
    Listing listing;
    listing.device = st.st_dev;
    listing.inode = st.st_ino;
    listing.changed = st.st_mtim;
    listing.trusted = NanosBetween(st.st_mtim, now) > kTrustAfterNs;
    listing.doubtFrom = st.st_mtim;
    while (const dirent* e = ::readdir(dir)) {
        const std::string_view name = e->d_name;
        if (name == "." || name == "..") continue;
        listing.byFolded[FoldNameCase(name)].emplace_back(name);
    }
    ::closedir(dir);
    ++NameLookupStatistics().listings;
    return &(cache[folder] = std::move(listing));
}

bool Exists(const std::string& path) {
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0;
}

// Appends a component to a native folder path.
void Append(std::string& path, std::string_view name) {
    if (!path.empty() && path.back() != '/') path += '/';
    path += name;
}

}  // namespace

FolderState ParentFolderState(std::string_view nativePath) {
    const std::string folder = SplitLast(nativePath).first;
    struct stat st{};
    FolderState state;
    if (::stat(folder.empty() ? "." : folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return state;
    state.known = true;
    state.device = st.st_dev;
    state.inode = st.st_ino;
    state.changed = st.st_mtim;
    return state;
}

void NoteOwnNameChange(std::string_view nativePath, const FolderState& before, bool exists) {
    const auto [key, name] = SplitLast(nativePath);
    std::lock_guard<std::mutex> lock(CacheMutex());
    auto& cache = Cache();
    const auto it = cache.find(key);
    if (it == cache.end()) return;
    Listing& listing = it->second;
    struct stat now{};
    const bool listingWasCurrent = before.known && listing.device == before.device && listing.inode == before.inode &&
                                   listing.changed.tv_sec == before.changed.tv_sec &&
                                   listing.changed.tv_nsec == before.changed.tv_nsec;
    // Only a listing that stood for the folder just before the change may take
    // it in; any other is read again at its next use.
    if (!listingWasCurrent || ::stat(key.empty() ? "." : key.c_str(), &now) != 0 || !S_ISDIR(now.st_mode)) {
        cache.erase(it);
        return;
    }
    // A listing read a while after the folder's last change knew every name;
    // from this change on, one added beside it may be missing.
    if (listing.trusted) listing.doubtFrom = now.st_mtim;
    listing.trusted = false;
    listing.ownChanges = true;
    listing.device = now.st_dev;
    listing.inode = now.st_ino;
    listing.changed = now.st_mtim;
    const std::string folded = FoldNameCase(name);
    auto& names = listing.byFolded[folded];
    const auto at = std::find(names.begin(), names.end(), name);
    if (exists && at == names.end()) names.emplace_back(name);
    if (!exists && at != names.end()) names.erase(at);
    if (names.empty()) listing.byFolded.erase(folded);
}

NameLookupCounters& NameLookupStatistics() {
    static NameLookupCounters counters;
    return counters;
}

std::string FoldNameCase(std::string_view name) {
    std::string out(name);
    for (size_t i = 0; i < out.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c + ('a' - 'A'));
        } else if (c == 0xD0 && i + 1 < out.size()) {
            // UTF-8 Russian capitals: U+0410..U+042F and U+0401 (Ё).
            unsigned char d = static_cast<unsigned char>(out[i + 1]);
            if (d >= 0x90 && d <= 0x9F) {
                out[i + 1] = static_cast<char>(d + 0x20);  // А..П -> а..п
            } else if (d >= 0xA0 && d <= 0xAF) {
                out[i] = static_cast<char>(0xD1);  // Р..Я -> р..я
                out[i + 1] = static_cast<char>(d - 0x20);
            } else if (d == 0x81) {
                out[i] = static_cast<char>(0xD1);  // Ё -> ё
                out[i + 1] = static_cast<char>(0x91);
            }
            ++i;
        }
    }
    return out;
}

std::string AmbiguousNameMessage(const std::string& nativeFolder, const std::string& a, const std::string& b) {
    return "В папке " + (nativeFolder.empty() ? std::string(".") : nativeFolder) +
           " есть два имени, различающиеся только регистром букв: " + a + " и " + b + "; оставьте одно из них.";
}

std::string FindExistingNames(std::string_view nativePath) {
    std::string path(nativePath);
    // The usual case, and the rule that an exact name wins: the path is there as written.
    if (path.empty() || Exists(path)) return path;

    // Components after the longest prefix that exists as written.
    std::vector<std::string_view> parts;
    std::string_view rest = nativePath;
    std::string folder;
    while (true) {
        const size_t slash = rest.find_last_of('/');
        if (slash == std::string_view::npos) {
            parts.push_back(rest);
            break;
        }
        parts.push_back(rest.substr(slash + 1));
        rest = rest.substr(0, slash);
        if (rest.empty()) {
            folder.assign(1, '/');
            break;
        }
        if (Exists(std::string(rest))) {
            folder = std::string(rest);
            break;
        }
    }

    std::lock_guard<std::mutex> lock(CacheMutex());
    ++NameLookupStatistics().lookups;
    bool found = true;
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
        const std::string_view part = *it;
        if (!found || part.empty() || part == "." || part == "..") {
            Append(folder, part);
            continue;
        }
        const Listing* listing = ListingOf(folder);
        const std::vector<std::string>* names = nullptr;
        if (listing) {
            if (auto match = listing->byFolded.find(FoldNameCase(part)); match != listing->byFolded.end()) {
                names = &match->second;
            }
        }
        if (!names) {
            found = false;
            Append(folder, part);
            continue;
        }
        std::string chosen;
        for (const std::string& n : *names) {
            if (n == part) chosen = n;
        }
        if (chosen.empty()) {
            if (names->size() > 1) {
                std::vector<std::string> both = *names;
                std::sort(both.begin(), both.end());
                throw UserError(AmbiguousNameMessage(folder, both[0], both[1]));
            }
            chosen = names->front();
        }
        Append(folder, chosen);
    }
    return folder;
}

}  // namespace rw
