// The remote port on the scintillator measuring screen, lines handled as the port reader
// delivers them: the corrected values in the baseline's units, the collection commands acting
// as touches, the zeroing, and the commands only the channel screens answer.
#include <sstream>

#include "scint/CScintMeasView.h"
#include "scint/scint_fixture.h"

namespace scint_test {
namespace {

class ScintRemote : public ScintPageTest {
  protected:
    // Sends each exchange of `exchanges` in turn and checks its reply: they are separated by
    // '|', each the line up to its '>' and then the reply it must get, without the CR LF.
    void Expect(const std::string& exchanges) {
        std::stringstream in(exchanges);
        for (std::string x; std::getline(in, x, '|');) {
            const std::string line = x.substr(0, x.find('>') + 1);
            board->RemoteLine(line);
            fw::Loop().ProcessReady();  // and whatever the screen streams on the way
            EXPECT_EQ(board->remote, x.substr(line.size()) + "\r\n") << line;
        }
    }
};

TEST_F(ScintRemote, TheScintillatorScreenAnswersAsItsValuesAndStateSay) {
    // Gain 0.005 and CLR 2 on (40000, 10000) fA and (1150, 300) pC: (40000 − 2 × 10000) ×
    // 0.005 fA = 0.100 pA-based units, (1150 − 2 × 300) × 0.005 = 2.750.
    const auto values = [this](int doseType, int unit, bool greenOver) {
        doc->ScintBaseline.DoseType = doseType;
        doc->ScintBaseline.ScintDoseUnit = static_cast<int16_t>(unit);
        doc->ScintBaseline.ScintGain = 0.005;
        doc->ScintBaseline.CLR = 2.0;
        auto& [blue, green] = doc->Filter.Chan;
        blue.Rate = 40000, green.Rate = 10000, blue.Charge = 1150, green.Charge = 300;
        green.OverRange = greenOver;
    };
    const struct {
        const char* what;
        std::function<void()> before;
        const char* script;
        const char* button = "Start";  // Start/Stop/Clear afterwards
    } stages[] = {
        {"a dose baseline in cGy", [&] { values(1, 2, false); },
         "<GID>*KELVARIN|<GR1>*40.00 pA|<GR2>*10.00 pA|<GC1>*1.150 nC|<GC2>*300.0 pC|"
         "<GD1>*2.750 cGy|<GD2>*2.750 cGy|<GDR1>*0.100 cGy/sec|<GDR2>*0.100 cGy/sec|"
         "<GD3>?|<GDR1 >?|<GCS>*I|<GCT>*T 10"},
        {"a relative baseline", [&] { values(0, -1, false); }, "<GD1>*2.750 pC|<GDR2>*0.100 pA"},
        {"a stored unit outside the table", [&] { values(1, 7, false); },
         "<GD1>*2.750 ----|<GDR1>*0.100 ----"},
        {"green over range", [&] { values(1, 2, true); },
         "<GD1>*XXXXX cGy|<GDR1>*XXXXX cGy/sec|<GR2>*XXXXX pA"},
        {"channel screens only", [] {}, "<GIS>!|<GRG1>!|<SS>!|<SBS1 200>!|<SV1>!"},
        // The limits of each type are the document's rows; here the screen takes the types.
        {"collection types", [] {}, "<SCT C>*|<GCT>*C|<SCT TRG>*|<SCT T10>*|<GCT>*T 10"},
        {"a zeroing", [] {}, "<CZ>!|<DZ>*|<STRC>!|<SCT C>!|<CZ>*|<CZ>!|<GCS>*I"},
        {"a remote start and stop", [] {},
         "<STPC>!|<STRC>*|<GCS>*C|<STRC>!|<SCT C>!|<DZ>!|<STPC>*|<GCS>*I", "Clear"},
        // The first start on a held result clears it, as a touch does; the next one starts.
        {"a held result", [] {}, "<STRC>*|<GCS>*I", "Start"},
        {"a start after it", [] {}, "<STRC>*|<GCS>*C|<STPC>*", "Clear"},
    };
    values(1, 7, false);  // a stored unit outside the table still reads as a dose
    Show<CScintMeasView>();
    Screenshot("scint_measure_unknown_unit.png");
    for (const auto& stage : stages) {
        SCOPED_TRACE(stage.what);
        stage.before();
        Expect(stage.script);
        EXPECT_EQ(CaptionOf(1011), stage.button);
    }
    EXPECT_EQ(doc->ChargeDuration, 10);
}

}  // namespace
}  // namespace scint_test
