#include "app/IniFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace std::string_literals;

namespace {

CIniFile FromBytes(const std::string& bytes) {
    CIniFile ini;
    ini.LoadFromBytes(bytes);
    return ini;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

int CountEntries(const std::string& dir) {
    int n = 0;
    DIR* d = opendir(dir.c_str());
    while (dirent* e = readdir(d)) n += e->d_name[0] != '.';
    closedir(d);
    return n;
}

// A fresh directory for one test, removed with its content afterwards.
class IniFileDir : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/tavik-ini-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        m_dir = tmpl;
        m_path = m_dir + "/Tavik.ini";
    }
    void TearDown() override {
        chmod(m_dir.c_str(), 0700);
        std::system(("rm -rf '" + m_dir + "'").c_str());
    }
    std::string m_dir, m_path;
};

} // namespace

TEST(IniFileTest, IntegersAreReadFromTheirLeadingDigits) {
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"12", 12},
        {"12abc", 12},
        {"abc", 0},
        {"-3", -3},
        {"+5", 5},
        {"  7 ", 7},
        {"- 4", 0},
        {"-", 0},
        {"0x1A", 0},
        {"3.9", 3},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"2147483648", INT_MAX},
        {"99999999999999999999999", INT_MAX},
        {"-99999999999999999999999", INT_MIN},
    };
    for (const auto& c : cases) {
        CIniFile ini = FromBytes(std::string("[S]\nk=") + c.text + "\n");
        EXPECT_EQ(ini.GetInt("S", "k", 77), c.expected) << c.text;
    }
}

TEST(IniFileTest, MissingKeysSectionsAndEmptyValuesGiveTheDefault) {
    CIniFile ini = FromBytes("k=1\n[S]\na=1\nempty=\n[T]\nb=2\n");
    EXPECT_EQ(ini.GetInt("S", "b", 42), 42);           // key of another section
    EXPECT_EQ(ini.GetInt("None", "a", -1), -1);        // missing section
    EXPECT_EQ(ini.GetInt("", "k", 5), 5);              // keys before any section are unreachable
    EXPECT_EQ(ini.GetInt("S", "empty", 9), 9);         // empty number
    EXPECT_EQ(ini.GetString("S", "empty", "def"), ""); // but an empty string is a value
    EXPECT_EQ(ini.GetString("S", "zz", "def"), "def");
}

TEST(IniFileTest, NamesCompareWithoutCaseAndKeepTheirSpelling) {
    CIniFile ini = FromBytes("[Window Placement]\r\n  Width = 640 \r\nMaximized=True\r\n");
    EXPECT_EQ(ini.GetInt("WINDOW placement", "width", 0), 640);
    EXPECT_EQ(ini.GetString("window placement", "MAXIMIZED", ""), "True");
    ini.SetInt("WINDOW PLACEMENT", "WIDTH", 800);
    ini.SetString("window placement", "NewKey", "v");
    EXPECT_EQ(ini.ToBytes(), "[Window Placement]\nWidth=800\nMaximized=True\nNewKey=v\n");
}

TEST(IniFileTest, FirstOfDuplicateSectionsAndKeysIsReadAndSet) {
    CIniFile ini = FromBytes("[S]\nk=1\nk=2\n[s]\nk=3\n");
    EXPECT_EQ(ini.GetInt("S", "k", 0), 1);
    ini.SetInt("S", "K", 9);
    EXPECT_EQ(ini.ToBytes(), "[S]\nk=9\nk=2\n[s]\nk=3\n");
}

TEST(IniFileTest, UntouchedLinesSurviveARoundTripInOrder) {
    const std::string text = "; top comment\n\n[Recent File List]\nFile1=C:\\a.txt\n"
                             "[Canvas]\n; about lines\nLines=30\nodd line\nColumns=40\n\n"
                             "[Settings]\nPreviewPages=1\n";
    CIniFile ini = FromBytes(text);
    EXPECT_EQ(ini.ToBytes(), text);
    ini.SetInt("Canvas", "Lines", 45);
    ini.SetInt("Canvas", "TextSize", 3);
    ini.SetInt("Symbol Table", "x", 7);
    EXPECT_EQ(ini.ToBytes(), "; top comment\n\n[Recent File List]\nFile1=C:\\a.txt\n"
                             "[Canvas]\n; about lines\nLines=45\nodd line\nColumns=40\n"
                             "TextSize=3\n\n[Settings]\nPreviewPages=1\n\n[Symbol Table]\nx=7\n");
}

