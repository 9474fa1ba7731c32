#include "canvas/io/RecoveryFile.h"

#include "canvas/ByteClass.h"
#include "canvas/LineFlags.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/io/FileLines.h"
#include "canvas/io/PrivateFolder.h"
#include "canvas/io/SafeWrite.h"
#include "canvas/io/TextFile.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

const char kMagic[8] = {'T', 'A', 'V', 'I', 'K', 'R', 'C', 'V'};
constexpr size_t kHeaderBytes = sizeof kMagic + 4 + 4; // magic, version, body length
constexpr size_t kMaxPathBytes = 65536;
constexpr size_t kCellCount = CRecoveryFile::kGrid * CRecoveryFile::kGrid;
// A part's bytes: a whole file, plus what the canvas's lines added to it.
constexpr size_t kMaxPartBytes = size_t(kMaxPartFileMiB + 1) << 20;
constexpr size_t kMaxFileBytes =
    kHeaderBytes + 64 + kMaxPathBytes + 4 * kCellCount + 64 + kMaxPartBytes + 8;

std::uint32_t Crc32(const char* data, size_t size) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ static_cast<unsigned char>(data[i])) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void PutInt(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Reads little-endian numbers and byte runs; once a read runs past the end,
// every later one fails too.
class CByteReader {
public:
    CByteReader(const std::string& bytes, size_t start, size_t end)
        : m_bytes(bytes), m_pos(start), m_end(end) {}
    bool Int(std::uint64_t& value, int bytes) {
        value = 0;
        if (m_end - m_pos < size_t(bytes)) return m_ok = false;
        for (int i = 0; i < bytes; ++i)
            value |= std::uint64_t(static_cast<unsigned char>(m_bytes[m_pos++])) << (8 * i);
        return m_ok;
    }
    // A small number that must lie in [low, high].
    bool Small(int& value, int low, int high, int bytes = 1) {
        std::uint64_t v;
        if (!Int(v, bytes) || v < std::uint64_t(low) || v > std::uint64_t(high))
            return m_ok = false;
        value = int(v);
        return true;
    }
    bool Run(std::string& out, size_t size) {
        if (m_end - m_pos < size) return m_ok = false;
        out.assign(m_bytes, m_pos, size);
        m_pos += size;
        return m_ok;
    }
    bool AtEnd() const { return m_ok && m_pos == m_end; }

private:
    const std::string& m_bytes;
    size_t m_pos;
    size_t m_end;
    bool m_ok = true;
};

// The two bytes as the file reader puts them into a cell: one whole double-byte
// character, or two single-byte ones (no control bytes, no stray lead byte).
bool ValidCellText(const char* text) {
    const auto a = static_cast<unsigned char>(text[0]), b = static_cast<unsigned char>(text[1]);
    return (IsLeadByte(a) && IsTrailByte(b)) || (IsSingleByteChar(a) && IsSingleByteChar(b));
}

// A line cell shows the glyph of its flags; other cells may keep old flags.
bool ValidCell(const CPackedCell& c) {
    if (c.m_lineFlags >= 64 || c.m_bits >= 4 || !ValidCellText(c.m_text)) return false;
    if (!(c.m_bits & 2)) return true;
    const char* glyph = LineGlyphFor(c.m_lineFlags);
    return glyph && std::memcmp(glyph, c.m_text, 2) == 0;
}

// The file a restored canvas saves to: absolute, or none, and nothing in it
// that would not show as itself in the recovery question.
bool ValidPath(const std::string& path) {
    if (path.empty()) return true;
    if (path[0] != '/') return false;
    for (const char c : path)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

bool Refuse(std::string& why, const char* reason) {
    why = reason;
    return false;
}

// The part of its file a canvas stands for (version 2): a flag, then its
// lines, the file's stamp and the bytes before, in and after the range.
void PutPart(std::string& body, const std::optional<CFilePart>& part) {
    PutInt(body, part ? 1 : 0, 1);
    if (!part) return;
    PutInt(body, std::uint32_t(part->m_nFirst), 4);
    PutInt(body, std::uint32_t(part->m_nLines), 4);
    PutInt(body, std::uint64_t(part->m_stamp.m_nSize), 8);
    PutInt(body, std::uint64_t(part->m_stamp.m_nModifiedSec), 8);
    PutInt(body, std::uint64_t(part->m_stamp.m_nModifiedNsec), 4);
    for (const std::string* bytes : {&part->m_strBefore, &part->m_strRange, &part->m_strAfter}) {
        PutInt(body, bytes->size(), 4);
        body += *bytes;
    }
}

bool ReadPart(CByteReader& in, const CTextFormat& format, std::optional<CFilePart>& part) {
    int flag = 0;
    if (!in.Small(flag, 0, 1)) return false;
    part.reset();
    if (!flag) return true;
    CFilePart p;
    p.m_format = format;
    std::uint64_t size, seconds, nanoseconds, length[3];
    std::string* bytes[3] = {&p.m_strBefore, &p.m_strRange, &p.m_strAfter};
    bool ok = in.Small(p.m_nFirst, 1, 1 << 30, 4) && in.Small(p.m_nLines, 0, 99, 4) &&
              in.Int(size, 8) && in.Int(seconds, 8) && in.Int(nanoseconds, 4);
    for (int i = 0; i < 3 && ok; ++i)
        ok = in.Int(length[i], 4) && length[i] <= kMaxPartBytes && in.Run(*bytes[i], length[i]);
    const size_t lines = ok ? SplitFileLines(p.m_strRange, PartBodyFormat(format)).size() : 0;
    if (!ok || lines != size_t(p.m_nLines)) return false;
    p.m_stamp.m_nSize = std::int64_t(size);
    p.m_stamp.m_nModifiedSec = std::int64_t(seconds);
    p.m_stamp.m_nModifiedNsec = std::int64_t(nanoseconds);
    part = std::move(p);
    return true;
}

// The fields version 3 adds after the part: the box drawing's layout, which
// the part, if any, is written in too.
void PutVersion3Fields(std::string& body, const CTextFormat& format) {
    PutInt(body, std::uint64_t(format.m_layout), 1);
}

bool ReadVersion3Fields(CByteReader& in, std::uint64_t version, CTextFormat& format,
                        std::optional<CFilePart>& part) {
    format.m_layout = BoxLayout::Wide;
    if (version < 3) return true;
    int layout = 0;
    if (!in.Small(layout, 0, 2)) return false;
    format.m_layout = BoxLayout(layout);
    if (part) part->m_format.m_layout = format.m_layout;
    return true;
}

} // namespace

CRecoveryFile CRecoveryFile::FromDocument(const CRuvlenDoc& doc, const std::string& path,
                                          bool lossyLoad, std::int64_t savedAt) {
    CRecoveryFile copy;
    copy.m_path = path;
    copy.m_nSavedAt = savedAt;
    copy.m_nColumns = doc.m_nColumns;
    copy.m_nLines = doc.m_nLines;
    copy.m_nFontSize = doc.m_nFontSize;
    copy.m_bGrid = doc.m_bGrid ? 1 : 0;
    copy.m_format = doc.m_textFormat;
    copy.m_bLossyLoad = lossyLoad;
    copy.m_bLoadWrapped = doc.m_bLoadWrapped ? 1 : 0;
    copy.m_bLoadCut = doc.m_bLoadCut ? 1 : 0;
    copy.m_nFileLines = std::max(-1, doc.m_nFileLines);
    copy.m_bFileFinalLineEnd = doc.m_bFileFinalLineEnd ? 1 : 0;
    copy.m_replacements = doc.m_loadReplacements;
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x)
            copy.m_cells[x + kGrid * y] = CPackedCell::Pack(doc.Cell(x, y));
    return copy;
}

