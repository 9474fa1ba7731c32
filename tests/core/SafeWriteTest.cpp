// Saving never harms what is at the path: links stay links, hard links stay
// joined, owner and mode stay, read-only and non-regular files are refused, and a
// save killed at any moment leaves the old or the new file (plus, at worst, a
// recognisable hidden copy). Opening refuses what is not a regular file at once.
#include "canvas/io/SafeWrite.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/TextFile.h"

#include "TempDirTest.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

class SafeWrite : public TempDirTest {
protected:
    static struct stat Stat(const std::string& path) {
        struct stat st {};
        ::lstat(path.c_str(), &st);
        return st;
    }
    // Hidden entries of a folder: what a save may leave behind.
    static std::vector<std::string> Hidden(const fs::path& dir) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir)) {
            std::string name = entry.path().filename().string();
            if (name[0] == '.') names.push_back(name);
        }
        return names;
    }
    bool Save(const std::string& path, const std::string& bytes) {
        m_error.clear();
        return WriteFileSafely(path, bytes, m_error);
    }
    void ExpectRefused(const std::string& path, const char* message) {
        EXPECT_FALSE(Save(path, "new"));
        EXPECT_NE(m_error.find(message), std::string::npos) << m_error;
        EXPECT_NE(m_error.find(path), std::string::npos) << m_error;
        EXPECT_TRUE(Hidden(m_dir).empty());
    }

    std::string m_error;
};

} // namespace

// --- Plain files and links ---------------------------------------------------

TEST_F(SafeWrite, PlainFileIsReplacedKeepingItsModeAndANewOneGetsTheUmask) {
    const std::string path = PathOf("a.txt"), fresh = PathOf("b.txt");
    Put(path, "old content");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(Save(path, "new")) << m_error;
    EXPECT_EQ(Get(path), "new");
    EXPECT_EQ(Stat(path).st_mode & 07777, 0640u);
    const mode_t mask = ::umask(027);
    ASSERT_TRUE(Save(fresh, "x")) << m_error;
    ::umask(mask);
    EXPECT_EQ(Stat(fresh).st_mode & 07777, 0640u);
    EXPECT_TRUE(Hidden(m_dir).empty());
}

TEST_F(SafeWrite, SaveThroughALinkWritesItsTargetAndKeepsTheLink) {
    fs::create_directory(m_dir / "sub");
    const std::string target = PathOf("sub/target.txt"), link = PathOf("link.txt");
    Put(target, "old");
    fs::create_symlink("sub/target.txt", link);
    ASSERT_TRUE(Save(link, "new")) << m_error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "sub/target.txt");
    EXPECT_EQ(Get(target), "new");
    EXPECT_TRUE(Hidden(m_dir).empty());
    EXPECT_TRUE(Hidden(m_dir / "sub").empty());
}

TEST_F(SafeWrite, DanglingLinkAndChainsOfLinksAreFollowed) {
    const std::string dangling = PathOf("dangling.txt");
    fs::create_symlink("created.txt", dangling);
    ASSERT_TRUE(Save(dangling, "one")) << m_error;
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(Get(PathOf("created.txt")), "one");

    fs::create_symlink(dangling, PathOf("chain.txt")); // absolute, to a link
    ASSERT_TRUE(Save(PathOf("chain.txt"), "two")) << m_error;
    EXPECT_TRUE(fs::is_symlink(PathOf("chain.txt")));
    EXPECT_EQ(Get(PathOf("created.txt")), "two");
}

TEST_F(SafeWrite, LinkLoopFailsCreatingNothing) {
    fs::create_symlink("y", PathOf("x"));
    fs::create_symlink("x", PathOf("y"));
    EXPECT_FALSE(Save(PathOf("x"), "new"));
    EXPECT_NE(m_error.find(PathOf("x")), std::string::npos) << m_error;
    EXPECT_TRUE(fs::is_symlink(PathOf("x")) && fs::is_symlink(PathOf("y")));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 2);
}

TEST_F(SafeWrite, HardLinkedFileIsWrittenThroughItsInode) {
    const std::string one = PathOf("one.txt"), two = PathOf("two.txt");
    Put(one, "an old text that is longer than the new one");
    fs::create_hard_link(one, two);
    const ino_t inode = Stat(one).st_ino;
    ASSERT_TRUE(Save(one, "short")) << m_error;
    EXPECT_EQ(Get(one), "short");
    EXPECT_EQ(Get(two), "short");
    EXPECT_EQ(Stat(one).st_ino, inode);
    EXPECT_EQ(Stat(one).st_nlink, 2u);
    EXPECT_TRUE(Hidden(m_dir).empty()); // the copy is gone after success
}

