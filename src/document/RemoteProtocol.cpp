// The document's side of the remote port: every command line a remote computer sends gets
// exactly one reply line. Commands are matched at fixed positions counted from the '<'.
#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "document/CKelvarinDoc.h"
#include "document/Formatting.h"
#include "document/RemoteNumbers.h"
#include "document/RemoteReplies.h"
#include "document/RemoteScreen.h"
#include "fw/Paths.h"
#include "fw/Text.h"
#include "fw/Version.h"

namespace {

using remote::kDone;
using remote::kRefused;
using remote::kUnrecognised;

constexpr std::string_view kIdentity = "KELVARIN";
constexpr const char* kApplicationFile = "\\FlashDisk\\App\\ZELTarvo_v2.exe";
constexpr size_t kMaxValueBytes = 127;   // value texts leave room for the terminator
constexpr size_t kMaxSerialBytes = 254;  // so does the serial number
constexpr size_t kSerialLength = 7;
constexpr int kMinBias = 100;
constexpr int kMaxBias = 1000;
constexpr long long kMaxChargeSeconds = 86400;
constexpr size_t kCalibrationNumbers = 12;

// "%f" of a stored number in a reply: six decimals, and no minus sign on a zero.
std::string Fixed6(double v) {
    return formatting::Fixed(v, 6);
}

// One line being decoded. It reads and changes the document and answers with one reply.
class RemoteCommand {
  public:
    RemoteCommand(CKelvarinDoc& doc, std::string_view line)
        : doc_(doc), line_(line), screen_(FindScreen(doc)) {}

    // The standby screen hears nothing: no command is decoded or answered there.
    bool Unheard() const { return Kind() == RemoteScreenKind::Standby; }

    std::string Reply() {
        if (line_.size() < 3 || line_.front() != '<' || line_.back() != '>')
            return std::string(kUnrecognised);
        switch (At(1)) {
            case 'C':
                return CancelZeroing();
            case 'D':
                return StartZeroing();
            case 'E':
                return DataCapture();
            case 'G':
                return Query();
            case 'S':
                return Setting();
            default:
                return std::string(kUnrecognised);
        }
    }

  private:
    static IRemoteScreen* FindScreen(CKelvarinDoc& doc) {
        fw::Frame* frame = doc.GetFrame();
        return frame ? dynamic_cast<IRemoteScreen*>(frame->ActiveView()) : nullptr;
    }

    // ---- matching ------------------------------------------------------------------------
    char At(size_t i) const { return i < line_.size() ? line_[i] : '\0'; }
    bool Is(std::string_view text) const { return line_ == text; }
    bool Length(size_t n) const { return line_.size() == n; }
    // Document index of the channel digit at `i`, or -1 for any other character.
    int ChannelAt(size_t i) const { return At(i) == '1' ? 0 : At(i) == '2' ? 1 : -1; }

    // ---- conditions ----------------------------------------------------------------------
    RemoteScreenKind Kind() const {
        return screen_ ? screen_->ScreenKind() : RemoteScreenKind::Other;
    }
    bool OnM() const {
        return Kind() == RemoteScreenKind::OneChannel || Kind() == RemoteScreenKind::TwoChannel;
    }
    bool OnS() const { return Kind() == RemoteScreenKind::Scintillator; }
    bool OnMorS() const { return OnM() || OnS(); }
    bool ZeroFlag() const { return screen_ != nullptr && screen_->ZeroDialogOpen(); }
    bool ModalOpen() const { return screen_ != nullptr && screen_->IsModalOpen(); }
    bool Idle() const {
        return doc_.Collecting == 0 && doc_.TriggerArmed == 0 && doc_.CorrectionRunning == 0 &&
               !ZeroFlag() && !ModalOpen();
    }

