#include "app/AppSettings.h"

#include "app/IniFile.h"
#include "canvas/RuvlenDoc.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CAppSettings LoadedFrom(const std::string& text) {
    CIniFile ini;
    ini.LoadFromBytes(text);
    CAppSettings s;
    s.m_nWindowState = 0; // proves that loading sets it
    s.LoadCanvasDefaults(ini);
    s.LoadEditing(ini);
    s.LoadWindowPlacement(ini);
    s.LoadPaletteSettings(ini);
    return s;
}

} // namespace

TEST(AppSettingsTest, AnEmptyFileGivesTheDefaults) {
    CAppSettings s = LoadedFrom("");
    CCanvasDefaults d = s.Defaults();
    EXPECT_EQ(d.m_nDefaultColumns, 40);
    EXPECT_EQ(d.m_nDefaultLines, 30);
    EXPECT_EQ(d.m_nDefaultTextSize, 2);
    EXPECT_EQ(d.m_bDefaultGrid, 1);
    EXPECT_EQ(d.m_nUndoLevels, 1);
    EXPECT_EQ(s.m_nRecoverySeconds, 10);
    EXPECT_EQ(s.m_nWindowX, 0);
    EXPECT_EQ(s.m_nWindowY, 0);
    EXPECT_EQ(s.m_nWindowWidth, 550);
    EXPECT_EQ(s.m_nWindowHeight, 450);
    EXPECT_EQ(s.m_nWindowState, 1);
    EXPECT_EQ(s.m_nPaletteX, 400);
    EXPECT_EQ(s.m_nPaletteY, 50);
    EXPECT_EQ(s.m_nPaletteWidth, 126);
    EXPECT_EQ(s.m_nPaletteHeight, 240);
    EXPECT_EQ(s.m_nPaletteCategory, 0);
}

TEST(AppSettingsTest, ValuesAreClampedOnLoad) {
    const struct {
        const char *section, *key, *value;
        int CAppSettings::*field;
        int expected;
    } cases[] = {
        {"Canvas", "Lines", "5", &CAppSettings::m_nDefaultLines, 10},
        {"Canvas", "Lines", "100", &CAppSettings::m_nDefaultLines, 99},
        {"Canvas", "Lines", "abc", &CAppSettings::m_nDefaultLines, 10},
        {"Canvas", "Columns", "120", &CAppSettings::m_nDefaultColumns, 99},
        {"Canvas", "Columns", "55px", &CAppSettings::m_nDefaultColumns, 55},
        {"Canvas", "Columns", "-99999999999", &CAppSettings::m_nDefaultColumns, 10},
        {"Canvas", "TextSize", "-3", &CAppSettings::m_nDefaultTextSize, 0},
        {"Canvas", "TextSize", "6", &CAppSettings::m_nDefaultTextSize, 5},
        {"Editing", "UndoLevels", "0", &CAppSettings::m_nUndoLevels, 1},
        {"Editing", "UndoLevels", "-5", &CAppSettings::m_nUndoLevels, 1},
        {"Editing", "UndoLevels", "101", &CAppSettings::m_nUndoLevels, 100},
        {"Editing", "UndoLevels", "99999999999", &CAppSettings::m_nUndoLevels, 100},
        {"Editing", "UndoLevels", "many", &CAppSettings::m_nUndoLevels, 1},
        {"Editing", "UndoLevels", "20", &CAppSettings::m_nUndoLevels, 20},
        {"Editing", "RecoverySeconds", "0", &CAppSettings::m_nRecoverySeconds, 0},
        {"Editing", "RecoverySeconds", "-1", &CAppSettings::m_nRecoverySeconds, 0},
        {"Editing", "RecoverySeconds", "3601", &CAppSettings::m_nRecoverySeconds, 3600},
        {"Editing", "RecoverySeconds", "off", &CAppSettings::m_nRecoverySeconds, 0},
        {"Editing", "RecoverySeconds", "30", &CAppSettings::m_nRecoverySeconds, 30},
        {"Window Placement", "x", "-40", &CAppSettings::m_nWindowX, 0},
        {"Window Placement", "y", "-1", &CAppSettings::m_nWindowY, 0},
        {"Window Placement", "y", "3000", &CAppSettings::m_nWindowY, 3000},
        {"Window Placement", "Width", "20", &CAppSettings::m_nWindowWidth, 50},
        {"Window Placement", "Height", "49", &CAppSettings::m_nWindowHeight, 50},
        {"Window Placement", "Height", "99999999999", &CAppSettings::m_nWindowHeight, 2147483647},
        {"Symbol Table", "x", "-40", &CAppSettings::m_nPaletteX, 0},
        {"Symbol Table", "y", "-5", &CAppSettings::m_nPaletteY, 0},
        {"Symbol Table", "Width", "20", &CAppSettings::m_nPaletteWidth, 50},
        {"Symbol Table", "Height", "0", &CAppSettings::m_nPaletteHeight, 50},
        {"Symbol Table", "Index", "12", &CAppSettings::m_nPaletteCategory, 9},
        {"Symbol Table", "Index", "-2", &CAppSettings::m_nPaletteCategory, 0},
        {"Symbol Table", "Index", "x", &CAppSettings::m_nPaletteCategory, 0},
    };
    for (const auto& c : cases) {
        std::string text = std::string("[") + c.section + "]\n" + c.key + "=" + c.value + "\n";
        EXPECT_EQ(LoadedFrom(text).*c.field, c.expected) << text;
    }
}