void CRecoveryFile::RestoreTo(CRuvlenDoc& doc) const {
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) m_cells[x + kGrid * y].UnpackTo(doc.Cell(x, y));
    doc.m_nColumns = m_nColumns;
    doc.m_nLines = m_nLines;
    doc.m_nFontSize = m_nFontSize;
    doc.m_bGrid = m_bGrid;
    doc.m_textFormat = m_format;
    doc.m_bLoadWrapped = m_bLoadWrapped;
    doc.m_bLoadCut = m_bLoadCut;
    doc.m_nFileLines = m_nFileLines;
    doc.m_bFileFinalLineEnd = m_bFileFinalLineEnd;
    doc.m_loadReplacements = m_replacements;
    doc.SetModifiedFlag(1);
}

std::string CRecoveryFile::Bytes() const {
    std::string body;
    body.reserve(64 + m_path.size() + 4 * kCellCount);
    PutInt(body, std::uint64_t(m_nSavedAt), 8);
    for (int v : {m_nColumns, m_nLines, m_nFontSize, m_bGrid, int(m_format.m_encoding),
                  int(m_format.m_lineEnding), m_bLossyLoad ? 1 : 0, m_bLoadWrapped, m_bLoadCut})
        PutInt(body, std::uint64_t(v), 1);
    const CTextReplacements& r = m_replacements;
    for (int v :
         {r.m_nBoxChars, r.m_nLookAlikes, r.m_nUnmappable, r.m_nFirstLine, r.m_nFirstColumn})
        PutInt(body, std::uint32_t(v), 4);
    // The file's own line layout, so a save after restoring writes what a save
    // before the crash would have written.
    PutInt(body, std::uint32_t(m_nFileLines + 1), 4);
    PutInt(body, std::uint64_t(m_bFileFinalLineEnd), 1);
    PutInt(body, m_path.size(), 4);
    body += m_path;
    for (const CPackedCell& c : m_cells) {
        body.push_back(c.m_text[0]);
        body.push_back(c.m_text[1]);
        body.push_back(static_cast<char>(c.m_lineFlags));
        body.push_back(static_cast<char>(c.m_bits));
    }
    PutPart(body, m_part);
    PutVersion3Fields(body, m_format);
    std::string out(kMagic, sizeof kMagic);
    PutInt(out, kVersion, 4);
    PutInt(out, body.size(), 4);
    out += body;
    PutInt(out, Crc32(body.data(), body.size()), 4);
    return out;
}

