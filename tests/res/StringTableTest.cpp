// The string table must give every text exactly as the screens, menus and files
// expect it: line breaks, "&&" and non-ASCII units included.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "res/Resources.h"

namespace {

std::string Text(int id) {
    const char* s = res::String(id);
    return s ? std::string(s) : std::string("<none>");
}

TEST(StringTable, DocumentTemplateKeepsItsSevenNewlineSeparatedFields) {
    EXPECT_EQ(Text(128),
              "Kelvarin\n\nKelvarin\nKelvarin Files (*.cha)\n.kvn\nKelvarin.Document\n"
              "Kelvarin.Document");
}

TEST(StringTable, PageButtonCaptionsBreakWithCrLfAndKeepTheirSpaces) {
    EXPECT_EQ(Text(129), " CH\r\n  1");
    EXPECT_EQ(Text(130), " CH\r\n  2");
}

TEST(StringTable, PageMenuEntries) {
    EXPECT_EQ(Text(116), "Channel 1");
    EXPECT_EQ(Text(117), "Channel 2");
    EXPECT_EQ(Text(118), "Channel 1 && 2");
    EXPECT_EQ(Text(119), "Check Source");
    EXPECT_EQ(Text(121), "Preferences");
    EXPECT_EQ(Text(122), "Chamber Library");
}

TEST(StringTable, PopupMenuAndKeypadTexts) {
    EXPECT_EQ(Text(109), "High (0-500nA)");
    EXPECT_EQ(Text(111), "Low (0-500pA)");
    EXPECT_EQ(Text(380), "Timed Collection");
    EXPECT_EQ(Text(160), "Continuous");
    EXPECT_EQ(Text(162), "Trigger (Ch.1)");
    EXPECT_EQ(Text(384), "Bias Off");
    EXPECT_EQ(Text(404), "Reverse Polarity");
    EXPECT_EQ(Text(385), "Select Bias");
    EXPECT_EQ(Text(136), "OK");
    EXPECT_EQ(Text(137), "Cancel");
    EXPECT_EQ(Text(547), "Single");
    EXPECT_EQ(Text(548), "Repeating");
}

TEST(StringTable, UnitsAreUtf8WithMicroAndDegreeSigns) {
    EXPECT_EQ(Text(292), "pA");
    EXPECT_EQ(Text(289), "nA");
    EXPECT_EQ(Text(294), "pC");
    EXPECT_EQ(Text(291), "nC");
    EXPECT_EQ(Text(351),
              "\xC2\xB5"
              "C");
    EXPECT_EQ(Text(542), "\xC2\xB5Gy");
    EXPECT_EQ(Text(556), "\xC2\xB5R");
    EXPECT_EQ(Text(374),
              "\xC2\xB0"
              "C");
    EXPECT_EQ(Text(338), "mmHg");
    EXPECT_EQ(Text(337), "atm");
    EXPECT_EQ(Text(339), "kPa");
    EXPECT_EQ(Text(209),
              "\xC2\xB5"
              "Ci");
}

// Calibration modes 0..12: coefficient label and result unit ids in mode order.
TEST(StringTable, CalibrationModeLabelsAndUnitsKeepTheirMarkup) {
    struct Row {
        int labelId;
        const char* label;
        int unitId;
        const char* unit;
    };
    const Row rows[] = {
        {435, "N_s_k:\xC2\xB5Gym^2/(h*A)", 436, "\xC2\xB5Gym^2/(h*A)"},
        {296, "N_s_k:Gym^2/(h*A)", 309, "Gym^2/(h*A)"},
        {298, "N_x _s_k:Rm^2/(h*A)", 310, "Rm^2/(h*A)"},
        {299, "N_A:GBq/A", 311, "GBq"},
        {300, "N_A:Ci/A", 312, "Ci"},
        {301, "N_D _W:mGy/(sec*A)", 313, "mGy/(sec*A)"},
        {302, "N_A:MBq/A", 314, "MBq"},
        {303, "N_A:mCi/A", 315, "mCi"},
        {304, "N_k:Gy/C", 316, "Gy"},
        {305, "N_x:R/C", 317, "R"},
        {306, "N_G_a_s:Gy/C", 318, "Gy"},
        {307, "N_D:Gy/C", 319, "Gy"},
        {308, "N_D _W:Gy/C", 320, "Gy"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(Text(r.labelId), r.label) << "id " << r.labelId;
        EXPECT_EQ(Text(r.unitId), r.unit) << "id " << r.unitId;
    }
}

TEST(StringTable, PlaceholdersSerialNumberAndPaths) {
    EXPECT_EQ(Text(333), "----");
    EXPECT_EQ(Text(407), "XXXXX");
    EXPECT_EQ(Text(344), "0000000");
    // A device path: the backslashes are real characters, not escapes.
    EXPECT_EQ(Text(331), "\\USB HD\\");
    EXPECT_EQ(std::strlen(res::String(331)), 8u);
}

TEST(StringTable, FileDialogTexts) {
    EXPECT_EQ(Text(199), "Save");
    EXPECT_EQ(Text(250), "Save As");
    EXPECT_EQ(Text(222), "Enter Filename");
}

TEST(StringTable, MessagesKeepTheirLineBreaks) {
    EXPECT_EQ(Text(450),
              "A chamber and/or electrometer calibration is soon or past due.\r\n"
              "Check the Chamber Library or Preferences for more information.");
    EXPECT_EQ(Text(405), "This chamber is currently in use.\r\nSelect another chamber.");
    EXPECT_EQ(Text(532), "Invalid Mantissa.\r\nMantissa must be less than or equal to 32.75.");
    EXPECT_EQ(Text(553),
              "The Scintillator baseline calculation failed.\r\n"
              "The values for either the Blue or Green min/max measurements are equal.\r\n"
              "Re-check your setups and repeat the measurements.");
    EXPECT_EQ(Text(439),
              "The charge time is invalid.\r\nValid time settings are:\r\n >= 1 and <= 86400");
}

TEST(StringTable, WizardEndChoicesAndScintillatorUnits) {
    EXPECT_EQ(Text(282), "Return to Chamber Library");
    EXPECT_EQ(Text(284), "Add another Calibration Coefficient for this chamber");
    EXPECT_EQ(Text(286), "Add another new chamber");
    EXPECT_EQ(Text(468), "MU");
    EXPECT_EQ(Text(524), "MU/sec");
    EXPECT_EQ(Text(528), "mR/sec");
    EXPECT_EQ(Text(521), "Source Strength");
    EXPECT_EQ(Text(522), "Exposure Rate");
}

TEST(StringTable, IdsWithoutTextGiveNull) {
    for (int id : {INT_MIN, -1, 0, 1, 100, 127, 297, 562, 564, 1000, 1246, INT_MAX})
        EXPECT_EQ(res::String(id), nullptr) << "id " << id;
}

TEST(StringTable, EveryTextIsNonEmptyAndWithinTheIdRange) {
    int found = 0;
    for (int id = -10; id <= 5000; ++id) {
        const char* s = res::String(id);
        if (s == nullptr)
            continue;
        ++found;
        EXPECT_TRUE(id >= 101 && id <= 561) << "id " << id;
        EXPECT_GT(std::strlen(s), 0u) << "id " << id;
    }
    EXPECT_GT(found, 80);
}

// A "\r" typed without its "\n", or an escape left as two characters, would show
// as garbage on the panel.
TEST(StringTable, LineBreaksAreRealCrLfPairs) {
    for (int id = 101; id <= 561; ++id) {
        const char* s = res::String(id);
        if (s == nullptr)
            continue;
        std::string t(s);
        for (size_t i = 0; i < t.size(); ++i) {
            if (t[i] == '\r') {
                EXPECT_EQ(i + 1 < t.size() ? t[i + 1] : '\0', '\n') << "id " << id;
            }
        }
        EXPECT_EQ(t.find("\\r"), std::string::npos) << "id " << id;
        EXPECT_EQ(t.find("\\n"), std::string::npos) << "id " << id;
    }
}

TEST(StringTable, LookupReturnsTheSameStoredText) {
    EXPECT_EQ(res::String(344), res::String(344));
}

}  // namespace