    // ---- queries -------------------------------------------------------------------------
    std::string Query() {
        switch (At(2)) {
            case 'I':
                return Identity();
            case 'S':
                return Is("<GSN>")     ? SerialNumber()
                       : Is("<GSVER>") ? SoftwareVersion()
                       : Is("<GST>")   ? MOnly([&] { return SeriesStatisticsReply(); })
                                       : Unknown();
            case 'F':
                return Is("<GFVER>") ? remote::PlainReply(doc_.FirmwareVersion)
                       : Is("<GFO>") ? MOnly([&] { return FilterOutput(); })
                                     : Unknown();
            case 'R':
                return At(3) == 'G' ? RangeQuery() : ChannelValue(&CKelvarinDoc::RateText);
            case 'C':
                return CQuery();
            case 'D':
                return DoseQuery();
            case 'B':
                return BiasQuery();
            case 'L':
                return Is("<GLS>") ? MOnly([&] { return LastCounts(); }) : ThresholdQuery();
            case 'H':
                return ThresholdQuery();
            case 'Z':
                return Is("<GZS>") ? MOnly([&] { return Int(ZeroFlag() ? 1 : 0); }) : Unknown();
            default:
                return Unknown();
        }
    }

    // Every body starting with GI other than the two below is refused, not unrecognised.
    std::string Identity() {
        if (Is("<GID>"))
            return remote::ValueReply(kIdentity);
        if (Is("<GIS>") && OnM()) {
            const auto& c = doc_.Channel;
            return fw::StringPrintf("%d,%d,%d,%d,%d\r\n", c[0].Range, c[0].BiasRead, c[1].Range,
                                    c[1].BiasRead, doc_.Collecting);
        }
        return Refused();
    }

    // "*n,mean,s,CV,min,max,unit" of the column the screen's data page lists, as the page
    // shows them; refused without a data page or without readings in that column.
    std::string SeriesStatisticsReply() {
        const std::optional<SeriesSelection> shown =
            screen_ ? screen_->ShownSeries() : std::nullopt;
        if (!shown)
            return Refused();
        const SeriesSummary s = SummariseSeries(doc_.MeasList, *shown);
        if (s.count == 0)
            return Refused();
        const std::string text = fw::StringPrintf(
            "%zu,%s,%s,%s,%s,%s,%s", s.count, s.mean.c_str(), s.standardDeviation.c_str(),
            s.coefficientOfVariation.c_str(), s.minimum.c_str(), s.maximum.c_str(), s.unit.c_str());
        return remote::ValueReply(remote::ToPortText(text, kMaxValueBytes));
    }

    std::string SerialNumber() {
        return remote::ValueReply(remote::ToPortText(doc_.SerialNumber, kMaxSerialBytes));
    }

    // The staged program file when there is one, else the program that is running.
    std::string SoftwareVersion() {
        std::string version;
        auto staged = fw::MapDevicePath(kApplicationFile);
        std::error_code ec;
        if (staged && std::filesystem::exists(*staged, ec) &&
            fw::GetProductVersion(*staged, version, 0))
            return remote::PlainReply(version);
        return fw::GetOwnProductVersion(version, 0) ? remote::PlainReply(version) : Refused();
    }

    // GR1/GR2, GC1/GC2: the channel's value text and unit, on M or S.
    std::string ChannelValue(std::string (CKelvarinDoc::*text)(int)) {
        int ch = ChannelAt(3);
        if (ch < 0 || !Length(5))
            return Unknown();
        if (!OnMorS())
            return Refused();
        return ValueText((doc_.*text)(ch));
    }

    std::string CQuery() {
        switch (At(3)) {
            case 'P':
                return CalibrationQuery();
            case 'S':
                return Is("<GCS>") ? MorS([&] { return CollectionState(); }) : Unknown();
            case 'T':
                return Is("<GCT>") ? MorS([&] { return CollectionType(); }) : Unknown();
            default:
                return ChannelValue(&CKelvarinDoc::ChargeText);
        }
    }

    // GD1/GD2 (dose from charge) and GDR1/GDR2 (dose rate from rate).
    std::string DoseQuery() {
        bool rate = At(3) == 'R';
        int ch = ChannelAt(rate ? 4 : 3);
        if (ch < 0 || !Length(rate ? 6 : 5))
            return Unknown();
        if (OnS())
            return ValueText(rate ? doc_.ScintRateText() : doc_.ScintChargeText());
        uint8_t needed = rate ? kDoseFromRate : kDoseFromCharge;
        if (!OnM() || doc_.Filter.Chan[ch].DoseMode != needed)
            return Refused();
        return ValueText(doc_.DoseText(ch));
    }

    std::string RangeQuery() {
        int ch = ChannelAt(4);
        if (ch < 0 || !Length(6))
            return Unknown();
        return MOnly([&] { return remote::ValueReply(doc_.Channel[ch].Range != 0 ? "H" : "L"); });
    }

