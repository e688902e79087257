// The string table: every fixed text the screens, menus and files show, by id.
// Texts are UTF-8; "\r\n" breaks a text into lines where a control shows it on several.
#include <algorithm>
#include <iterator>

#include "res/Resources.h"

namespace res {
namespace {

struct Entry {
    int id;
    const char* text;
};

// Sorted by id, so lookups can bisect.
constexpr Entry kTable[] = {
    {109, "High (0-500nA)"},
    {111, "Low (0-500pA)"},
    {116, "Channel 1"},
    {117, "Channel 2"},
    {118, "Channel 1 && 2"},
    {119, "Check Source"},
    {121, "Preferences"},
    {122, "Chamber Library"},
    {128,
     "Kelvarin\n\nKelvarin\nKelvarin Files (*.cha)\n.kvn\nKelvarin.Document\nKelvarin.Document"},
    {129, " CH\r\n  1"},
    {130, " CH\r\n  2"},
    {136, "OK"},
    {137, "Cancel"},
    {160, "Continuous"},
    {162, "Trigger (Ch.1)"},
    {199, "Save"},
    {207, "kBq"},
    {208, "MBq"},
    {209, "µCi"},
    {210, "mCi"},
    {222, "Enter Filename"},
    {250, "Save As"},
    {282, "Return to Chamber Library"},
    {284, "Add another Calibration Coefficient for this chamber"},
    {286, "Add another new chamber"},
    {289, "nA"},
    {291, "nC"},
    {292, "pA"},
    {294, "pC"},
    {296, "N_s_k:Gym^2/(h*A)"},
    {298, "N_x _s_k:Rm^2/(h*A)"},
    {299, "N_A:GBq/A"},
    {300, "N_A:Ci/A"},
    {301, "N_D _W:mGy/(sec*A)"},
    {302, "N_A:MBq/A"},
    {303, "N_A:mCi/A"},
    {304, "N_k:Gy/C"},
    {305, "N_x:R/C"},
    {306, "N_G_a_s:Gy/C"},
    {307, "N_D:Gy/C"},
    {308, "N_D _W:Gy/C"},
    {309, "Gym^2/(h*A)"},
    {310, "Rm^2/(h*A)"},
    {311, "GBq"},
    {312, "Ci"},
    {313, "mGy/(sec*A)"},
    {314, "MBq"},
    {315, "mCi"},
    {316, "Gy"},
    {317, "R"},
    {318, "Gy"},
    {319, "Gy"},
    {320, "Gy"},
    {331, "\\USB HD\\"},
    {333, "----"},
    {337, "atm"},
    {338, "mmHg"},
    {339, "kPa"},
    {344, "0000000"},
    {351, "µC"},
    {374, "°C"},
    {380, "Timed Collection"},
    {384, "Bias Off"},
    {385, "Select Bias"},
    {391, "Dose Rate"},
    {392, "Dose"},
    {404, "Reverse Polarity"},
    {405, "This chamber is currently in use.\r\nSelect another chamber."},
    {407, "XXXXX"},
    {435, "N_s_k:µGym^2/(h*A)"},
    {436, "µGym^2/(h*A)"},
    {439, "The charge time is invalid.\r\nValid time settings are:\r\n >= 1 and <= 86400"},
    {450,
     "A chamber and/or electrometer calibration is soon or past due.\r\nCheck the Chamber Library "
     "or Preferences for more information."},
    {468, "MU"},
    {469, "Gy"},
    {470, "cGy"},
    {471, "R"},
    {472, "mR"},
    {521, "Source Strength"},
    {522, "Exposure Rate"},
    {523, "Exposure"},
    {524, "MU/sec"},
    {525, "Gy/sec"},
    {526, "cGy/sec"},
    {527, "R/sec"},
    {528, "mR/sec"},
    // Our web address on the splash screen.
    {531, "www.kelvarin-instruments.example"},
    {532, "Invalid Mantissa.\r\nMantissa must be less than or equal to 32.75."},
    {541, "mGy"},
    {542, "µGy"},
    {547, "Single"},
    {548, "Repeating"},
    {551, "Invalid number of collections.\r\nValid values are:\r\n >= 1 and <= 500."},
    {552, "Absolute calculation requires dose unit type to be selected."},
    {553,
     "The Scintillator baseline calculation failed.\r\nThe values for either the Blue or Green "
     "min/max measurements are equal.\r\nRe-check your setups and repeat the measurements."},
    {556, "µR"},
};

static_assert(std::is_sorted(std::begin(kTable), std::end(kTable),
                             [](const Entry& a, const Entry& b) { return a.id < b.id; }),
              "string table must stay sorted by id");
static_assert(std::adjacent_find(std::begin(kTable), std::end(kTable),
                                 [](const Entry& a, const Entry& b) { return a.id == b.id; }) ==
                  std::end(kTable),
              "string ids must be unique");

}  // namespace

const char* String(int id) {
    const Entry* it = std::lower_bound(std::begin(kTable), std::end(kTable), id,
                                       [](const Entry& e, int key) { return e.id < key; });
    return (it != std::end(kTable) && it->id == id) ? it->text : nullptr;
}

}  // namespace res
