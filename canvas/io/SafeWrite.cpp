#include "canvas/io/SafeWrite.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

const char* const kSaveNotRegularMessage = "は通常のファイルではないため保存できませんでした"
                                           "（フォルダー、名前付きパイプ、デバイスなど）。";
const char* const kSaveReadOnlyMessage = "は読み取り専用のため保存できませんでした。";
const char* const kSavePartialMessage =
    "への書き込みが途中で失敗しました。ファイルの内容が不完全な可能性があります。"
    "保存する内容は次のファイルに残してあります: ";

namespace {

constexpr int kMaxLinkHops = 40;

// What is at the path once symbolic links are followed.
struct CSaveTarget {
    std::string path; // the file itself
    bool exists = false;
    struct stat st {};
};

// 「path」, and the link's target when the path is a link.
std::string Quote(const std::string& path, const CSaveTarget& target) {
    std::string text = "「" + path + "」";
    if (!target.path.empty() && target.path != path) text += "（リンク先「" + target.path + "」）";
    return text;
}

bool Refuse(std::string& error, const std::string& path, const CSaveTarget& target,
            const char* what) {
    error = Quote(path, target) + what;
    return false;
}

// A failure of the system: the message ends with the system's reason (errno).
bool Fail(std::string& error, const std::string& path, const CSaveTarget& target) {
    error = Quote(path, target) + "を保存できませんでした。\n" + std::strerror(errno);
    return false;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool ReadLink(const std::string& path, std::string& link) {
    std::vector<char> buffer(PATH_MAX);
    for (;;) {
        const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (n < 0) return false;
        if (size_t(n) < buffer.size()) {
            link.assign(buffer.data(), size_t(n));
            return true;
        }
        buffer.resize(buffer.size() * 2);
    }
}

// Follows symbolic links, relative ones from the link's own folder. A path with
// nothing at it (or a dangling link) names a file still to be created.
bool ResolveTarget(const std::string& path, CSaveTarget& target, std::string& error) {
    std::string p = path;
    for (int hops = 0; hops <= kMaxLinkHops; ++hops) {
        struct stat st;
        if (::lstat(p.c_str(), &st) != 0) {
            if (errno != ENOENT) return Fail(error, path, target);
            target.path = p;
            return true;
        }
        if (!S_ISLNK(st.st_mode)) {
            target.path = p;
            target.exists = true;
            target.st = st;
            return true;
        }
        std::string link;
        if (!ReadLink(p, link)) return Fail(error, path, target);
        p = (!link.empty() && link[0] == '/') ? link : FolderOf(p) + "/" + link;
        target.path = p;
    }
    errno = ELOOP;
    return Fail(error, path, target);
}

// Refuses what must not be replaced: a non-regular file, a read-only one (as
// root, too: no write permission bit at all counts as read-only).
bool CheckTarget(const CSaveTarget& target, const std::string& path, std::string& error) {
    if (!target.exists) return true;
    if (!S_ISREG(target.st.st_mode)) return Refuse(error, path, target, kSaveNotRegularMessage);
    if ((target.st.st_mode & 0222) == 0) return Refuse(error, path, target, kSaveReadOnlyMessage);
    if (::access(target.path.c_str(), W_OK) != 0) {
        if (errno == EACCES || errno == EPERM || errno == EROFS)
            return Refuse(error, path, target, kSaveReadOnlyMessage);
        return Fail(error, path, target);
    }
    return true;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += size_t(n);
    }
    return true;
}

constexpr size_t kMaxNameBytes = 255; // longest file name of the usual file systems
const char kTempMark[] = ".tavik-";

// ".name.tavik-": the start of every temporary name for a target. Its copy of
// the name is cut short enough that the whole name stays within the limit with
// any process id, at a character boundary in UTF-8.
std::string TempNamePrefix(const std::string& target) {
    constexpr size_t kTailRoom = 10 + 7; // "PID-XXXXXX" with the longest process id
    const size_t room = kMaxNameBytes - (sizeof kTempMark - 1) - kTailRoom;
    std::string prefix = "." + NameOf(target);
    if (prefix.size() > room) {
        size_t cut = room;
        while (cut > 1 && (static_cast<unsigned char>(prefix[cut]) & 0xC0) == 0x80) --cut;
        prefix.resize(cut);
    }
    return prefix + kTempMark;
}

// The writer's process id in a temporary name after its prefix, or 0 when the
// rest is not "PID-XXXXXX".
pid_t WriterOf(const std::string& rest) {
    const size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string::npos || rest.size() != dash + 7) return 0;
    pid_t pid = 0;
    for (size_t i = 0; i < dash; ++i) {
        if (rest[i] < '0' || rest[i] > '9' || pid > 100000000) return 0;
        pid = pid * 10 + (rest[i] - '0');
    }
    return pid;
}

// Removes the temporary files that earlier saves of the same target left in
// folder when their writer is gone (killed during a save). A file whose writer
// still runs, or that is not a plain file, stays.
void RemoveLeftovers(const std::string& folder, const std::string& target) {
    const std::string ours = TempNamePrefix(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.compare(0, ours.size(), ours) != 0) continue;
        const pid_t pid = WriterOf(name.substr(ours.size()));
        if (pid <= 0 || pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH) continue;
        const std::string path = (folder == "/" ? "" : folder) + "/" + name;
        struct stat st;
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(path.c_str());
    }
    ::closedir(dir);
}

