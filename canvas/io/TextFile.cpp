#include "canvas/io/TextFile.h"

#include "canvas/RuvlenDoc.h"
#include "canvas/io/BinaryCheck.h"
#include "canvas/io/DocumentText.h"
#include "canvas/io/SafeWrite.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

const char* const kOpenNotRegularMessage = "は通常のファイルではないため開けませんでした"
                                           "（フォルダー、名前付きパイプ、デバイスなど）。";
const char* const kNotTextMessage = "テキスト ファイルではありません";

namespace {

// The file reader places at most 99 x 99 cells and 99 line ends, each from at most
// two bytes; a few megabytes are far more than it can ever use.
constexpr size_t kMaxFileBytes = 4 * 1024 * 1024;

bool Fail(std::string& error, const char* what, const std::string& path) {
    error = "「" + path + "」" + what + "\n" + std::strerror(errno);
    return false;
}

int RefuseNotRegular(std::string& error, const std::string& path) {
    error = "「" + path + "」" + kOpenNotRegularMessage;
    return -1;
}

// Opens a regular file for reading. The type is checked before opening, so a
// device is never opened, and again on the open file, which cannot block: a
// FIFO put there meanwhile opens at once without a writer and is refused.
int OpenRegularFile(const std::string& path, std::string& error) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        Fail(error, "を開けませんでした。", path);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) return RefuseNotRegular(error, path);
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        Fail(error, "を開けませんでした。", path);
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return RefuseNotRegular(error, path);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// Reads up to maxBytes; false with errno on a read error.
bool ReadUpTo(int fd, std::string& bytes, size_t maxBytes) {
    char chunk[65536];
    while (bytes.size() < maxBytes) {
        const ssize_t n = ::read(fd, chunk, std::min(sizeof chunk, maxBytes - bytes.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        bytes.append(chunk, size_t(n));
    }
    return true;
}

} // namespace

bool ReadFileBytes(const std::string& path, std::string& bytes, size_t maxBytes, bool* more,
                   std::string& error) {
    bytes.clear();
    if (more) *more = false;
    const int fd = OpenRegularFile(path, error);
    if (fd < 0) return false;
    bool ok = ReadUpTo(fd, bytes, maxBytes);
    if (ok && more && bytes.size() >= maxBytes) {
        char extra;
        ssize_t n;
        while ((n = ::read(fd, &extra, 1)) < 0 && errno == EINTR) {
        }
        ok = n >= 0;
        *more = n > 0;
    }
    const int savedErrno = errno;
    ::close(fd);
    errno = savedErrno;
    if (!ok) return Fail(error, "を読み込めませんでした。", path);
    return true;
}

bool LoadDocumentFile(CRuvlenDoc& doc, const std::string& path, std::string& error) {
    return LoadDocumentFile(doc, path, CLayoutReadOptions(), error);
}

bool LoadDocumentFile(CRuvlenDoc& doc, const std::string& path, const CLayoutReadOptions& options,
                      std::string& error) {
    std::string bytes;
    bool more = false;
    if (!ReadFileBytes(path, bytes, kMaxFileBytes, &more, error)) return false;
    if (LooksBinary(bytes)) {
        error = "「" + path + "」は" + kNotTextMessage + "。";
        return false;
    }
    LoadDocumentText(doc, bytes, more, options);
    if (more) doc.m_bLoadCut = 1;
    doc.SetModifiedFlag(0);
    return true;
}

bool SaveDocumentFile(const CRuvlenDoc& doc, const std::string& path, std::string& error) {
    return WriteFileSafely(path, DocumentText(doc, doc.m_textFormat), error);
}

bool SaveDocumentFile(CRuvlenDoc& doc, const std::string& path, const CTextFormat& format,
                      std::string& error) {
    const int lines = SavedLineCount(doc);
    if (!WriteFileSafely(path, DocumentText(doc, format), error)) return false;
    doc.m_textFormat = WrittenFormat(format);
    if (doc.m_nFileLines >= 0) doc.m_nFileLines = lines;
    return true;
}
