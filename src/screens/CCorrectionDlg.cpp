#include "screens/CCorrectionDlg.h"

#include <cmath>

#include "controls/CMsgBox.h"
#include "controls/ControlColors.h"
#include "controls/NumberEntry.h"
#include "document/CKelvarinDoc.h"
#include "document/Formatting.h"
#include "fw/EventLoop.h"
#include "fw/Resources.h"
#include "fw/Text.h"

namespace {

constexpr int kFontHeight = 18;
constexpr int kTitleFontHeight = 22;
constexpr int kResultFontHeight = 30;
constexpr fw::Rect kTitleRect{10, 6, 630, 40};
constexpr fw::Rect kPolarityRect{10, 46, 315, 86};
constexpr fw::Rect kRecombinationRect{325, 46, 630, 86};
constexpr fw::Rect kBeamCaptionRect{10, 92, 130, 132};
constexpr fw::Rect kContinuousRect{140, 92, 330, 132};
constexpr fw::Rect kPulsedRect{340, 92, 530, 132};
constexpr fw::Rect kRatioCaptionRect{10, 138, 130, 178};
constexpr int kRatioLeft = 140;
constexpr int kRatioWidth = 66;
constexpr int kRatioGap = 6;
constexpr fw::Rect kLowBiasRect{500, 138, 630, 178};
constexpr fw::Rect kSettleRect{10, 184, 210, 224};
constexpr fw::Rect kReadingTimeRect{220, 184, 420, 224};
constexpr fw::Rect kReadingsRect{430, 184, 630, 224};
constexpr fw::Rect kStatusRect{10, 230, 630, 260};
constexpr fw::Rect kBarRect{10, 264, 630, 282};
constexpr int kStepTop = 288;
constexpr int kStepHeight = 26;
constexpr fw::Rect kResultRect{10, 368, 630, 414};
constexpr fw::Rect kStartRect{10, 422, 210, 472};
constexpr fw::Rect kCloseRect{430, 422, 630, 472};
constexpr fw::Color kBarBackground = fw::Color::Rgb(224, 224, 224);
constexpr fw::Color kFaultText = fw::Color::Rgb(255, 255, 0);

constexpr const char* kKeptText = "Kept with the data set. Not applied to the dose.";

// A charge on the Low range's unit ladder whatever the range (three digits before the point
// at most), with four decimals: a factor to five decimals needs them.
std::string ChargeText(double pc) {
    const formatting::ChargeUnit unit = formatting::ChargeUnitFor(false, std::abs(pc));
    return formatting::Fixed(pc / unit.pcPerUnit, 4) + " " + fw::LoadString(unit.unitId);
}

}  // namespace

CCorrectionDlg::CCorrectionDlg(CKelvarinDoc& doc, uint8_t channel) : doc_(doc) {
    plan_.channel = channel & 1;
    plan_.settleSeconds = kDefaultSettleSeconds;
    // A reading lasts as long as the screen's timed collection.
    plan_.readingSeconds =
        doc.ChargeType == 0 && doc.ChargeDuration > 0 ? doc.ChargeDuration : doc.DefChargeDuration;
    plan_.readingSeconds =
        std::clamp(plan_.readingSeconds, 1L, CCorrectionProcedure::kMaxReadingSeconds);
    const int16_t bias = doc.Channel[plan_.channel].BiasSet;
    for (double ratio : CCorrectionProcedure::kRatios) {
        if (CCorrectionProcedure::LowBias(bias, ratio) != 0) {
            plan_.voltageRatio = ratio;
            break;
        }
    }
    Create(nullptr, fw::kScreenRect);
    CreateControls();
}

CCorrectionDlg::~CCorrectionDlg() = default;

