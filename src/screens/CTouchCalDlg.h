#pragma once
// The five-point touch calibration: a cross at each corner and at the centre in turn; the
// operator touches each. The map in force is set aside while the points are taken (they
// must be the panel's own coordinates) and comes back unless a new one is fitted. No touch
// for half a minute ends the calibration with the old map, so a panel that cannot be
// touched where it is drawn is never left without one.
#include <array>
#include <optional>

#include "controls/CModalDialog.h"
#include "fw/TouchCalibration.h"

class CTouchCalDlg : public CModalDialog {
  public:
    static constexpr int kPointCount = 5;
    static constexpr int kTimerId = 101;
    static constexpr int kIdleMs = 30000;
    // How far a touch may lie from its target once the map is fitted.
    static constexpr double kTolerancePx = 24.0;
    static constexpr const char* kPromptText = "Touch the centre of the cross.";
    static constexpr const char* kIdleText =
        "Without a touch for 30 seconds the previous calibration is kept.";
    static constexpr int kResultFailed = 10;  // the touches gave no usable map

    static const std::array<fw::Point, kPointCount>& Targets();

    // The fitted map after OK.
    const std::optional<fw::TouchMatrix>& Result() const { return result_; }
    int CurrentPoint() const { return next_; }

  protected:
    void OnInitDialog() override;
    void OnPaint(fw::Dc& dc) override;
    void OnTouchUp(fw::Point at) override;
    void OnTimer(int id) override;
    void OnClosing() override;
    bool OnDialogCommand(int, fw::Window*) override { return false; }

  private:
    void DrawCross(fw::Dc& dc, fw::Point at);

    fw::TouchMatrix previous_;
    std::array<fw::Point, kPointCount> touched_{};
    int next_ = 0;
    std::optional<fw::TouchMatrix> result_;
};