bool CRecoveryFile::Parse(const std::string& bytes, std::string& why) {
    if (bytes.size() < sizeof kMagic || bytes.compare(0, sizeof kMagic, kMagic, sizeof kMagic) != 0)
        return Refuse(why, "復元用のファイルではありません。");
    CByteReader header(bytes, sizeof kMagic, bytes.size());
    std::uint64_t version, length, crc;
    if (!header.Int(version, 4) || !header.Int(length, 4))
        return Refuse(why, "途中で切れています。");
    if (version < 1 || version > kVersion) return Refuse(why, "この版では読めない形式です。");
    if (bytes.size() != kHeaderBytes + length + 4) return Refuse(why, "途中で切れています。");
    CByteReader tail(bytes, kHeaderBytes + length, bytes.size());
    tail.Int(crc, 4);
    if (crc != Crc32(bytes.data() + kHeaderBytes, length)) return Refuse(why, "壊れています。");

    CRecoveryFile copy;
    CByteReader in(bytes, kHeaderBytes, kHeaderBytes + length);
    std::uint64_t savedAt, pathLength;
    int encoding = 0, lineEnding = 0, lossy = 0, fileLines = 0;
    CTextReplacements& r = copy.m_replacements;
    const int kMaxCount = 1 << 30;
    const int kMin = CRuvlenDoc::MIN_SIZE, kMax = CRuvlenDoc::MAX_SIZE;
    bool ok =
        in.Int(savedAt, 8) && in.Small(copy.m_nColumns, kMin, kMax) &&
        in.Small(copy.m_nLines, kMin, kMax) && in.Small(copy.m_nFontSize, 0, kMaxFontSize) &&
        in.Small(copy.m_bGrid, 0, 1) && in.Small(encoding, 0, int(kLastTextEncoding)) &&
        in.Small(lineEnding, 0, 1) && in.Small(lossy, 0, 1) &&
        in.Small(copy.m_bLoadWrapped, 0, 1) && in.Small(copy.m_bLoadCut, 0, 1) &&
        in.Small(r.m_nBoxChars, 0, kMaxCount, 4) && in.Small(r.m_nLookAlikes, 0, kMaxCount, 4) &&
        in.Small(r.m_nUnmappable, 0, kMaxCount, 4) && in.Small(r.m_nFirstLine, 0, kMaxCount, 4) &&
        in.Small(r.m_nFirstColumn, 0, kMaxCount, 4) && in.Small(fileLines, 0, kMaxCount, 4) &&
        in.Small(copy.m_bFileFinalLineEnd, 0, 1) && in.Int(pathLength, 4) &&
        pathLength <= kMaxPathBytes && in.Run(copy.m_path, pathLength) && ValidPath(copy.m_path);
    std::string cells;
    const CTextFormat format{TextEncoding(encoding), LineEnding(lineEnding)};
    ok = ok && in.Run(cells, 4 * kCellCount) &&
         (version < 2 || ReadPart(in, format, copy.m_part)) &&
         ReadVersion3Fields(in, version, copy.m_format, copy.m_part) && in.AtEnd();
    if (!ok) return Refuse(why, "内容が正しくありません。");
    for (size_t i = 0; i < kCellCount; ++i) {
        CPackedCell& c = copy.m_cells[i];
        c.m_text[0] = cells[4 * i];
        c.m_text[1] = cells[4 * i + 1];
        c.m_lineFlags = static_cast<std::uint8_t>(cells[4 * i + 2]);
        c.m_bits = static_cast<std::uint8_t>(cells[4 * i + 3]);
        if (!ValidCell(c)) return Refuse(why, "内容が正しくありません。");
    }
    copy.m_nSavedAt = std::int64_t(savedAt);
    copy.m_format = {format.m_encoding, format.m_lineEnding, copy.m_format.m_layout};
    if (copy.m_part) copy.m_part->m_strPath = copy.m_path;
    copy.m_bLossyLoad = lossy != 0;
    copy.m_nFileLines = fileLines - 1;
    *this = std::move(copy);
    return true;
}

bool CRecoveryFile::Write(const CPrivateFolder& folder, const std::string& name,
                          std::string& error) const {
    return folder.WriteFile(name, Bytes(), error);
}

bool CRecoveryFile::Read(const CPrivateFolder& folder, const std::string& name, std::string& why) {
    std::string bytes;
    bool more = false;
    if (!folder.ReadFile(name, bytes, kMaxFileBytes, &more, why)) return false;
    if (more) return Refuse(why, "復元用のファイルではありません。");
    return Parse(bytes, why);
}