TEST(AppSettingsTest, FlagsAreOnOnlyForTheExactTextTrue) {
    EXPECT_EQ(LoadedFrom("[Canvas]\nViewGrid=true\n").m_bDefaultGrid, 0);
    EXPECT_EQ(LoadedFrom("[Canvas]\nViewGrid=1\n").m_bDefaultGrid, 0);
    EXPECT_EQ(LoadedFrom("[Canvas]\nViewGrid=\n").m_bDefaultGrid, 0);
    EXPECT_EQ(LoadedFrom("[Canvas]\nViewGrid=False\n").m_bDefaultGrid, 0);
    EXPECT_EQ(LoadedFrom("[canvas]\nviewgrid = True\n").m_bDefaultGrid, 1);
    EXPECT_EQ(LoadedFrom("[Window Placement]\nMaximized=True\n").m_nWindowState, 2);
    EXPECT_EQ(LoadedFrom("[Window Placement]\nMaximized=TRUE\n").m_nWindowState, 1);
    EXPECT_EQ(LoadedFrom("[Window Placement]\nMaximized=False\n").m_nWindowState, 1);
}

TEST(AppSettingsTest, SectionsAreWrittenWithTheirKeysInOrder) {
    CAppSettings s;
    s.m_nDefaultLines = 25;
    s.m_nDefaultColumns = 60;
    s.m_nDefaultTextSize = 4;
    s.m_bDefaultGrid = 0;
    s.m_nWindowX = -8; // captured values are written as they come
    s.m_nWindowState = 2;
    s.m_nPaletteCategory = 7;
    CIniFile ini;
    s.SaveCanvasDefaults(ini);
    s.SaveWindowPlacement(ini);
    s.SavePaletteSettings(ini);
    EXPECT_EQ(ini.ToBytes(), "[Canvas]\nLines=25\nColumns=60\nTextSize=4\nViewGrid=False\n\n"
                             "[Window Placement]\nx=-8\ny=0\nWidth=550\nHeight=450\n"
                             "Maximized=True\n\n"
                             "[Symbol Table]\nx=400\ny=50\nWidth=126\nHeight=240\nIndex=7\n");
    CAppSettings back = LoadedFrom(ini.ToBytes());
    EXPECT_EQ(back.m_nDefaultLines, 25);
    EXPECT_EQ(back.m_nDefaultColumns, 60);
    EXPECT_EQ(back.m_nDefaultTextSize, 4);
    EXPECT_EQ(back.m_bDefaultGrid, 0);
    EXPECT_EQ(back.m_nWindowState, 2);
    EXPECT_EQ(back.m_nPaletteCategory, 7);
}

TEST(AppSettingsTest, MinimizedWindowLeavesMaximizedAsItWas) {
    CIniFile ini;
    ini.LoadFromBytes("[Window Placement]\nMaximized=True\nx=1\n");
    CAppSettings s;
    s.m_nWindowX = 30;
    s.m_nWindowState = 0;
    s.SaveWindowPlacement(ini);
    EXPECT_EQ(ini.ToBytes(), "[Window Placement]\nMaximized=True\nx=30\n"
                             "y=0\nWidth=550\nHeight=450\n");
    s.m_nWindowState = 1;
    s.SaveWindowPlacement(ini);
    EXPECT_EQ(ini.GetString("Window Placement", "Maximized", ""), "False");
}

TEST(AppSettingsTest, SavingThePaletteLeavesTheOtherSectionsAlone) {
    const std::string before = "[Canvas]\nLines=5\nViewGrid=true\n[Window Placement]\nx=-3\n"
                               "[Recent File List]\nFile1=a.txt\n";
    CIniFile ini;
    ini.LoadFromBytes(before);
    LoadedFrom(before).SavePaletteSettings(ini);
    EXPECT_EQ(ini.ToBytes(), before + "\n[Symbol Table]\nx=400\ny=50\nWidth=126\nHeight=240\n"
                                      "Index=0\n");
}

TEST(AppSettingsTest, UndoLevelsRoundTripAndReachNewCanvases) {
    const std::string before = "[Canvas]\nLines=25\n";
    CIniFile ini;
    ini.LoadFromBytes(before);
    CAppSettings s;
    s.m_nUndoLevels = 100;
    s.m_nRecoverySeconds = 0;
    s.SaveEditing(ini);
    EXPECT_EQ(ini.ToBytes(), before + "\n[Editing]\nUndoLevels=100\nRecoverySeconds=0\n");
    CAppSettings back = LoadedFrom(ini.ToBytes());
    EXPECT_EQ(back.m_nUndoLevels, 100);
    EXPECT_EQ(back.m_nRecoverySeconds, 0);
    EXPECT_EQ(back.m_nDefaultLines, 25);
    EXPECT_EQ(CRuvlenDoc(back.Defaults()).GetUndoLevels(), 100);
    back.m_nUndoLevels = 7;
    EXPECT_EQ(CRuvlenDoc(back.Defaults()).GetUndoLevels(), 7);
}
