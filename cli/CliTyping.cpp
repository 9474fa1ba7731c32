// The typing tool from a script: caret X Y, type "TEXT", key NAME. They make the
// same calls as a click and the keys of a canvas window.
#include "cli/CliSession.h"

#include "canvas/RuvlenDoc.h"
#include "cli/CliWording.h"
#include "tools/TypingCaret.h"

#include <map>
#include <ostream>

namespace {

bool NeedCaret(CRuvlenDoc& doc, const std::string& word, std::string& error) {
    if (CTypingCaret::Of(&doc)) return true;
    error = word + ": there is no caret (tool type, then caret X Y)";
    return false;
}

// A table that could not grow for the keystroke: how much room the canvas lacks.
bool GrowthRefused(const CTypingCaret& caret, const CRuvlenDoc& doc, const std::string& word,
                   std::string& error) {
    const bool lines = caret.NeededLines() > 0;
    const int needed = lines ? caret.NeededLines() : caret.NeededColumns();
    if (!needed) return false;
    const std::string what = lines ? " lines" : " columns";
    error = word +
            ": the table cannot grow without pushing non-blank cells off the canvas: it needs " +
            std::to_string(needed) + what + " (it has " +
            std::to_string(lines ? doc.m_nLines : doc.m_nColumns) + "); nothing more was typed";
    return true;
}

} // namespace

bool CCliSession::Caret(const Args& a, std::string& error) {
    if (a.size() != 3) {
        error = "caret: wrong number of arguments";
        return false;
    }
    if (m_pDoc->m_nToolMode != ID_TOOL_TYPE) {
        error = "caret: needs the typing tool (tool type)";
        return false;
    }
    int x, y;
    if (!RequireCell(a, 1, x, y, error)) return false;
    const CCellPoint p = CellCenter(x, y);
    m_pController->OnLButtonDown(p.x, p.y);
    m_pController->OnLButtonUp(p.x, p.y);
    return true;
}

bool CCliSession::Type(const Args& a, std::string& error) {
    if (a.size() != 2) {
        error = "type: wrong number of arguments";
        return false;
    }
    if (!NeedCaret(*m_pDoc, "type", error)) return false;
    std::string status;
    CTypingCaret& caret = *CTypingCaret::Of(m_pDoc.get());
    caret.TypeText(a[1].text, &status);
    if (GrowthRefused(caret, *m_pDoc, "type", error)) return false;
    if (!status.empty()) m_err << "tavik-cli: warning: " << TypingProblem(status) << "\n";
    return true;
}

bool CCliSession::Key(const Args& a, std::string& error) {
    static const std::map<std::string, int> keys = {{"left", CTypingCaret::KEY_LEFT},
                                                    {"right", CTypingCaret::KEY_RIGHT},
                                                    {"up", CTypingCaret::KEY_UP},
                                                    {"down", CTypingCaret::KEY_DOWN},
                                                    {"home", CTypingCaret::KEY_HOME},
                                                    {"end", CTypingCaret::KEY_END},
                                                    {"backspace", CTypingCaret::KEY_BACKSPACE},
                                                    {"delete", CTypingCaret::KEY_DELETE},
                                                    {"enter", CTypingCaret::KEY_ENTER},
                                                    {"esc", CTypingCaret::KEY_ESCAPE},
                                                    {"tab", CTypingCaret::KEY_TAB}};
    if (a.size() != 2) {
        error = "key: wrong number of arguments";
        return false;
    }
    std::string name = a[1].text;
    int modifiers = 0;
    for (const auto& [prefix, flag] :
         {std::pair<std::string, int>{"shift+", CTypingCaret::MOD_SHIFT},
          {"ctrl+", CTypingCaret::MOD_CTRL}}) {
        if (name.compare(0, prefix.size(), prefix) == 0) {
            modifiers |= flag;
            name.erase(0, prefix.size());
        }
    }
    const auto it = keys.find(name);
    const bool arrow = it != keys.end() && it->second <= CTypingCaret::KEY_DOWN;
    const bool homeEnd = it != keys.end() && (name == "home" || name == "end");
    const bool tab = name == "tab";
    if (a[1].quoted || it == keys.end() ||
        ((modifiers & CTypingCaret::MOD_SHIFT) && !arrow && !tab) ||
        ((modifiers & CTypingCaret::MOD_CTRL) && !homeEnd)) {
        error = "key: NAME is left right up down home end backspace delete enter esc tab, "
                "shift+ an arrow or tab, or ctrl+home ctrl+end";
        return false;
    }
    if (!NeedCaret(*m_pDoc, "key", error)) return false;
    CTypingCaret& caret = *CTypingCaret::Of(m_pDoc.get());
    caret.PressKey(it->second, modifiers);
    return !GrowthRefused(caret, *m_pDoc, "key " + a[1].text, error);
}