    // GBC (bias calibration), GBS (bias set), GBV (bias read back).
    std::string BiasQuery() {
        int ch = ChannelAt(4);
        char what = At(3);
        if (ch < 0 || !Length(6) || (what != 'C' && what != 'S' && what != 'V'))
            return Unknown();
        return MOnly([&] {
            const CHANNEL_CAL& cal = doc_.Filter.Cal[ch];
            if (what == 'C')
                return "*" + Fixed6(cal.BiasM) + "," + Fixed6(cal.BiasB) + "\r\n";
            const CHANNEL_INFO& c = doc_.Channel[ch];
            return Int(what == 'S' ? c.BiasSet : c.BiasRead);
        });
    }

    std::string CalibrationQuery() {
        int ch = ChannelAt(4);
        if (ch < 0 || !Length(6))
            return Unknown();
        return MOnly([&] {
            const CHANNEL_CAL& cal = doc_.Filter.Cal[ch];
            std::string reply = "*";
            for (const RANGE_CAL* r : {&cal.High, &cal.Low}) {
                for (double v : {r->Gain, r->A, r->B, r->C, r->D, r->E}) {
                    if (reply.size() > 1)
                        reply += ',';
                    reply += Fixed6(v);
                }
            }
            return reply + "\r\n";
        });
    }

    std::string FilterOutput() {
        const auto& f = doc_.Filter.Chan;
        return fw::StringPrintf("*%ld,%s,%ld,%s\r\n", long(f[0].MeanCount),
                                Fixed6(f[0].Temperature).c_str(), long(f[1].MeanCount),
                                Fixed6(f[1].Temperature).c_str());
    }

    std::string LastCounts() {
        const auto& f = doc_.Filter.Chan;
        return fw::StringPrintf("*%ld,%ld,%s,%s\r\n", long(f[0].LastCount), long(f[1].LastCount),
                                Fixed6(f[0].Temperature).c_str(), Fixed6(f[1].Temperature).c_str());
    }

    std::string CollectionState() {
        switch (doc_.ChargeType) {
            case 0:
            case 1:
                return remote::ValueReply(doc_.Collecting ? "C" : "I");
            case 2:
                return remote::ValueReply(doc_.Collecting          ? "C"
                                          : doc_.TriggerArmed == 1 ? "A"
                                                                   : "I");
            default:
                return Unknown();
        }
    }

    std::string CollectionType() {
        switch (doc_.ChargeType) {
            case 0:
                return fw::StringPrintf("*T %ld\r\n", doc_.ChargeDuration);
            case 1:
                return remote::ValueReply("C");
            case 2:
                return remote::ValueReply("TRG");
            default:
                return Unknown();
        }
    }

    // GHTS, GHTP, GLTS, GLTP: a trigger threshold, on any screen.
    std::string ThresholdQuery() {
        const double* value = Threshold(2);
        if (value == nullptr || !Length(6))
            return Unknown();
        return "*" + formatting::Fixed(*value, 1) + "\r\n";
    }

    // The threshold named by the letters at `i` ("HTS", "HTP", "LTS", "LTP").
    double* Threshold(size_t i) {
        if (At(i + 1) != 'T')
            return nullptr;
        char range = At(i);
        char which = At(i + 2);
        if (range == 'H')
            return which == 'S' ? &doc_.HStart : which == 'P' ? &doc_.HStop : nullptr;
        if (range == 'L')
            return which == 'S' ? &doc_.LStart : which == 'P' ? &doc_.LStop : nullptr;
        return nullptr;
    }

    // ---- settings and actions --------------------------------------------------------------
    std::string Setting() {
        switch (At(2)) {
            case 'S':
                return Is("<SS>") ? MOnly([&] { return SaveSettingsNow(); }) : SetSerialNumber();
            case 'B':
                return At(3) == 'C' ? SetBiasCalibration() : At(3) == 'S' ? SetBias() : Unknown();
            case 'C':
                return At(3) == 'P' ? SetCalibration() : At(3) == 'T' ? SetChargeType() : Unknown();
            case 'R':
                return At(3) == 'G' ? SetRange() : Stream();
            case 'H':
            case 'L':
                return SetThreshold();
            case 'T':
                return Collection();
            case 'V':
                return SwitchView();
            default:
                return Unknown();
        }
    }

