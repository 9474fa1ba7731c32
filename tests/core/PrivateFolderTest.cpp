// The user's own folder against the attacks a shared or planted folder allows:
// links under the names of files about to be written, read or locked, a folder
// that is a link or that others may write, and files of other kinds or users.
// Checks that need a second user run only as root (which can give a file away)
// and are skipped otherwise.
#include "canvas/io/PrivateFolder.h"

#include "TempDirTest.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t kOtherUser = 65534; // nobody

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode : 0;
}

class PrivateFolder : public TempDirTest {
protected:
    // A victim's file elsewhere, which nothing done in the folder may touch.
    std::string Victim() {
        const std::string path = PathOf("victim.txt");
        Put(path, "the victim's own text\n");
        ::chmod(path.c_str(), 0644);
        return path;
    }
    void ExpectUntouched(const std::string& victim) {
        EXPECT_EQ(Get(victim), "the victim's own text\n");
        EXPECT_EQ(ModeOf(victim) & 07777, 0644u);
    }
    std::string Folder() const { return PathOf("state/tavik/recovery"); }
    void OpenFolder(CPrivateFolder& folder) {
        ASSERT_EQ(folder.Open(Folder(), true), CPrivateFolder::Ok);
    }
};

TEST_F(PrivateFolder, IsCreatedPrivateAndRefusedWhenOthersCouldPlantFiles) {
    CPrivateFolder folder;
    EXPECT_EQ(folder.Open(Folder(), false), CPrivateFolder::Missing);
    EXPECT_FALSE(folder.IsOpen());
    EXPECT_EQ(folder.Open(Folder(), true), CPrivateFolder::Ok);
    EXPECT_EQ(ModeOf(Folder()) & 07777, 0700u);
    EXPECT_EQ(ModeOf(PathOf("state/tavik")) & 07777, 0700u); // parents it made too

    // A folder that others may write: its owner's umask or chmod made it so.
    ::chmod(Folder().c_str(), 0777);
    EXPECT_EQ(folder.Open(Folder(), true), CPrivateFolder::Writable);
    ::chmod(Folder().c_str(), 0770);
    EXPECT_EQ(folder.Open(Folder(), true), CPrivateFolder::Writable);
    EXPECT_FALSE(folder.IsOpen());
    ::chmod(Folder().c_str(), 0755); // readable by others is the owner's choice
    EXPECT_EQ(folder.Open(Folder(), false), CPrivateFolder::Ok);

    // A link to a folder, even one of the user's own, is not used, and its
    // target keeps its mode.
    const std::string target = PathOf("elsewhere");
    ::mkdir(target.c_str(), 0755);
    ::chmod(target.c_str(), 0755);
    ASSERT_EQ(::symlink(target.c_str(), PathOf("linked").c_str()), 0);
    EXPECT_EQ(folder.Open(PathOf("linked"), true), CPrivateFolder::NotFolder);
    EXPECT_EQ(ModeOf(target) & 07777, 0755u);
    Put(PathOf("plain"), "x");
    EXPECT_EQ(folder.Open(PathOf("plain"), true), CPrivateFolder::NotFolder);
}

TEST_F(PrivateFolder, AnotherUsersFolderIsRefused) {
    if (::geteuid() != 0) GTEST_SKIP() << "giving a folder to another user needs root";
    const std::string theirs = PathOf("theirs");
    ::mkdir(theirs.c_str(), 0777);
    ::chmod(theirs.c_str(), 0777);
    ASSERT_EQ(::chown(theirs.c_str(), kOtherUser, kOtherUser), 0);
    CPrivateFolder folder;
    EXPECT_EQ(folder.Open(theirs, true), CPrivateFolder::OtherOwner);
    ::chmod(theirs.c_str(), 0700);
    EXPECT_EQ(folder.Open(theirs, true), CPrivateFolder::OtherOwner);
}

