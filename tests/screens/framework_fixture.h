#pragma once
// A document, a frame and the simulated board wired in process, on the headless panel: the
// screens' framework as an operator meets it, without ports or threads.
#include <memory>
#include <vector>

#include "board/CHWControl.h"
#include "controls/CMsgBox.h"
#include "document/CKelvarinDoc.h"
#include "fw/EventLoop.h"
#include "fw/Resources.h"
#include "link/WindowMessages.h"
#include "screens/CKelvarinFormView.h"
#include "support/InProcessBoard.h"
#include "support/TempRoot.h"
#include "support/UiFixture.h"

namespace screens_test {

class FrameworkFixture : public testing_support::UiFixture {
  protected:
    void SetUp() override {
        UiFixture::SetUp();
        CMsgBox::InstallAsMessageBoxHandler();
        board::ResetPanel();
        root = std::make_unique<testing_support::TempRoot>();
        doc = std::make_unique<CKelvarinDoc>();
        link = std::make_unique<testing_support::InProcessBoard>(*doc);
        frame = std::make_unique<fw::Frame>(*doc);
    }
    void TearDown() override {
        frame.reset();
        fw::Loop().ProcessReady();
        link.reset();
        doc.reset();
        root.reset();
        fw::SetMessageBoxHandler(nullptr);
        UiFixture::TearDown();
    }

    template <class TView>
    TView* Show() {
        frame->SwitchToView(std::make_unique<TView>());
        fw::Loop().ProcessReady();
        return static_cast<TView*>(frame->ActiveView());
    }
    CKelvarinFormView* Active() const {
        return dynamic_cast<CKelvarinFormView*>(frame->ActiveView());
    }
    template <class TView>
    bool ActiveIs() const {
        return dynamic_cast<TView*>(frame->ActiveView()) != nullptr;
    }
    // Posts a board event to the active view, as the board protocol does, and handles it.
    void Post(uint32_t message) {
        fw::Loop().Post(frame->ActiveView()->Handle(), message);
        fw::Loop().ProcessReady();
    }
    // The same from inside a modal loop that waits for input.
    void ThenPost(uint32_t message) {
        script->Then([this, message] { fw::Loop().Post(frame->ActiveView()->Handle(), message); });
    }
    // Codes of what the document sent to the board since `from`.
    std::vector<uint8_t> SentCodes(size_t from = 0) const {
        std::vector<uint8_t> codes;
        for (size_t i = from; i < link->sent.size(); ++i)
            codes.push_back(link->sent[i].code);
        return codes;
    }
    // Status bytes of the standby answers sent so far.
    std::vector<uint8_t> StandbyAnswers() const {
        std::vector<uint8_t> answers;
        for (const BOARD_PACKET& p : link->sent) {
            if (p.code == 0x86)
                answers.push_back(p.status);
        }
        return answers;
    }
    // Whether any text drawn on the panel contains `part` (long texts are drawn line by line).
    bool ScreenShows(const std::string& part) {
        for (const fw::DrawnText& t : Texts()) {
            if (t.text.find(part) != std::string::npos)
                return true;
        }
        return false;
    }
    void AddUnsavedRow() {
        MEAS_INFO row{};
        doc->AddMeasurement(true, row);
    }

    std::unique_ptr<testing_support::TempRoot> root;
    std::unique_ptr<CKelvarinDoc> doc;
    std::unique_ptr<testing_support::InProcessBoard> link;
    std::unique_ptr<fw::Frame> frame;
};

}  // namespace screens_test
