#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "common/file_lock.h"
#include "common/files.h"
#include "common/name_lookup.h"
#include "test_support.h"

namespace rw {
namespace {

namespace fs = std::filesystem;

long Listings() { return NameLookupStatistics().listings; }

// Gives the folder a time of last change of our choosing: another program's
// change in the same clock tick as the last one leaves the time as it was,
// one in a later tick moves it.
void SetFolderTime(const fs::path& folder, const timespec& time) {
    const timespec times[2] = {{0, UTIME_OMIT}, time};
    ASSERT_EQ(::utimensat(AT_FDCWD, folder.c_str(), times, 0), 0);
}

timespec Ago(std::chrono::milliseconds ago) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const long long ns = now.tv_sec * 1'000'000'000LL + now.tv_nsec - ago.count() * 1'000'000LL;
    return timespec{static_cast<time_t>(ns / 1'000'000'000LL), static_cast<long>(ns % 1'000'000'000LL)};
}

void ForeignFile(const fs::path& folder, const std::string& name, bool sameTick) {
    struct stat st{};
    ASSERT_EQ(::stat(folder.c_str(), &st), 0);
    std::ofstream(folder / name) << "theirs";
    SetFolderTime(folder, sameTick ? st.st_mtim : timespec{st.st_mtim.tv_sec, (st.st_mtim.tv_nsec + 1) % 1'000'000'000L});
}

// A folder the program keeps writing in (the formation's working copy and
// its lock files) is not read again at every lookup of a name not yet there:
// what the program itself created or removed is answered from the listing.
TEST(FolderListings, OwnChangesKeepTheListingWithoutReadingItAgain) {
    test::TempDir dir;
    const std::string b = dir.str();
    dir.Write("Basa/par.3", "p");
    SetFolderTime(dir.path() / "Basa", Ago(std::chrono::seconds(10)));
    const std::string working = b + "\\Basa\\basa.dat";
    const long before = Listings();
    EXPECT_EQ(ToNative(working), b + "/Basa/basa.dat");
    const long afterFirstRead = Listings();
    EXPECT_EQ(afterFirstRead, before + 1);

    for (int round = 0; round < 3; ++round) {
        SharedFileLock lock(working);
        EXPECT_EQ(ToNative(working), b + "/Basa/basa.dat");
        WriteFileAtomic(working, "list");
        // Created by us: found in any case.
        EXPECT_EQ(ToNative(b + "\\Basa\\BASA.DAT"), b + "/Basa/basa.dat");
        DeleteFile(working);
        // Removed by us: gone, a new name keeps its spelling.
        EXPECT_EQ(ToNative(b + "\\Basa\\BASA.DAT"), b + "/Basa/BASA.DAT");
    }
    EXPECT_EQ(ToNative(b + "\\Basa\\.BASA.DAT.lock"), b + "/Basa/.BASA.DAT.lock");
    EXPECT_EQ(Listings(), afterFirstRead);
}

// Names another program adds are found as soon as the folder's time tells of
// them, also between the program's own changes; only one added in the same
// clock tick as a change the listing took in may be missed, and only until two
// seconds after that listing was read.
TEST(FolderListings, NamesOthersAddAreFound) {
    test::TempDir dir;
    const fs::path basa = dir.path() / "Basa";
    const std::string b = basa.string();
    dir.Write("Basa/par.3", "p");
    const auto recently = std::chrono::milliseconds(1000);
    SetFolderTime(basa, Ago(recently));
    EXPECT_EQ(ToNative(b + "\\mine.dat"), b + "/mine.dat");

    // A listing read this soon after the folder's change is read again.
    ForeignFile(basa, "FIRST.DAT", true);
    EXPECT_EQ(ToNative(b + "\\first.dat"), b + "/FIRST.DAT");

    WriteFileAtomic(b + "\\mine.dat", "m");
    ForeignFile(basa, "SECOND.DAT", false);
    EXPECT_EQ(ToNative(b + "\\second.dat"), b + "/SECOND.DAT");

    // Another program's change between the listing and ours: ours is not
    // taken in, the listing is read again.
    ForeignFile(basa, "THIRD.DAT", false);
    DeleteFile(b + "\\mine.dat");
    EXPECT_EQ(ToNative(b + "\\third.dat"), b + "/THIRD.DAT");

    SetFolderTime(basa, Ago(recently));
    EXPECT_EQ(ToNative(b + "\\fourth.dat"), b + "/fourth.dat");
    WriteFileAtomic(b + "\\mine.dat", "m");
    ForeignFile(basa, "FOURTH.DAT", true);
    EXPECT_EQ(ToNative(b + "\\fourth.dat"), b + "/fourth.dat");
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    EXPECT_EQ(ToNative(b + "\\fourth.dat"), b + "/FOURTH.DAT");
}

}  // namespace
}  // namespace rw