TEST_F(PrivateFolder, WritesReplaceLinksAndNeverFollowThem) {
    CPrivateFolder folder;
    OpenFolder(folder);
    const std::string victim = Victim();
    // A link under the next file's name, one under its temporary name, and a
    // dangling one: each is replaced or removed, never written through.
    const std::string part = ".c-2.tvkr.part-" + std::to_string(::getpid());
    ASSERT_EQ(::symlink(victim.c_str(), (Folder() + "/c-1.tvkr").c_str()), 0);
    ASSERT_EQ(::symlink(victim.c_str(), (Folder() + "/" + part).c_str()), 0);
    ASSERT_EQ(::symlink(PathOf("made.txt").c_str(), (Folder() + "/c-3.tvkr").c_str()), 0);
    const mode_t old = ::umask(0);
    std::string error;
    for (const char* name : {"c-1.tvkr", "c-2.tvkr", "c-3.tvkr"}) {
        ASSERT_TRUE(folder.WriteFile(name, "copy", error)) << error;
        const std::string path = Folder() + "/" + name;
        EXPECT_TRUE(S_ISREG(ModeOf(path))) << name;
        EXPECT_EQ(ModeOf(path) & 07777, 0600u) << name; // whatever the umask
        EXPECT_EQ(Get(path), "copy");
    }
    ::umask(old);
    ExpectUntouched(victim);
    EXPECT_FALSE(std::filesystem::exists(PathOf("made.txt")));
    EXPECT_EQ(folder.Names().size(), 3u); // no temporary file left
}

TEST_F(PrivateFolder, ReadsOnlyRegularFilesOfTheUser) {
    CPrivateFolder folder;
    OpenFolder(folder);
    std::string bytes, why;
    bool more = false;
    ASSERT_TRUE(folder.WriteFile("own", "0123456789", why));
    EXPECT_TRUE(folder.ReadFile("own", bytes, 4, &more, why));
    EXPECT_EQ(bytes, "0123");
    EXPECT_TRUE(more);
    EXPECT_TRUE(folder.ReadFile("own", bytes, 10, &more, why));
    EXPECT_FALSE(more);

    ASSERT_EQ(::symlink((Folder() + "/own").c_str(), (Folder() + "/link").c_str()), 0);
    ASSERT_EQ(::mkfifo((Folder() + "/fifo").c_str(), 0600), 0); // must not wait on it
    ::mkdir((Folder() + "/sub").c_str(), 0700);
    for (const char* name : {"link", "fifo", "sub", "missing"}) {
        why.clear();
        bytes = "stale";
        EXPECT_FALSE(folder.ReadFile(name, bytes, 100, &more, why)) << name;
        EXPECT_FALSE(why.empty()) << name;
        EXPECT_TRUE(bytes.empty()) << name;
    }
    if (::geteuid() != 0) GTEST_SKIP() << "giving a file to another user needs root";
    ASSERT_EQ(::chown((Folder() + "/own").c_str(), kOtherUser, kOtherUser), 0);
    EXPECT_FALSE(folder.ReadFile("own", bytes, 100, &more, why));
}

TEST_F(PrivateFolder, LocksAreHeldUntilReleasedAndTakenOnlyFromProgramsGone) {
    CPrivateFolder mine, other; // two programs' views of one folder
    OpenFolder(mine);
    OpenFolder(other);
    const std::string lockPath = Folder() + "/p1.lock";
    CPrivateFolder::CLock held, taken;
    ASSERT_TRUE(mine.CreateLock("p1.lock", "1\ntavik\nhost\n", held));
    EXPECT_EQ(ModeOf(lockPath) & 07777, 0600u);
    EXPECT_FALSE(other.CreateLock("p1.lock", "2\n", taken)); // the name is taken
    EXPECT_FALSE(other.ClaimLock("p1.lock", "2\n", taken));  // its program runs
    held.Release();
    EXPECT_FALSE(std::filesystem::exists(lockPath));
    EXPECT_TRUE(other.ClaimLock("p1.lock", "2\n", taken)); // none left: a new one
    EXPECT_EQ(Get(lockPath), "2\n");
    taken.Release();

    // A lock file its program left when it died: nobody holds it.
    Put(lockPath, "2147483647\ntavik\nhost\n");
    ::chmod(lockPath.c_str(), 0600);
    EXPECT_TRUE(mine.ClaimLock("p1.lock", "3\n", held));
    EXPECT_EQ(Get(lockPath), "3\n");
    held.Release();

    // Links and FIFOs under a lock's name are neither followed nor waited on.
    const std::string victim = Victim();
    ASSERT_EQ(::symlink(victim.c_str(), (Folder() + "/p2.lock").c_str()), 0);
    ASSERT_EQ(::symlink(PathOf("made.txt").c_str(), (Folder() + "/p3.lock").c_str()), 0);
    ASSERT_EQ(::mkfifo((Folder() + "/p4.lock").c_str(), 0600), 0);
    for (const char* name : {"p2.lock", "p3.lock", "p4.lock"}) {
        EXPECT_FALSE(mine.ClaimLock(name, "4\n", held)) << name;
        EXPECT_FALSE(mine.CreateLock(name, "4\n", held)) << name;
    }
    ExpectUntouched(victim);
    EXPECT_FALSE(std::filesystem::exists(PathOf("made.txt")));
}

} // namespace
