#pragma once
// A document under a held clock, its active view recording the hints it is sent.
#include <gtest/gtest.h>

#include <memory>

#include "document/CKelvarinDoc.h"
#include "fw/Clock.h"
#include "support/hint_view.h"

class DocumentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fw::SetClock(clock);
        frame = std::make_unique<fw::Frame>(doc);
        frame->SwitchToView(std::make_unique<testing_support::HintView>());
        view = static_cast<testing_support::HintView*>(frame->ActiveView());
        doc.ApplyRanges();
    }
    void TearDown() override {
        frame.reset();
        fw::SetClock(std::make_shared<fw::SystemClock>());
    }
    std::shared_ptr<fw::ManualClock> clock = std::make_shared<fw::ManualClock>();
    CKelvarinDoc doc;
    std::unique_ptr<fw::Frame> frame;
    testing_support::HintView* view = nullptr;
};
