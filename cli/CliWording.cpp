#include "cli/CliWording.h"

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
