#include "canvas/io/PrivateFolder.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

// Creates every missing folder of the path with mode 0700; existing ones are
// left as they are (the last one is checked when it is opened).
void MakeFolders(const std::string& path) {
    for (size_t at = path.find('/', 1);; at = path.find('/', at + 1)) {
        const std::string prefix = path.substr(0, at);
        if (!prefix.empty()) ::mkdir(prefix.c_str(), 0700);
        if (at == std::string::npos) break;
    }
}

bool OwnRegularFile(int fd, struct stat& st) {
    return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
}

} // namespace

CPrivateFolder::~CPrivateFolder() {
    if (m_fd >= 0) ::close(m_fd);
}

CPrivateFolder::Status CPrivateFolder::Open(const std::string& path, bool create) {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    m_strPath = path;
    if (create) MakeFolders(path);
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT && !create) return Missing;
        struct stat st {};
        const bool there = ::lstat(path.c_str(), &st) == 0; // a link, or another kind of file
        return there && !S_ISDIR(st.st_mode) ? NotFolder : Failed;
    }
    struct stat st {};
    Status status = Ok;
    if (::fstat(fd, &st) != 0)
        status = Failed;
    else if (!S_ISDIR(st.st_mode))
        status = NotFolder;
    else if (st.st_uid != ::geteuid())
        status = OtherOwner;
    else if (st.st_mode & (S_IWGRP | S_IWOTH))
        status = Writable;
    if (status != Ok) {
        ::close(fd);
        return status;
    }
    m_fd = fd;
    return Ok;
}

std::vector<std::string> CPrivateFolder::Names() const {
    std::vector<std::string> names;
    const int fd = m_fd >= 0 ? ::dup(m_fd) : -1;
    if (fd < 0) return names;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return names;
    }
    ::rewinddir(dir); // the duplicate shares its position with the folder's descriptor
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

bool CPrivateFolder::WriteFile(const std::string& name, const std::string& bytes,
                               std::string& error) const {
    const std::string part = "." + name + ".part-" + std::to_string(::getpid());
    ::unlinkat(m_fd, part.c_str(), 0); // left by an earlier attempt of this program
    const int fd = m_fd < 0 ? -1
                            : ::openat(m_fd, part.c_str(),
                                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    bool ok = fd >= 0 && ::fchmod(fd, 0600) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    if (fd >= 0) ok = ::close(fd) == 0 && ok;
    ok = ok && ::renameat(m_fd, part.c_str(), m_fd, name.c_str()) == 0;
    if (!ok) {
        if (fd >= 0) ::unlinkat(m_fd, part.c_str(), 0);
        error = "「" + m_strPath + "/" + name + "」を書き込めませんでした。";
    }
    return ok;
}

bool CPrivateFolder::ReadFile(const std::string& name, std::string& bytes, size_t maxBytes,
                              bool* more, std::string& why) const {
    bytes.clear();
    if (more) *more = false;
    const int fd = m_fd < 0 ? -1
                            : ::openat(m_fd, name.c_str(),
                                       O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        why = errno == ELOOP ? "シンボリックリンクなので読みません。" : "読み込めませんでした。";
        return false;
    }
    struct stat st {};
    bool ok = OwnRegularFile(fd, st);
    if (!ok)
        why = S_ISREG(st.st_mode) ? "他のユーザーのファイルなので読みません。"
                                  : "普通のファイルではないので読みません。";
    char buffer[65536];
    while (ok && bytes.size() <= maxBytes) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            why = "読み込めませんでした。";
            ok = false;
        }
        if (n <= 0) break;
        bytes.append(buffer, size_t(n));
    }
    ::close(fd);
    if (!ok) {
        bytes.clear();
        return false;
    }
    if (bytes.size() > maxBytes) {
        bytes.resize(maxBytes);
        if (more) *more = true;
    }
    return true;
}

bool CPrivateFolder::Remove(const std::string& name) const {
    return m_fd >= 0 && ::unlinkat(m_fd, name.c_str(), 0) == 0;
}

bool CPrivateFolder::Hold(int fd, const std::string& name, const std::string& info,
                          CLock& lock) const {
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ftruncate(fd, 0) != 0 ||
        ::lseek(fd, 0, SEEK_SET) != 0 || !WriteAll(fd, info)) {
        ::close(fd);
        return false;
    }
    lock.Release();
    lock.m_pFolder = this;
    lock.m_strName = name;
    lock.m_fd = fd;
    return true;
}

bool CPrivateFolder::CreateLock(const std::string& name, const std::string& info,
                                CLock& lock) const {
    const int fd = m_fd < 0 ? -1
                            : ::openat(m_fd, name.c_str(),
                                       O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (::fchmod(fd, 0600) != 0) {
        ::close(fd);
        ::unlinkat(m_fd, name.c_str(), 0);
        return false;
    }
    if (Hold(fd, name, info, lock)) return true;
    ::unlinkat(m_fd, name.c_str(), 0);
    return false;
}

bool CPrivateFolder::ClaimLock(const std::string& name, const std::string& info,
                               CLock& lock) const {
    if (m_fd < 0) return false;
    const int fd =
        ::openat(m_fd, name.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return errno == ENOENT && CreateLock(name, info, lock);
    struct stat st {
    }, now{};
    // Held, and still the file under that name: the one who let go of it may
    // have removed it in between.
    if (!OwnRegularFile(fd, st) || ::flock(fd, LOCK_EX | LOCK_NB) != 0 ||
        ::fstatat(m_fd, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0 || now.st_ino != st.st_ino ||
        now.st_dev != st.st_dev) {
        ::close(fd);
        return false;
    }
    return Hold(fd, name, info, lock);
}

void CPrivateFolder::CLock::Release() {
    if (m_fd < 0) return;
    // Removed while still held, so nobody takes a lock on a name about to go.
    if (m_pFolder && m_pFolder->m_fd >= 0) ::unlinkat(m_pFolder->m_fd, m_strName.c_str(), 0);
    ::close(m_fd);
    m_fd = -1;
}
