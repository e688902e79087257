// The touch-screen calibration: the map fitted from five touches, refused when the touches
// fix no map; run from the General page and from the board's wake with calibration; kept in
// the settings file, where a damaged map loads as none.
#include <cmath>
#include <vector>

#include "link/WindowMessages.h"
#include "prefs_fixture.h"
#include "screens/CSplashView.h"
#include "screens/CTouchCalDlg.h"
#include "settings/settings_test_support.h"

namespace prefs_test {
namespace {

using settings_test::SettingsPath;
using Points = std::vector<fw::Point>;

// What a panel that is off reports for a point: scaled, sheared and shifted.
fw::Point Skewed(fw::Point p) {
    return {int(std::lround(0.8 * p.x + 0.05 * p.y + 30)),
            int(std::lround(-0.03 * p.x + 1.1 * p.y - 12))};
}

Points TouchesOf(fw::Point (*panel)(fw::Point)) {
    Points touched;
    for (fw::Point target : CTouchCalDlg::Targets())
        touched.push_back(panel(target));
    return touched;
}

const Points kOnOneLine{{10, 10}, {100, 75}, {200, 150}, {300, 225}, {400, 300}};

TEST(TouchMatrix, FittedFromTheTouchesOrRefusedWhenTheyFixNoMap) {
    const Points targets = TouchesOf([](fw::Point p) { return p; });
    Points slipped = TouchesOf(Skewed);
    slipped[4].x += 40;  // the centre: the corners pull a fit less than it does
    auto shrunk = [](fw::Point p) { return fw::Point{p.x / 20, p.y}; };  // beyond a real panel
    struct Case {
        const char* what;
        Points touched;
        bool fitted;
    };
    const Case cases[] = {
        {"skewed panel", TouchesOf(Skewed), true},
        {"all on one line", kOnOneLine, false},
        {"a finger slipped", slipped, false},
        {"beyond a real panel", TouchesOf(shrunk), false},
        {"two points", Points(targets.begin(), targets.begin() + 2), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Points aimed(targets.begin(), targets.begin() + c.touched.size());
        const auto m = fw::SolveTouchMatrix(aimed, c.touched, CTouchCalDlg::kTolerancePx);
        ASSERT_EQ(m.has_value(), c.fitted);
        for (size_t i = 0; m && i < aimed.size(); ++i) {
            const fw::Point p = m->Map(c.touched[i]);
            EXPECT_LE(std::abs(p.x - aimed[i].x) + std::abs(p.y - aimed[i].y), 2);
        }
    }
    // Only a usable map is put in force; anything else leaves none.
    fw::SetTouchMatrix({{0.9, 0.0, 10.0, 0.0, 1.1, -5.0}});
    EXPECT_EQ(fw::GetTouchMatrix().Map({100, 200}).y, 215);
    fw::SetTouchMatrix({{1, 0, 5000, 0, 1, 0}});
    EXPECT_EQ(fw::GetTouchMatrix().Map({100, 200}).x, 100);  // the shift of 5000 refused
}

// A stored map that would put touches off the panel loads as none and is written back.
TEST(TouchSettings, ADamagedStoredMapLoadsAsNone) {
    struct Stored {
        const char* a;
        const char* c;
        bool kept;
    };
    for (const Stored& s :
         {Stored{"0.5", "12.0", true}, Stored{"1.0", "1e6", false}, Stored{"nan", "0.0", false}}) {
        SCOPED_TRACE(std::string(s.a) + " " + s.c);
        testing_support::TempRoot root;
        settings_test::WriteText(SettingsPath(root),
                                 std::string("<root><SysInfo><TouchCalA value=\"") + s.a +
                                     "\"/><TouchCalC value=\"" + s.c + "\"/></SysInfo></root>");
        CKelvarinDoc doc;
        LoadSettings(doc);
        EXPECT_EQ(doc.TouchCal[0], s.kept ? 0.5 : 1.0);
        EXPECT_EQ(doc.TouchCal[2], s.kept ? 12.0 : 0.0);
        EXPECT_EQ(settings_test::StoredValue(SettingsPath(root), "SysInfo", "TouchCalA"),
                  s.kept ? s.a : "1.0");
    }
}

class TouchCalibrationTest : public PrefsTest {
  protected:
    void SetUp() override {
        PrefsTest::SetUp();
        doc->SaveSettingsFile = [this] { return writes && SaveSettings(*doc); };
    }
    void TearDown() override {
        fw::SetTouchMatrix({});
        fw::SetPanelNeedsCalibration(false);
        PrefsTest::TearDown();
    }
    // For the calibration that will be waiting: a touch on each point.
    void ThenTouch(Points touched) {
        script->Then([touched] {
            ASSERT_NE(dynamic_cast<CTouchCalDlg*>(fw::Loop().TopLevel()), nullptr);
            for (fw::Point p : touched) {
                fw::Loop().InjectTouch({fw::TouchKind::Down, p});
                fw::Loop().InjectTouch({fw::TouchKind::Up, p});
            }
        });
    }
    bool writes = true;
};

// By taps on the General page: what the touches leave in force, in the document and in the
// settings file, and what the operator is told.
TEST_F(TouchCalibrationTest, TheGeneralPageButtonCalibratesAndKeepsTheMap) {
    const fw::TouchMatrix before{{1.0, 0.0, 3.0, 0.0, 1.0, 3.0}};
    struct Case {
        const char* what;
        Points touched;
        const char* told;
    };
    const Case cases[] = {
        {"skewed panel", TouchesOf(Skewed), nullptr},
        {"all on one line", kOnOneLine, CKelvarinFormView::kTouchFailedText},
        {"settings not written", TouchesOf(Skewed), CKelvarinFormView::kTouchNotSavedText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc->TouchCal = before.k;
        fw::SetTouchMatrix(before);
        writes = c.told != CKelvarinFormView::kTouchNotSavedText;
        ASSERT_TRUE(SaveSettings(*doc));
        doc->SettingsSaved = 0;
        frame->SwitchToView(std::make_unique<COneChannelView>());
        OpenPrefs(CPrefsView::kGeneral);
        ThenTouch(c.touched);
        std::string told;
        if (c.told != nullptr)
            ThenAcknowledge(&told);
        TapControl(CGenTab::kIdCalibrateTouch);
        EXPECT_EQ(told, c.told ? c.told : "");
        EXPECT_EQ(fw::GetTouchMatrix().k == before.k,
                  c.told == CKelvarinFormView::kTouchFailedText);
        EXPECT_EQ(fw::GetTouchMatrix().k, doc->TouchCal);
        // The next start puts the stored map in force.
        const std::unique_ptr<CKelvarinDoc> next = Restarted();
        for (int i = 0; i < 6; ++i)
            EXPECT_NEAR(next->TouchCal[i], writes ? doc->TouchCal[i] : before.k[i], 1e-6);
        EXPECT_EQ(doc->SettingsSaved, 0);
        EXPECT_FALSE(Prefs().PrefsChanged());  // nothing left for Apply
    }
}

// The board's wake with calibration asks for the five touches before the warm-up (what they
// fit is the General page's and the fit table's).
TEST_F(TouchCalibrationTest, TheWakeWithCalibrationRunsItBeforeTheWarmUp) {
    fw::SetPanelNeedsCalibration(true);
    OpenScreen();
    ThenTouch(TouchesOf(Skewed));
    Post(WM_BOARD_POWER_ON);
    EXPECT_NE(dynamic_cast<CSplashView*>(frame->ActiveView()), nullptr);
    EXPECT_EQ(SentWithCode(0x87).size(), 1u);
    EXPECT_NE(doc->TouchCal[0], 1.0);
}

}  // namespace
}  // namespace prefs_test