// --- Refusals ----------------------------------------------------------------

TEST_F(SafeWrite, ReadOnlyFileIsRefusedEvenForRoot) {
    const std::string path = PathOf("ro.txt");
    Put(path, "old");
    ::chmod(path.c_str(), 0444);
    ExpectRefused(path, kSaveReadOnlyMessage);
    EXPECT_EQ(Get(path), "old");
    EXPECT_EQ(Stat(path).st_mode & 07777, 0444u);
    // Through a link too, naming both.
    fs::create_symlink("ro.txt", PathOf("ro-link.txt"));
    ExpectRefused(PathOf("ro-link.txt"), kSaveReadOnlyMessage);
    EXPECT_NE(m_error.find(path), std::string::npos) << m_error;
}

TEST_F(SafeWrite, NonRegularFilesAreRefusedAndKept) {
    const std::string fifo = PathOf("fifo"), folder = PathOf("folder"), link = PathOf("to-fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    fs::create_directory(folder);
    fs::create_symlink("fifo", link);
    for (const std::string& path : {fifo, folder, link}) {
        SCOPED_TRACE(path);
        ExpectRefused(path, kSaveNotRegularMessage);
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(fs::is_symlink(link));
}

TEST_F(SafeWrite, DeviceNodeIsRefusedAndKept) {
    const std::string node = PathOf("null");
    if (::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "cannot make a device node here (not root)";
    ExpectRefused(node, kSaveNotRegularMessage);
    EXPECT_TRUE(S_ISCHR(Stat(node).st_mode));
    EXPECT_EQ(Stat(node).st_rdev, makedev(1, 3));
}

TEST_F(SafeWrite, OwnerGroupAndModeOfAnotherUsersFileAreKept) {
    const std::string path = PathOf("theirs.txt");
    Put(path, "old");
    if (::chown(path.c_str(), 65534, 65534) != 0)
        GTEST_SKIP() << "cannot give files away (not root)";
    ::chmod(path.c_str(), 0620);
    ASSERT_TRUE(Save(path, "new")) << m_error;
    const struct stat st = Stat(path);
    EXPECT_EQ(Get(path), "new");
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 0620u);
    EXPECT_TRUE(Hidden(m_dir).empty());
}

// --- Names, leftovers and closed folders ---------------------------------------

// Any valid name can be saved: the temporary name's copy of it is cut short, at
// a character boundary.
TEST_F(SafeWrite, LongestNamesSaveAndTheTemporaryNameStaysValid) {
    std::string name;
    for (int i = 0; i < 85; ++i) name += "\xE7\xBD\xAB"; // 85 x 3 = 255 bytes
    for (const std::string& n : {name, name.substr(0, 243), std::string(255, 'a')}) {
        const std::string path = PathOf(n);
        ASSERT_TRUE(Save(path, "new")) << n.size() << " " << m_error;
        ASSERT_TRUE(Save(path, "newer")) << n.size() << " " << m_error;
        EXPECT_EQ(Get(path), "newer");
    }
    EXPECT_TRUE(Hidden(m_dir).empty());
}

// Temporary files of writers that are gone are removed by the next save of the
// same target; those of a running writer, and of other targets, stay.
TEST_F(SafeWrite, LeftoversOfDeadWritersOfTheSameTargetAreRemoved) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0); // a process id that is gone
    const std::string dead = ".t.txt.tavik-" + std::to_string(child) + "-Ab12Cd";
    const std::string live = ".t.txt.tavik-1-Ab12Cd"; // process 1 always runs
    const std::string other = ".u.txt.tavik-" + std::to_string(child) + "-Ab12Cd";
    const std::string kept = ".t.txt.tavik-copy-Ab12Cd"; // a recovery copy
    for (const std::string& name : {dead, live, other, kept}) Put(PathOf(name), "left");
    ASSERT_TRUE(Save(PathOf("t.txt"), "new")) << m_error;
    EXPECT_FALSE(fs::exists(PathOf(dead)));
    EXPECT_TRUE(fs::exists(PathOf(live)) && fs::exists(PathOf(other)) && fs::exists(PathOf(kept)));
}

