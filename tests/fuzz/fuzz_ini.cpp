// Loads arbitrary bytes as a settings file, reads and writes the application's
// settings and a few names and values taken from the input itself, and checks that
// what is written reads back the same and that clamped values stay in range.
#include "app/AppSettings.h"
#include "app/IniFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckRanges(const CAppSettings& s) {
    Check(s.m_nDefaultLines >= 10 && s.m_nDefaultLines <= 99);
    Check(s.m_nDefaultColumns >= 10 && s.m_nDefaultColumns <= 99);
    Check(s.m_nDefaultTextSize >= 0 && s.m_nDefaultTextSize <= 5);
    Check(s.m_bDefaultGrid == 0 || s.m_bDefaultGrid == 1);
    Check(s.m_nWindowX >= 0 && s.m_nWindowY >= 0);
    Check(s.m_nWindowWidth >= 50 && s.m_nWindowHeight >= 50);
    Check(s.m_nWindowState == 1 || s.m_nWindowState == 2);
    Check(s.m_nPaletteX >= 0 && s.m_nPaletteY >= 0);
    Check(s.m_nPaletteWidth >= 50 && s.m_nPaletteHeight >= 50);
    Check(s.m_nPaletteCategory >= 0 && s.m_nPaletteCategory <= 9);
}

CAppSettings LoadAll(const CIniFile& ini) {
    CAppSettings s;
    s.LoadCanvasDefaults(ini);
    s.LoadWindowPlacement(ini);
    s.LoadPaletteSettings(ini);
    return s;
}

// The first three lines of the input serve as section, key and value.
void PickNames(const std::string& bytes, std::string parts[3]) {
    size_t pos = 0;
    for (int i = 0; i < 3 && pos <= bytes.size(); ++i) {
        size_t end = bytes.find('\n', pos);
        if (end == std::string::npos) end = bytes.size();
        parts[i] = bytes.substr(pos, std::min<size_t>(end - pos, 64));
        pos = end + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    CIniFile ini;
    ini.LoadFromBytes(bytes);
    CAppSettings s = LoadAll(ini);
    CheckRanges(s);
    s.SaveCanvasDefaults(ini);
    s.SaveWindowPlacement(ini);
    s.SavePaletteSettings(ini);

    std::string parts[3];
    PickNames(bytes, parts);
    bool stored = ini.SetString(parts[0], parts[1], parts[2]);
    if (stored) Check(ini.GetString(parts[0], parts[1], "") == parts[2]);
    (void)ini.GetInt(parts[0], parts[1], 0);

    // Writing, reading and writing again changes nothing.
    std::string written = ini.ToBytes();
    CIniFile again;
    again.LoadFromBytes(written);
    Check(again.ToBytes() == written);
    CAppSettings back = LoadAll(again);
    Check(back.m_nDefaultLines == s.m_nDefaultLines && back.m_nWindowState == s.m_nWindowState);
    Check(back.m_bDefaultGrid == s.m_bDefaultGrid && back.m_nPaletteX == s.m_nPaletteX);
    if (stored) Check(again.GetString(parts[0], parts[1], "") == parts[2]);
    return 0;
}