void CCorrectionDlg::CreateControls() {
    title_.Create(this, kTitleRect);
    title_.SetFontHeight(kTitleFontHeight);
    title_.SetBold(true);
    beamCaption_.Create(this, kBeamCaptionRect, 0, "Beam:");
    ratioCaption_.Create(this, kRatioCaptionRect, 0, "V_H / V_L:");
    lowBias_.Create(this, kLowBiasRect);
    status_.Create(this, kStatusRect, kIdStatus);
    result_.Create(this, kResultRect, kIdResult);
    result_.SetFontHeight(kResultFontHeight);
    result_.SetBold(true);
    for (size_t i = 0; i < stepRows_.size(); ++i) {
        const int top = kStepTop + int(i) * kStepHeight;
        stepRows_[i].Create(this, {10, top, 630, top + kStepHeight}, kIdStepRow + int(i));
        stepRows_[i].SetAlignment(CLabel::kLeft);
    }
    for (CLabel* l : {&title_, &beamCaption_, &ratioCaption_, &lowBias_, &status_, &result_,
                      &stepRows_[0], &stepRows_[1], &stepRows_[2]}) {
        l->SetBkColor(controls::kDialogBackground);
        l->SetTextColor(fw::colors::kWhite);
        if (l != &title_ && l != &result_)
            l->SetFontHeight(kFontHeight);
    }
    status_.SetBold(true);
    polarity_.Create(this, kPolarityRect, kIdPolarity, "Polarity");
    recombination_.Create(this, kRecombinationRect, kIdRecombination, "Recombination");
    continuous_.Create(this, kContinuousRect, kIdContinuous, "Continuous");
    pulsed_.Create(this, kPulsedRect, kIdPulsed, "Pulsed");
    for (size_t i = 0; i < ratios_.size(); ++i) {
        const int left = kRatioLeft + int(i) * (kRatioWidth + kRatioGap);
        ratios_[i].Create(this, {left, 138, left + kRatioWidth, 178}, kIdRatio + int(i),
                          CCorrectionProcedure::RatioText(CCorrectionProcedure::kRatios[i]));
    }
    settle_.Create(this, kSettleRect, kIdSettle);
    readingTime_.Create(this, kReadingTimeRect, kIdReadingTime);
    readings_.Create(this, kReadingsRect, kIdReadings);
    start_.Create(this, kStartRect, kIdStart, "Start");
    close_.Create(this, kCloseRect, kIdClose, "Close");
    for (CBttn* b : {&start_, &close_}) {
        b->SetBkColor(controls::kActionButton);
        b->SetTextColor(fw::colors::kWhite);
        b->SetBold(true);
    }
    for (CBttn* b : {&polarity_, &recombination_, &continuous_, &pulsed_, &ratios_[0], &ratios_[1],
                     &ratios_[2], &ratios_[3], &ratios_[4], &settle_, &readingTime_, &readings_})
        b->SetFontHeight(kFontHeight);
}

void CCorrectionDlg::OnInitDialog() {
    ShowPlan();
    ShowProgress();
}

void CCorrectionDlg::Select(CBttn& button, bool selected) {
    button.SetBkColor(selected ? controls::kActionButton : fw::colors::kWhite);
    button.SetTextColor(selected ? fw::colors::kWhite : fw::colors::kBlack);
    button.SetBold(selected);
}

// The choices as the plan holds them; they are locked once the procedure has started.
void CCorrectionDlg::ShowPlan() {
    // While it runs the channel's bias is the step's: the plan is the usual bias'.
    const int16_t bias = procedure_ ? procedure_->UsualBias() : doc_.Channel[plan_.channel].BiasSet;
    title_.SetText(
        fw::StringPrintf("Chamber Corrections  CH %d  at %+d V", plan_.channel + 1, bias));
    Select(polarity_, plan_.polarity);
    Select(recombination_, !plan_.polarity);
    Select(continuous_, plan_.beam == measure::BeamKind::Continuous);
    Select(pulsed_, plan_.beam == measure::BeamKind::Pulsed);
    const bool editable = !Running();
    for (size_t i = 0; i < ratios_.size(); ++i) {
        const double ratio = CCorrectionProcedure::kRatios[i];
        Select(ratios_[i], ratio == plan_.voltageRatio);
        ratios_[i].Enable(editable && CCorrectionProcedure::LowBias(bias, ratio) != 0);
    }
    const int16_t low = CCorrectionProcedure::LowBias(bias, plan_.voltageRatio);
    lowBias_.SetText(low != 0 ? fw::StringPrintf("V_L %+d V", low) : std::string("V_L ----"));
    for (fw::Window* w : std::initializer_list<fw::Window*>{
             &beamCaption_, &continuous_, &pulsed_, &ratioCaption_, &ratios_[0], &ratios_[1],
             &ratios_[2], &ratios_[3], &ratios_[4], &lowBias_})
        w->Show(!plan_.polarity);
    settle_.SetCaption(fw::StringPrintf("Settling %d s", plan_.settleSeconds));
    readingTime_.SetCaption(fw::StringPrintf("Reading %ld s", plan_.readingSeconds));
    readings_.SetCaption(fw::StringPrintf("%d per bias", plan_.readingsPerStep));
    for (CBttn* b :
         {&polarity_, &recombination_, &continuous_, &pulsed_, &settle_, &readingTime_, &readings_})
        b->Enable(editable);
}