// A file the user may write in a folder the user may not: written through its
// inode, with the copy in the temporary folder, and nothing left behind.
TEST_F(SafeWrite, WritableFileInAClosedFolderIsWrittenThrough) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write any folder; run as a normal user";
    const std::string path = PathOf("closed/a.txt");
    fs::create_directory(m_dir / "closed");
    Put(path, "old");
    const ino_t inode = Stat(path).st_ino;
    ::chmod((m_dir / "closed").c_str(), 0555);
    const bool saved = Save(path, "new content");
    ::chmod((m_dir / "closed").c_str(), 0755);
    ASSERT_TRUE(saved) << m_error;
    EXPECT_EQ(Get(path), "new content");
    EXPECT_EQ(Stat(path).st_ino, inode);
    EXPECT_TRUE(Hidden(m_dir / "closed").empty());
}

// --- Opening -----------------------------------------------------------------

TEST_F(SafeWrite, OpeningAnythingButARegularFileIsRefusedAtOnce) {
    const std::string fifo = PathOf("fifo"), link = PathOf("to-fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0666), 0);
    fs::create_symlink("fifo", link);
    ::alarm(20); // a regression would block on the FIFO: end the test instead
    for (const std::string& path : {fifo, link, m_dir.string(), std::string("/dev/zero")}) {
        SCOPED_TRACE(path);
        CRuvlenDoc doc;
        std::string error;
        EXPECT_FALSE(LoadDocumentFile(doc, path, error));
        EXPECT_NE(error.find(kOpenNotRegularMessage), std::string::npos) << error;
        EXPECT_NE(error.find(path), std::string::npos) << error;
    }
    ::alarm(0);
    Put(PathOf("real.txt"), "ab\r\n");
    fs::create_symlink("real.txt", PathOf("to-real"));
    CRuvlenDoc doc;
    std::string error;
    EXPECT_TRUE(LoadDocumentFile(doc, PathOf("to-real"), error)) << error;
    EXPECT_EQ(doc.Cell(0, 0).FirstByte(), 'a');
}

// --- Killed saves --------------------------------------------------------------

namespace {

// Saves one of two contents over the target again and again until killed.
[[noreturn]] void SaveForever(const std::string& path, const std::string& a, const std::string& b) {
    std::string error;
    for (unsigned i = 0;; ++i) WriteFileSafely(path, (i & 1) ? a : b, error);
}

} // namespace

// Kills a saving process at spread-out moments for a bounded time. Whenever it
// dies, the target holds the old or a new content, whole; a leftover file is
// hidden and carries the target's name; with hard links (written through the
// inode) a partly written target always has a complete copy beside it.
class KilledSave : public SafeWrite, public testing::WithParamInterface<bool> {};

TEST_P(KilledSave, TargetIsAlwaysWholeAndLeftoversAreRecognisable) {
    const bool hardLinked = GetParam();
    const std::string path = PathOf("target.txt");
    const std::string old(1000, 'o'), a(300000, 'a'), b(200000, 'b');
    Put(path, old);
    if (hardLinked) fs::create_hard_link(path, PathOf("other-name.txt"));
    const std::regex leftoverName(R"(\.target\.txt\.tavik-[0-9]+-[A-Za-z0-9]{6})");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    for (int round = 0; round < 200 && std::chrono::steady_clock::now() < deadline; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) SaveForever(path, a, b);
        ::usleep(200 + (round * 7919) % 20000);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        bool completeCopy = false;
        for (const std::string& name : Hidden(m_dir)) {
            ASSERT_TRUE(std::regex_match(name, leftoverName)) << name;
            const std::string copy = Get(PathOf(name));
            completeCopy = completeCopy || copy == a || copy == b;
            fs::remove(PathOf(name));
        }
        const std::string now = Get(path);
        const bool whole = now == old || now == a || now == b;
        if (hardLinked)
            ASSERT_TRUE(whole || completeCopy) << "round " << round << ": " << now.size();
        else
            ASSERT_TRUE(whole) << "round " << round << ": " << now.size() << " bytes";
        Put(path, old);
    }
}

INSTANTIATE_TEST_SUITE_P(PlainAndHardLinked, KilledSave, testing::Bool());
