#include "scint/scint_fixture.h"

#include "scint/ScintViews.h"

namespace scint_test {

void ScintPageTest::SetUp() {
    UiFixture::SetUp();
    CMsgBox::InstallAsMessageBoxHandler();
    RegisterScintViews();  // as the application does at start-up
    root = std::make_unique<testing_support::TempRoot>();
    doc = std::make_unique<CKelvarinDoc>();
    board = std::make_unique<testing_support::InProcessBoard>(*doc);
    frame = std::make_unique<fw::Frame>(*doc);
    doc->SetChargeType(0, 10);
    starvedAtStart = fw::Loop().StarvedModalLoops();
}

void ScintPageTest::TearDown() {
    // Every keypad, box and dialog the test opened was answered by its script.
    EXPECT_EQ(fw::Loop().StarvedModalLoops(), starvedAtStart);
    EXPECT_TRUE(script->ScriptEmpty());
    fw::Loop().RemoveTopLevel(frame.get());
    frame.reset();
    fw::Loop().ProcessReady();
    board.reset();
    doc.reset();
    root.reset();
    fw::SetMessageBoxHandler(nullptr);
    UiFixture::TearDown();
}

void ScintPageTest::Probe(double blueFa, double greenFa) {
    boardsim::ChannelModel blue, green;
    blue.currentFa = blueFa;
    green.currentFa = greenFa;
    board->Board().SetChannel(0, blue);
    board->Board().SetChannel(1, green);
}

void ScintPageTest::Seconds(int seconds) {
    board->SendAdc(10 * seconds);
    fw::Loop().ProcessReady();
}

void ScintPageTest::CollectPoint(int seconds) {
    TapControl(1011);
    Seconds(seconds + 1);
}

void ScintPageTest::TapControl(int id) {
    fw::Window* w = FindShown(ActiveView(), id);
    ASSERT_NE(w, nullptr) << "no control " << id;
    TouchCentreOf(w->GetRect());
    fw::Loop().ProcessReady();
}

bool ScintPageTest::Enabled(int id) {
    fw::Window* w = FindShown(ActiveView(), id);
    return w != nullptr && w->IsEnabled();
}

std::string ScintPageTest::CaptionOf(int id) {
    auto* button = dynamic_cast<CBttn*>(FindShown(ActiveView(), id));
    return button ? button->Caption() : std::string("<no button>");
}

CTouchListCtrl& ScintPageTest::ListOf(int id) {
    return *dynamic_cast<CTouchListCtrl*>(FindShown(ActiveView(), id));
}

void ScintPageTest::TapRow(int listId, int row) {
    CTouchListCtrl& list = ListOf(listId);
    list.EnsureVisible(row);
    const fw::Rect r = list.GetRect();
    const int y = r.top + (row - list.TopIndex()) * list.RowHeight() + list.RowHeight() / 2;
    Tap(r.left + 40, y);
}

std::vector<std::string> ScintPageTest::Column(int listId, int column) {
    std::vector<std::string> texts;
    CTouchListCtrl& list = ListOf(listId);
    for (int row = 0; row < list.GetItemCount(); ++row)
        texts.push_back(list.GetItemText(row, column));
    return texts;
}

std::vector<SCINT_BASELINE> ScintPageTest::StoredBaselines() {
    std::vector<SCINT_BASELINE> all;
    CScintDB store;
    SCINT_BASELINE b;
    for (int i = 0; store.GetRecord(i, b); ++i)
        all.push_back(b);
    return all;
}

std::vector<SCINT_MMNT> ScintPageTest::StoredPoints(const std::string& key) {
    std::vector<SCINT_MMNT> all;
    CScintMeasDB store;
    SCINT_MMNT p;
    while (store.FindNextKey(key) && store.ReadCurrent(p))
        all.push_back(p);
    return all;
}

}  // namespace scint_test