double CCorrectionDlg::ProgressShare() const {
    if (!procedure_)
        return 0.0;
    switch (procedure_->GetPhase()) {
        case CCorrectionProcedure::Phase::Settling:
            return 1.0 - double(procedure_->SettleRemaining()) / plan_.settleSeconds;
        case CCorrectionProcedure::Phase::Collecting:
            return 1.0 - double(procedure_->ReadingRemaining()) / double(plan_.readingSeconds);
        case CCorrectionProcedure::Phase::Done:
            return 1.0;
        default:
            return 0.0;
    }
}

void CCorrectionDlg::ShowProgress() {
    using Phase = CCorrectionProcedure::Phase;
    const Phase phase = procedure_ ? procedure_->GetPhase() : Phase::Ready;
    const int16_t bias = procedure_ && !procedure_->Steps().empty()
                             ? procedure_->Steps()[procedure_->StepIndex()].bias
                             : int16_t(0);
    status_.SetTextColor(fw::colors::kWhite);
    switch (phase) {
        case Phase::Ready:
            status_.SetText(plan_.polarity ? "Readings at V, at -V, then at V again."
                                           : "Readings at V_H, then at V_L = V_H / n.");
            break;
        case Phase::Settling:
            status_.SetText(fw::StringPrintf("Settling at %+d V: %d s left", bias,
                                             procedure_->SettleRemaining()));
            break;
        case Phase::Collecting:
            status_.SetText(fw::StringPrintf("Reading %d of %d at %+d V: %ld s left",
                                             procedure_->ReadingNumber(), plan_.readingsPerStep,
                                             bias, procedure_->ReadingRemaining()));
            break;
        case Phase::Done:
            status_.SetText(kKeptText);
            break;
        default:
            status_.SetTextColor(kFaultText);
            status_.SetText(phase == Phase::Cancelled ? procedure_->Message()
                                                      : std::string("Ended without a result."));
            break;
    }
    start_.Show(!Running());
    close_.SetCaption(Running() ? "Cancel" : "Close");
    ShowSteps();
    ShowOutcome();
    Invalidate();
}

void CCorrectionDlg::ShowSteps() {
    for (size_t i = 0; i < stepRows_.size(); ++i) {
        if (!procedure_ || i >= procedure_->Steps().size()) {
            stepRows_[i].ClearText();
            continue;
        }
        const CCorrectionProcedure::Step& step = procedure_->Steps()[i];
        std::string text = fw::StringPrintf("%zu.  %+d V:", i + 1, step.bias);
        for (double m : step.readings)
            text += "   " + ChargeText(m);
        stepRows_[i].SetText(text);
    }
}

void CCorrectionDlg::ShowOutcome() {
    using Phase = CCorrectionProcedure::Phase;
    const bool done = procedure_ && procedure_->GetPhase() == Phase::Done;
    result_.SetText(done ? fw::StringPrintf("%s = %.5f", plan_.polarity ? "k_pol" : "P_ion",
                                            procedure_->Factor())
                         : std::string());
    // A fault is told once the procedure has ended and the bias is back, at the next turn
    // of the loop rather than inside the board's packet that ended it.
    if (procedure_ && procedure_->GetPhase() == Phase::Failed && !failureTold_) {
        failureTold_ = true;
        fw::Loop().PostTask([handle = Handle(), text = procedure_->Message()] {
            if (fw::Window::FromHandle(handle) != nullptr)
                CMsgBox::Show(text);
        });
    }
}

