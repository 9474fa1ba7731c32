#include "cli/CliWording.h"

#include "canvas/RuvlenDoc.h"
#include "canvas/io/SafeWrite.h"
#include "canvas/io/TextFile.h"
#include "tools/TextInputDlg.h"
#include "tools/TypingCaret.h"

#include <cstring>

std::string Plural(int count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string ReplacementWarning(const CTextReplacements& r, const std::string& firstPlace) {
    std::string parts;
    const auto add = [&parts](const std::string& part) {
        parts += (parts.empty() ? "" : ", ") + part;
    };
    if (r.m_nBoxChars)
        add(Plural(r.m_nBoxChars, "box-drawing character") + " by the nearest JIS line");
    if (r.m_nLookAlikes) add(std::to_string(r.m_nLookAlikes) + " by a Shift-JIS look-alike");
    if (r.m_nUnmappable) add(std::to_string(r.m_nUnmappable) + " with no Shift-JIS form by 〓");
    return "replaced " + Plural(r.Total(), "character") + " (" + parts + "), the first " +
           firstPlace;
}

namespace {

bool Holds(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// The system's reason: the file layer puts it on the message's last line.
std::string SystemReason(const std::string& japanese) {
    const size_t end = japanese.rfind('\n');
    return end == std::string::npos ? std::string() : japanese.substr(end + 1);
}

} // namespace

std::string FileProblem(const std::string& what, const std::string& path,
                        const std::string& japanese) {
    const std::string file = what + ": '" + path + "' ";
    if (Holds(japanese, kOpenNotRegularMessage) || Holds(japanese, kSaveNotRegularMessage))
        return file + "is not a regular file (a folder, a named pipe or a device)";
    if (Holds(japanese, kSaveReadOnlyMessage)) return file + "is read-only";
    if (Holds(japanese, kNotTextMessage))
        return file + "is not a text file (the window says 「" + kNotTextMessage + "」)";
    const std::string reason = SystemReason(japanese);
    if (Holds(japanese, kSavePartialMessage)) {
        const size_t at = japanese.find(kSavePartialMessage) + std::strlen(kSavePartialMessage);
        const std::string kept = japanese.substr(at, japanese.rfind('\n') - at);
        return file + "was written only in part (" + reason + "); the whole content is kept in '" +
               kept + "'";
    }
    const char* verb = what == "save" || what == "export" ? "cannot be written" : "cannot be read";
    return file + verb + (reason.empty() ? "" : ": " + reason);
}

std::string DialogRefusal(const std::string& japanese) {
    std::string why = "the text dialog refuses the text";
    if (japanese == kInvalidCodeMessage)
        why += ": it holds a character that is not Shift-JIS text, such as a TAB";
    else if (japanese == kTooLongMessage)
        why += ": it does not fit the dragged cells";
    return why + " (the window says 「" + japanese + "」)";
}

std::string TypingProblem(const std::string& japanese) {
    const size_t prefix = std::strlen(kNoShiftJisMessage);
    if (japanese.compare(0, prefix, kNoShiftJisMessage) == 0)
        return "type: '" + japanese.substr(prefix) + "' has no Shift-JIS form and was skipped";
    if (japanese == kNoRoomAtEdgeMessage)
        return "type: a full-width character does not fit at the canvas's right edge and was "
               "skipped";
    return "type: " + japanese;
}

std::string NoRoomForInsert(bool lines, int needed) {
    const char* what = lines ? "lines" : "columns";
    std::string text =
        std::string("the insert would push non-blank cells off the canvas; it needs ") +
        std::to_string(needed) + " " + what;
    if (needed > CRuvlenDoc::MAX_SIZE)
        return text + ", more than a canvas has (" + std::to_string(CRuvlenDoc::MAX_SIZE) + ")";
    return text + "; make the canvas that large first (size C L)";
}