TEST(IniFileTest, OddBytesLoadAndLineEndsAreNormalised) {
    CIniFile ini = FromBytes("\xEF\xBB\xBF[A]\r\nk=\"quoted\"\r\r\n[B\nx=1\n[]\n=v\nz=\0z"s);
    EXPECT_EQ(ini.GetString("A", "k", ""), "quoted");
    EXPECT_EQ(ini.GetInt("A", "x", 0), 1); // "[B" without ']' is no section header
    EXPECT_EQ(ini.GetString("", "z", ""), "\0z"s);
    EXPECT_EQ(ini.ToBytes(), "\xEF\xBB\xBF[A]\nk=\"quoted\"\n[B\nx=1\n[]\n=v\nz=\0z\n"s);
}

TEST(IniFileTest, ValuesReadBackAsWrittenAndUnstorableNamesAreRefused) {
    CIniFile ini;
    for (const std::string v : {"", " padded ", "\"q\"", "'", "a=b;c"}) {
        ASSERT_TRUE(ini.SetString("S", "k", v));
        EXPECT_EQ(FromBytes(ini.ToBytes()).GetString("S", "k", "def"), v);
    }
    EXPECT_FALSE(ini.SetString("S", "k", "two\nlines"));
    EXPECT_FALSE(ini.SetString("S", "a=b", "v"));
    EXPECT_FALSE(ini.SetString("S", ";k", "v"));
    EXPECT_FALSE(ini.SetString("S", " k", "v"));
    EXPECT_FALSE(ini.SetString("S", "", "v"));
    EXPECT_FALSE(ini.SetString("S]x", "k", "v"));
    EXPECT_FALSE(ini.SetString("S\r", "k", "v"));
    EXPECT_EQ(ini.ToBytes(), "[S]\nk=a=b;c\n");
}

TEST_F(IniFileDir, MissingFileLoadsEmptyAndSaveLoadRoundTrips) {
    CIniFile ini;
    ini.SetInt("S", "k", 1);
    EXPECT_TRUE(ini.Load(m_path));
    EXPECT_EQ(ini.ToBytes(), "");
    ini.SetInt("S", "k", -12);
    ASSERT_TRUE(ini.Save(m_path));
    EXPECT_EQ(ReadFile(m_path), "[S]\nk=-12\n");
    CIniFile again;
    EXPECT_TRUE(again.Load(m_path));
    EXPECT_EQ(again.GetInt("s", "K", 0), -12);
    EXPECT_EQ(CountEntries(m_dir), 1); // no temporary file left behind
}

TEST_F(IniFileDir, UnreadableFileIsAnError) {
    CIniFile ini;
    EXPECT_FALSE(ini.Load(m_dir)); // a directory
    EXPECT_EQ(ini.ToBytes(), "");
}

TEST_F(IniFileDir, FailedSaveLeavesTheOldFile) {
    WriteFile(m_path, "[Old]\nk=1\n");
    CIniFile ini = FromBytes("[New]\nk=2\n");
    EXPECT_FALSE(ini.Save(m_dir + "/missing/Tavik.ini"));
    std::string blocker = m_dir + "/blocker";
    ASSERT_EQ(mkdir(blocker.c_str(), 0700), 0);
    EXPECT_FALSE(ini.Save(blocker)); // rename over a directory fails
    EXPECT_EQ(CountEntries(m_dir), 2);

    // A write cut short by the file size limit.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit tiny = old;
    tiny.rlim_cur = 4;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &tiny);
    bool saved = ini.Save(m_path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadFile(m_path), "[Old]\nk=1\n");
    EXPECT_EQ(CountEntries(m_dir), 2);
}