void CCorrectionDlg::OnPaint(fw::Dc& dc) {
    CModalDialog::OnPaint(dc);
    dc.FillRect(kBarRect, kBarBackground);
    const int filled = int(std::lround(kBarRect.Width() * std::clamp(ProgressShare(), 0.0, 1.0)));
    dc.FillRect(fw::Rect{kBarRect.left, kBarRect.top, kBarRect.left + filled, kBarRect.bottom},
                controls::kActionButton);
    dc.FrameRect(kBarRect, controls::kGrey, 1);
}

void CCorrectionDlg::OnDocumentHint(int hint) {
    if (procedure_)
        procedure_->OnHint(hint);
}

void CCorrectionDlg::OnSecond() {
    if (procedure_)
        procedure_->OnSecond();
}

bool CCorrectionDlg::OnDialogCommand(int commandId, fw::Window*) {
    if (commandId == kIdStart) {
        OnStart();
        return true;
    }
    if (commandId == kIdClose) {
        OnClose();
        return true;
    }
    if (Running()) {
        return true;  // the choices are fixed while it runs
    } else if (commandId == kIdPolarity || commandId == kIdRecombination) {
        plan_.polarity = commandId == kIdPolarity;
    } else if (commandId == kIdContinuous || commandId == kIdPulsed) {
        plan_.beam =
            commandId == kIdContinuous ? measure::BeamKind::Continuous : measure::BeamKind::Pulsed;
    } else if (commandId >= kIdRatio && commandId < kIdRatio + int(ratios_.size())) {
        plan_.voltageRatio = CCorrectionProcedure::kRatios[commandId - kIdRatio];
    } else if (commandId == kIdSettle) {
        AskSettle();
    } else if (commandId == kIdReadingTime) {
        AskReadingTime();
    } else if (commandId == kIdReadings) {
        AskReadings();
    } else {
        return false;
    }
    procedure_.reset();  // a new choice starts afresh
    ShowPlan();
    ShowProgress();
    return true;
}

void CCorrectionDlg::OnStart() {
    if (Running())
        return;
    procedure_ = std::make_unique<CCorrectionProcedure>(doc_, plan_);
    procedure_->SetOnChanged([this] {
        ShowPlan();
        ShowProgress();
    });
    failureTold_ = false;
    if (!procedure_->Start()) {
        const std::string why = procedure_->Message();
        procedure_.reset();
        CMsgBox::Show(why);
    }
    ShowPlan();
    ShowProgress();
}

void CCorrectionDlg::OnClose() {
    if (Running()) {
        procedure_->Cancel();
        return;
    }
    Finish(fw::kIdOk);
}

void CCorrectionDlg::OnClosing() {
    // Closed by a standby request or a view switch: nothing runs on behind it.
    if (Running())
        procedure_->Cancel();
}

void CCorrectionDlg::AskSettle() {
    auto v = AskForNumber({"Enter Settling Time", "Secs", std::to_string(plan_.settleSeconds),
                           double(CCorrectionProcedure::kMinSettleSeconds),
                           double(CCorrectionProcedure::kMaxSettleSeconds), "", 0, 3, false});
    if (v)
        plan_.settleSeconds = int(*v);
}

void CCorrectionDlg::AskReadingTime() {
    auto v = AskForNumber({"Enter Reading Time", "Secs", std::to_string(plan_.readingSeconds), 1.0,
                           double(CCorrectionProcedure::kMaxReadingSeconds), "", 0, 4, false});
    if (v)
        plan_.readingSeconds = long(*v);
}

void CCorrectionDlg::AskReadings() {
    auto v =
        AskForNumber({"Enter Readings per Bias", "Readings", std::to_string(plan_.readingsPerStep),
                      1.0, double(CCorrectionProcedure::kMaxReadingsPerStep), "", 0, 2, false});
    if (v)
        plan_.readingsPerStep = int(*v);
}
