#pragma once
// The zeroing progress box: shown modeless over the disabled screen while the filter
// averages 240 ADC packets, closed by the end of the zero (with "SndZeroComplete") or by
// Cancel (the stored offsets stay as they were, no sound).
#include <cstdint>
#include <functional>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "fw/Window.h"

class CKelvarinDoc;

class CZeroDlg : public fw::Window {
  public:
    static constexpr int kIdProgress = 1062;
    static constexpr int kIdText = 1067;
    static constexpr int kIdCancel = 1140;
    static constexpr int kTimerId = 1;
    static constexpr int kTimerMs = 100;
    static constexpr int kPackets = 240;

    // `onClosed` runs once the box has left the panel, whichever way it ended; it must not
    // destroy the box at once (the box may be inside its own handler).
    CZeroDlg(CKelvarinDoc& doc, uint8_t channels, std::function<void()> onClosed);
    ~CZeroDlg() override;

    // Puts the box on the panel above everything and starts its timer.
    void ShowBox();
    // The Cancel button's path: zero abandoned, filters restarted, box closed.
    void Cancel();

    uint8_t ZeroChannels() const { return channels_; }
    int Progress() const { return progress_; }
    bool IsShown() const { return shown_; }
    const std::string& Text() const { return text_.Text(); }

    void OnTimer(int id) override;
    bool OnCommand(int commandId, fw::Window* from) override;
    void OnPaint(fw::Dc& dc) override;

    // "Channel 1", "Channel 2" or "Channel 1 && 2" (drawn with one ampersand).
    static std::string ChannelName(uint8_t channels);

  private:
    void Close();
    fw::Rect ProgressRect() const;

    CKelvarinDoc& doc_;
    uint8_t channels_;
    std::function<void()> onClosed_;
    bool shown_ = false;
    int progress_ = 0;
    CLabel text_;
    CBttn cancel_;
};