    std::string SaveSettingsNow() {
        return doc_.SaveSettingsFile && doc_.SaveSettingsFile() ? Done() : Refused();
    }

    // SSN and seven characters. Control characters would break the reply line, so they are
    // refused.
    std::string SetSerialNumber() {
        if (At(3) != 'N' || At(4) != ' ' || !Length(6 + kSerialLength))
            return Unknown();
        std::string_view serial = line_.substr(5, kSerialLength);
        for (char c : serial) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                return Refused();
        }
        doc_.SerialNumber = remote::FromPortText(serial);
        return Done();
    }

    std::string SetBiasCalibration() {
        int ch = ChannelAt(4);
        std::array<double, 2> mb{};
        if (ch < 0 || At(5) != ' ' || !remote::ReadNumberList(line_, 6, mb))
            return Unknown();
        return MOnly([&] {
            doc_.Filter.Cal[ch].BiasM = mb[0];
            doc_.Filter.Cal[ch].BiasB = mb[1];
            return Done();
        });
    }

    std::string SetCalibration() {
        int ch = ChannelAt(4);
        std::array<double, kCalibrationNumbers> v{};
        if (ch < 0 || At(5) != ' ' || !remote::ReadNumberList(line_, 6, v))
            return Unknown();
        return MOnly([&] {
            CHANNEL_CAL& cal = doc_.Filter.Cal[ch];
            size_t i = 0;
            for (RANGE_CAL* r : {&cal.High, &cal.Low}) {
                for (double* field : {&r->Gain, &r->A, &r->B, &r->C, &r->D, &r->E})
                    *field = v[i++];
            }
            return Done();
        });
    }

    std::string SetBias() {
        int ch = ChannelAt(4);
        if (ch < 0 || At(5) != ' ')
            return Unknown();
        auto v = remote::ReadInteger(line_, 6);
        if (!v)
            return Unknown();  // no digits at all: never taken as 0 V
        long long volts = v->value;
        bool allowed = volts == 0 || (volts >= kMinBias && volts <= kMaxBias) ||
                       (volts <= -kMinBias && volts >= -kMaxBias);
        if (!allowed || !OnM() || doc_.CorrectionRunning)
            return Refused();
        return doc_.SetBias(ch, int(volts)) ? Done() : Refused();
    }

    std::string SetRange() {
        int ch = ChannelAt(4);
        char letter = At(6);
        if (ch < 0 || At(5) != ' ' || !Length(8) || (letter != 'H' && letter != 'L'))
            return Unknown();
        if (!OnM() || !Idle())
            return Refused();
        return doc_.SetRange(ch, letter == 'H' ? 1 : 0) ? Done() : Refused();
    }

    // SRU (raw readings) and SRR (rates) switch the streaming on the remote port.
    std::string Stream() {
        char which = At(3);
        if ((which != 'U' && which != 'R') || !Length(6))
            return Unknown();
        char digit = At(4);
        if (digit != '0' && digit != '1')
            return Refused();
        (which == 'U' ? doc_.StreamRaw : doc_.StreamRate) = digit - '0';
        return Done();
    }

    std::string DataCapture() {
        if (At(2) != 'D' || At(3) != 'C' || !Length(6))
            return Unknown();
        char digit = At(4);
        if (digit != '0' && digit != '1')
            return Unknown();
        doc_.AutoDataCapture = digit - '0';
        return Done();
    }

    // SHTS, SHTP, SLTS, SLTP: start above stop, both within their limits. Anything after
    // the number is ignored.
    std::string SetThreshold() {
        double* target = Threshold(2);
        if (target == nullptr || At(5) != ' ')
            return Unknown();
        auto x = remote::ReadDouble(line_, 6);
        if (!x)
            return Refused();
        bool start = At(4) == 'S';
        double other =
            At(2) == 'H' ? (start ? doc_.HStop : doc_.HStart) : (start ? doc_.LStop : doc_.LStart);
        bool allowed = start ? x->value >= 0.2 && x->value <= 9.9 && x->value > other
                             : x->value >= 0.1 && x->value <= 9.8 && x->value < other;
        if (!allowed)
            return Refused();
        *target = x->value;
        return Done();
    }

