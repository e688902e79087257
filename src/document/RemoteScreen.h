#pragma once
// What the remote protocol asks of the screen shown: which screen it is, whether its zeroing
// dialog or any other dialog is open, and the screen actions a remote command can request. The
// full-screen views implement it; the document finds it on the frame's active view.
#include <cstdint>
#include <optional>

#include "document/SeriesSummary.h"

enum class RemoteScreenKind { Other, Standby, OneChannel, TwoChannel, Scintillator };

// Targets of the remote view switch.
inline constexpr int kShowChannel1 = 0;
inline constexpr int kShowChannel2 = 1;
inline constexpr int kShowBothChannels = 2;

class IRemoteScreen {
  public:
    virtual ~IRemoteScreen() = default;

    virtual RemoteScreenKind ScreenKind() const = 0;
    // The view's zeroing flag: its zeroing dialog is open.
    virtual bool ZeroDialogOpen() const = 0;
    // A keypad, message box, dialog or pop-up menu is open over the screen: it is not Idle,
    // so that nothing a remote line asks for acts behind it.
    virtual bool IsModalOpen() const = 0;
    // The shared zeroing start of the views; `channels` 0, 1 or 2 (both).
    virtual void StartZeroingFromRemote(uint8_t channels) = 0;
    // Ends the zeroing dialog this view registered, through the dialog's own cancel path.
    // False when no zeroing dialog is open.
    virtual bool CancelZeroingFromRemote() = 0;
    // Shows channel 1, channel 2 or both (kShow…). False when the switch failed; the view
    // has then told the operator.
    virtual bool SwitchChannelView(int target) = 0;
    // The column the screen's data page lists (channel and quantity); nothing on a screen
    // without a data page in view.
    virtual std::optional<SeriesSelection> ShownSeries() const { return std::nullopt; }
};
