#include "canvas/TextFile.h"

#include "canvas/RuvlenDoc.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The file reader places at most 99 x 99 cells and 99 line ends, each from at most
// two bytes; a few megabytes are far more than it can ever use.
constexpr size_t kMaxFileBytes = 4 * 1024 * 1024;

std::string SystemError(const char* what, const std::string& path) {
    return std::string(what) + "\n" + path + "\n" + std::strerror(errno);
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

bool ReadFileBytes(const std::string& path, std::string& bytes, size_t maxBytes, bool* more,
                   std::string& error) {
    bytes.clear();
    if (more) *more = false;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = SystemError("ファイルを開けませんでした。", path);
        return false;
    }
    char chunk[65536];
    size_t n;
    while (bytes.size() < maxBytes && (n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.append(chunk, std::min(n, maxBytes - bytes.size()));
    bool failed = std::ferror(f) != 0;
    if (more && bytes.size() >= maxBytes) *more = std::fgetc(f) != EOF;
    std::fclose(f);
    if (failed) {
        error = SystemError("ファイルを読み込めませんでした。", path);
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error) {
    std::string temp = path + ".tmpXXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = SystemError("ファイルを保存できませんでした。", path);
        return false;
    }
    struct stat st;
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode_t mode = (::stat(path.c_str(), &st) == 0) ? (st.st_mode & 07777) : (0666 & ~mask);
    bool ok = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    int savedErrno = errno;
    ok = (::close(fd) == 0) && ok;
    if (ok && ::rename(temp.c_str(), path.c_str()) == 0) return true;
    if (ok) savedErrno = errno;
    ::unlink(temp.c_str());
    errno = savedErrno;
    error = SystemError("ファイルを保存できませんでした。", path);
    return false;
}

bool LoadDocumentFile(CRuvlenDoc& doc, const std::string& path, std::string& error) {
    std::string bytes;
    bool more = false;
    if (!ReadFileBytes(path, bytes, kMaxFileBytes, &more, error)) return false;
    CArchive ar = CArchive::ForLoading(bytes);
    doc.ReadText(ar);
    if (more) doc.m_bLoadCut = 1;
    doc.SetModifiedFlag(0);
    return true;
}

bool SaveDocumentFile(const CRuvlenDoc& doc, const std::string& path, std::string& error) {
    std::string bytes;
    CArchive ar = CArchive::ForStoring(bytes);
    doc.WriteText(ar);
    return WriteFileAtomically(path, bytes, error);
}