TEST_F(IniFileDir, SaveIntoUnwritableDirectoryFailsAndKeepsTheOldFile) {
    WriteFile(m_path, "[Old]\nk=1\n");
    ASSERT_EQ(chmod(m_dir.c_str(), 0755), 0);
    ASSERT_EQ(chmod(m_path.c_str(), 0644), 0);
    CIniFile ini = FromBytes("[New]\nk=2\n");
    // Root ignores permissions, so the save runs in a child under an ordinary user.
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        bool root = geteuid() == 0;
        if (root && setuid(65534) != 0) _exit(3);
        if (!root && chmod(m_dir.c_str(), 0555) != 0) _exit(3);
        _exit(ini.Save(m_path) ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the save reported success; 3: setup failed";
    EXPECT_EQ(ReadFile(m_path), "[Old]\nk=1\n");
    EXPECT_EQ(CountEntries(m_dir), 1);
}

TEST_F(IniFileDir, SaveKeepsTheFilePermissions) {
    WriteFile(m_path, "[S]\nk=1\n");
    ASSERT_EQ(chmod(m_path.c_str(), 0640), 0);
    ASSERT_TRUE(FromBytes("[S]\nk=2\n").Save(m_path));
    struct stat st {};
    ASSERT_EQ(stat(m_path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(IniFileTest, LoneCarriageReturnsEndLinesToo) {
    for (const std::string& text :
         {"[Canvas]\rLines=45\rColumns=50\r"s, "[Canvas]\r\nLines=45\nColumns=50"s,
          "[Canvas]\r\r\nLines=45\r\rColumns=50\r\n"s}) {
        SCOPED_TRACE(text);
        CIniFile ini = FromBytes(text);
        EXPECT_EQ(ini.GetInt("Canvas", "Lines", 0), 45);
        EXPECT_EQ(ini.GetInt("Canvas", "Columns", 0), 50);
        EXPECT_TRUE(ini.IsWellFormed());
    }
    // What is read is written back with LF line ends and nothing else changed.
    EXPECT_EQ(FromBytes("; a\r[S]\rk=1\r").ToBytes(), "; a\n[S]\nk=1\n");
}

// Only a file made of settings lines may be written over: a file that merely
// has the settings file's name (a linked /etc/passwd, a note) is left alone.
TEST(IniFileTest, WellFormedOnlyWhenEveryLineIsASettingsLine) {
    for (const std::string& text :
         {""s, "\n\n  \n"s, "; comment\n# comment\n[S]\nk=v\n  k2 = v \n[]\n"s,
          "\xEF\xBB\xBF[S]\r\nk=\r\n"s, "[S] trailing\nk==\n"s}) {
        EXPECT_TRUE(FromBytes(text).IsWellFormed()) << text;
    }
    for (const std::string& text :
         {"root:x:0:0:root:/root:/bin/bash\n"s, "[S]\nk=v\nstray words\n"s, "[S]\n=v\n"s,
          "[S\nk=v\n"s, "[S]\nk=\0\n"s,
          "\x7f"
          "ELF\x02\x01\n"s}) {
        EXPECT_FALSE(FromBytes(text).IsWellFormed()) << text;
    }
    CIniFile ini;
    ini.SetString("S", "k", "any value");
    EXPECT_TRUE(FromBytes(ini.ToBytes()).IsWellFormed()); // what we write reads as ours
}

// Runs Load in a child that an alarm ends: a Load that blocks fails the test
// instead of hanging it. The child's exit status: 0 refused, 1 loaded.
static int LoadInChild(const std::string& path) {
    pid_t child = fork();
    if (child == 0) {
        alarm(10);
        CIniFile ini;
        _exit(ini.Load(path) ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) return 100 + WTERMSIG(status);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(IniFileDir, PipesDevicesAndHugeFilesAreRefusedAtOnce) {
    ASSERT_EQ(mkfifo(m_path.c_str(), 0600), 0);
    EXPECT_EQ(LoadInChild(m_path), 0) << "a FIFO with no writer; 114 means it blocked";
    unlink(m_path.c_str());
    ASSERT_EQ(symlink("/dev/zero", m_path.c_str()), 0);
    EXPECT_EQ(LoadInChild(m_path), 0) << "endless zeros";
    EXPECT_EQ(LoadInChild("/dev/zero"), 0);
    EXPECT_EQ(LoadInChild("/dev/null"), 0);

    // Up to the limit a file is read; one byte more and it is not a settings file.
    const std::string big = m_dir + "/big.ini";
    std::string text = "[S]\n";
    text += std::string(CIniFile::MAX_FILE_BYTES - text.size() - 4, ';') + "\nk=1";
    WriteFile(big, text);
    CIniFile ini;
    ASSERT_TRUE(ini.Load(big));
    EXPECT_EQ(ini.GetInt("S", "k", 0), 1);
    WriteFile(big, text + "2");
    EXPECT_FALSE(ini.Load(big));
    EXPECT_EQ(ini.ToBytes(), "");
    ASSERT_EQ(truncate(big.c_str(), 1L << 30), 0); // sparse: no disk used
    EXPECT_FALSE(ini.Load(big));
}

// A settings file kept elsewhere and linked to is read and written through the
// link, which stays a link.
TEST_F(IniFileDir, ALinkToASettingsFileIsReadAndWrittenThrough) {
    const std::string real = m_dir + "/real.ini";
    WriteFile(real, "[S]\nk=1\n");
    ASSERT_EQ(symlink("real.ini", m_path.c_str()), 0);
    CIniFile ini;
    ASSERT_TRUE(ini.Load(m_path));
    EXPECT_TRUE(ini.IsWellFormed());
    ini.SetInt("S", "k", 2);
    ASSERT_TRUE(ini.Save(m_path));
    struct stat st {};
    ASSERT_EQ(lstat(m_path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(ReadFile(real), "[S]\nk=2\n");
}