    std::string SetChargeType() {
        if (At(4) != ' ')
            return Unknown();
        if (Is("<SCT C>"))
            return WhenIdleOnMorS([&] { doc_.SetChargeType(1, 0); });
        if (Is("<SCT TRG>"))
            return WhenIdleOnMorS([&] { doc_.SetChargeType(2, 0); });
        if (At(5) != 'T')
            return Unknown();
        auto n = remote::ReadInteger(line_, 6);
        if (!n || n->value < 1 || n->value > kMaxChargeSeconds)
            return Refused();
        long seconds = long(n->value);
        return WhenIdleOnMorS([&] { doc_.SetChargeType(0, seconds); });
    }

    // STRC starts a collection, STPC stops it; the measuring screens act on the hints.
    std::string Collection() {
        if (!Is("<STRC>") && !Is("<STPC>"))
            return Unknown();
        if (Is("<STRC>"))
            return WhenIdleOnMorS([&] { doc_.UpdateAllViews(kHintRemoteStart); });
        bool running = doc_.Collecting != 0 || doc_.TriggerArmed == 1;
        if (!OnMorS() || !running || ZeroFlag() || doc_.CorrectionRunning)
            return Refused();
        doc_.UpdateAllViews(kHintRemoteStop);
        return Done();
    }

    std::string StartZeroing() {
        if (!Is("<DZ>"))
            return Unknown();
        return WhenIdleOnMorS([&] { screen_->StartZeroingFromRemote(kShowBothChannels); });
    }

    // CZ ends the zeroing dialog that the screen registered, through its own cancel path.
    std::string CancelZeroing() {
        if (!Is("<CZ>"))
            return Unknown();
        bool allowed = OnMorS() && doc_.Collecting == 0 && doc_.TriggerArmed == 0 && ZeroFlag();
        if (!allowed || !screen_->CancelZeroingFromRemote())
            return Refused();
        doc_.Filter.Zeroing = false;
        doc_.ApplyRanges();
        return Done();
    }

    // SV1, SV2, SVB: the channel shown by the measurement screens.
    std::string SwitchView() {
        int target = At(3) == '1' ? kShowChannel1 : At(3) == '2' ? kShowChannel2 : -1;
        if (At(3) == 'B')
            target = kShowBothChannels;
        if (target < 0 || !Length(5))
            return Unknown();
        if (!OnM() || !Idle())
            return Refused();
        if (target == kShowBothChannels)
            return Kind() == RemoteScreenKind::TwoChannel ? Done() : Switch(target);
        bool sameChannel = doc_.OneChannelShown == target;
        if (Kind() == RemoteScreenKind::OneChannel && sameChannel)
            return Done();
        return Switch(target);
    }

    // A switch that fails leaves the channel shown as it was; the screen told the operator.
    std::string Switch(int target) {
        uint8_t before = doc_.OneChannelShown;
        if (target != kShowBothChannels)
            doc_.OneChannelShown = uint8_t(target);
        if (screen_->SwitchChannelView(target))
            return Done();
        doc_.OneChannelShown = before;
        return Refused();
    }

    // ---- replies ---------------------------------------------------------------------------
    static std::string Done() { return std::string(kDone); }
    static std::string Refused() { return std::string(kRefused); }
    static std::string Unknown() { return std::string(kUnrecognised); }
    static std::string Int(int v) { return fw::StringPrintf("*%d\r\n", v); }
    static std::string ValueText(const std::string& text) {
        return remote::ValueReply(remote::ToPortText(text, kMaxValueBytes));
    }

    template <typename F>
    std::string MOnly(F reply) {
        return OnM() ? reply() : Refused();
    }
    template <typename F>
    std::string MorS(F reply) {
        return OnMorS() ? reply() : Refused();
    }
    template <typename F>
    std::string WhenIdleOnMorS(F action) {
        if (!OnMorS() || !Idle())
            return Refused();
        action();
        return Done();
    }

    CKelvarinDoc& doc_;
    std::string_view line_;
    IRemoteScreen* screen_;
};

}  // namespace

void CKelvarinDoc::OnRemoteCommand(const BOARD_PACKET* line) {
    if (line == nullptr)
        return;
    std::string_view text(reinterpret_cast<const char*>(line->payload), line->length);
    RemoteCommand command(*this, text);
    if (command.Unheard())
        return;
    lastRemoteLine_.assign(text);
    std::string reply = command.Reply();
    if (link_ != nullptr)
        link_->SendRemoteText(reply);
}