// The hidden temporary file beside the target (or in the temporary folder);
// removed when it goes out of scope unless it was renamed into place or kept as
// the recovery copy.
class CTempFile {
public:
    ~CTempFile() {
        if (m_fd >= 0) ::close(m_fd);
        if (!m_path.empty() && !m_bKeep) ::unlink(m_path.c_str());
    }
    bool Create(const std::string& folder, const std::string& target) {
        RemoveLeftovers(folder, target);
        m_path = (folder == "/" ? "" : folder) + "/" + TempNamePrefix(target) +
                 std::to_string(::getpid()) + "-XXXXXX";
        m_fd = ::mkostemp(m_path.data(), O_CLOEXEC);
        if (m_fd < 0) m_path.clear();
        return m_fd >= 0;
    }
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }
    void Renamed() { m_path.clear(); }
    // Keeps the file as the recovery copy, under a name without the writer's
    // process id so that no later save takes it for a leftover.
    void Keep() {
        m_bKeep = true;
        const size_t mark = m_path.rfind(kTempMark);
        if (mark == std::string::npos) return;
        const std::string kept =
            m_path.substr(0, mark) + ".tavik-copy-" + m_path.substr(m_path.size() - 6);
        if (::rename(m_path.c_str(), kept.c_str()) == 0) m_path = kept;
    }
    int Fd() const { return m_fd; }
    const std::string& Path() const { return m_path; }

private:
    int m_fd = -1;
    std::string m_path;
    bool m_bKeep = false;
};

mode_t DefaultMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Gives the new file the old one's owner and group; false when that is not
// allowed (the saver is not root and does not own the file or its group).
bool TakeOwner(int fd, const CSaveTarget& target) {
    struct stat st;
    if (::fstat(fd, &st) != 0) return false;
    if (st.st_uid == target.st.st_uid && st.st_gid == target.st.st_gid) return true;
    return ::fchown(fd, target.st.st_uid, target.st.st_gid) == 0;
}

// Flushes the folder entry of a rename to disk; failure only costs durability.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Reserves room for size bytes in the open file without changing its length or
// content, so that writing through it cannot run out of space half-way. False
// (with errno) when the space is not there; a file system that cannot reserve
// is written without.
bool ReserveSpace(int fd, size_t size) {
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(size)) == 0) return true;
    return errno != ENOSPC && errno != EDQUOT && errno != EFBIG;
}

// Writes the bytes into the existing file itself, keeping its inode and with it
// every hard link, its owner, group, mode and other attributes. The complete
// copy in temp, with the file's mode, is on disk before the file is touched, and
// the room for the new content is reserved first: without it the file is left
// as it was.
bool WriteThrough(const CSaveTarget& target, const std::string& path, const std::string& bytes,
                  CTempFile& temp, std::string& error) {
    if (::fchmod(temp.Fd(), target.st.st_mode & 0777) != 0 || ::fsync(temp.Fd()) != 0)
        return Fail(error, path, target);
    const int fd = ::open(target.path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Fail(error, path, target);
    struct stat st;
    if (::fstat(fd, &st) != 0 || st.st_dev != target.st.st_dev || st.st_ino != target.st.st_ino) {
        ::close(fd);
        errno = EBUSY; // replaced by something else while saving
        return Fail(error, path, target);
    }
    if (!ReserveSpace(fd, bytes.size())) {
        const int savedErrno = errno;
        ::close(fd);
        errno = savedErrno;
        return Fail(error, path, target);
    }
    bool ok = WriteAll(fd, bytes) && ::ftruncate(fd, off_t(bytes.size())) == 0 && ::fsync(fd) == 0;
    const int savedErrno = errno;
    ok = (::close(fd) == 0) && ok;
    if (ok) return true;
    temp.Keep();
    error =
        Quote(path, target) + kSavePartialMessage + temp.Path() + "\n" + std::strerror(savedErrno);
    return false;
}

// The temporary file beside the target; for an existing file in a folder the
// saver may not write, in the temporary folder instead (the file is then written
// through). Sets throughOnly when the copy is not beside the file.
bool CreateTemp(const CSaveTarget& target, CTempFile& temp, bool& throughOnly) {
    throughOnly = false;
    if (temp.Create(FolderOf(target.path), target.path)) return true;
    if (!target.exists || (errno != EACCES && errno != EPERM)) return false;
    std::error_code ec;
    const std::string tmp = std::filesystem::temp_directory_path(ec).string();
    throughOnly = true;
    return temp.Create(ec ? std::string("/tmp") : tmp, target.path);
}

} // namespace

bool WriteFileSafely(const std::string& path, const std::string& bytes, std::string& error) {
    CSaveTarget target;
    if (!ResolveTarget(path, target, error) || !CheckTarget(target, path, error)) return false;
    CTempFile temp;
    bool throughOnly = false;
    if (!CreateTemp(target, temp, throughOnly) || !WriteAll(temp.Fd(), bytes))
        return Fail(error, path, target);
    if (target.exists && (throughOnly || target.st.st_nlink > 1 || !TakeOwner(temp.Fd(), target)))
        return WriteThrough(target, path, bytes, temp, error);
    const mode_t mode = target.exists ? (target.st.st_mode & 07777) : DefaultMode();
    if (::fchmod(temp.Fd(), mode) != 0 || ::fsync(temp.Fd()) != 0 || !temp.Close() ||
        ::rename(temp.Path().c_str(), target.path.c_str()) != 0)
        return Fail(error, path, target);
    temp.Renamed();
    SyncFolder(FolderOf(target.path));
    return true;
}
