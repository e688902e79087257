#include "screens/CCorrectionProcedure.h"

#include <cmath>

#include "document/CKelvarinDoc.h"
#include "fw/Text.h"
#include "screens/OneChannelEntry.h"

namespace {

constexpr uint8_t kTimed = 0;

constexpr const char* kNoBiasText =
    "Set the chamber's bias first:\r\nthe procedure starts from it.";
constexpr const char* kBiasNotSettledText =
    "The bias read-back is not at its set\r\nvalue yet: wait, then start again.";
constexpr const char* kBusyText = "A collection or zeroing is running.";
constexpr const char* kNotSentText = "The bias could not be sent to the board.";
constexpr const char* kBiasChangedText = "The bias was changed during the procedure.";
constexpr const char* kStoppedText = "A collection was stopped before its end.";
constexpr const char* kOverRangeText = "A reading is over range.";

std::string FaultText(measure::CorrectionFault fault) {
    using measure::CorrectionFault;
    switch (fault) {
        case CorrectionFault::ZeroReading:
            return "A reading is zero: is the chamber\r\nconnected and the beam on?";
        case CorrectionFault::NonFiniteReading:
            return "A reading is not a number.";
        case CorrectionFault::MixedSigns:
            return "The readings at one bias differ in sign.";
        case CorrectionFault::PolarityNotReversed:
            return "The readings did not change sign\r\nwith the bias.";
        case CorrectionFault::SignChanged:
            return "The readings at V_H and V_L differ in sign.";
        case CorrectionFault::ZeroDivisor:
            return "M_H/M_L equals the voltage ratio:\r\nthe factor cannot be worked out.";
        case CorrectionFault::NoFactor:
            return "The readings give no factor:\r\nrepeat with a steady beam.";
        default:
            return "The two voltages cannot be used.";
    }
}

}  // namespace

CCorrectionProcedure::CCorrectionProcedure(CKelvarinDoc& doc, CorrectionPlan plan)
    : doc_(doc), plan_(plan) {
    plan_.channel &= 1;
}

CCorrectionProcedure::~CCorrectionProcedure() {
    if (Running()) {
        onChanged_ = nullptr;  // whoever listened is going too
        Cancel();
    }
}

int16_t CCorrectionProcedure::LowBias(int16_t usualBias, double ratio) {
    const int low = measure::LowBiasFor(usualBias, ratio);
    return low != 0 && one_channel::IsValidBias(low) ? int16_t(low) : int16_t(0);
}

std::string CCorrectionProcedure::RatioText(double ratio) {
    return fw::StringPrintf("%g", ratio);
}

std::string CCorrectionProcedure::CheckPlan() const {
    const int16_t bias = doc_.Channel[plan_.channel].BiasSet;
    std::string text;
    if (bias == 0)
        return kNoBiasText;
    if (!doc_.CheckBias(plan_.channel, text))
        return kBiasNotSettledText;
    if (doc_.Collecting || doc_.TriggerArmed || doc_.Filter.Zeroing)
        return kBusyText;
    if (!plan_.polarity && LowBias(bias, plan_.voltageRatio) == 0) {
        return fw::StringPrintf("%+d V / %s is outside the bias\r\nlimits (100 V to 1000 V).", bias,
                                RatioText(plan_.voltageRatio).c_str());
    }
    return {};
}

void CCorrectionProcedure::PlanSteps() {
    usualBias_ = doc_.Channel[plan_.channel].BiasSet;
    steps_.clear();
    if (plan_.polarity) {
        for (int16_t bias : {usualBias_, int16_t(-usualBias_), usualBias_})
            steps_.push_back(Step{bias, {}});
    } else {
        steps_.push_back(Step{usualBias_, {}});
        steps_.push_back(Step{LowBias(usualBias_, plan_.voltageRatio), {}});
    }
}

bool CCorrectionProcedure::Start() {
    if (Running())
        return false;
    message_ = CheckPlan();
    if (!message_.empty())
        return false;
    PlanSteps();
    saved_ = SavedSetup{doc_.ChargeType, doc_.ChargeDuration};
    doc_.CorrectionRunning = 1;
    // Every reading is a timed collection of the plan's length.
    doc_.ChargeType = kTimed;
    doc_.ChargeDuration = plan_.readingSeconds;
    factor_ = 0.0;
    BeginStep(0);
    return true;
}

void CCorrectionProcedure::BeginStep(size_t index) {
    step_ = index;
    const int16_t bias = steps_[index].bias;
    if (doc_.Channel[plan_.channel].BiasSet == bias) {
        StartReading();
        return;
    }
    if (!doc_.SetBias(plan_.channel, bias)) {
        Fail(kNotSentText);
        return;
    }
    phase_ = Phase::Settling;
    settleRemaining_ = plan_.settleSeconds;
    Changed();
}

void CCorrectionProcedure::OnSecond() {
    if (phase_ != Phase::Settling)
        return;
    if (--settleRemaining_ > 0) {
        Changed();
        return;
    }
    // The board has answered the bias command and read the new bias back within tolerance.
    const int16_t bias = steps_[step_].bias;
    const CHANNEL_INFO& c = doc_.Channel[plan_.channel];
    std::string text;
    if (c.BiasSet != bias || !doc_.CheckBias(plan_.channel, text)) {
        Fail(fw::StringPrintf("The board did not confirm %+d V\r\n(read back %+d V).", bias,
                              c.BiasRead));
        return;
    }
    StartReading();
}

void CCorrectionProcedure::StartReading() {
    phase_ = Phase::Collecting;
    Changed();
    doc_.StartCollection();
}

int CCorrectionProcedure::ReadingNumber() const {
    if (steps_.empty())
        return 0;
    return int(steps_[step_].readings.size()) + (phase_ == Phase::Collecting ? 1 : 0);
}

long CCorrectionProcedure::ReadingRemaining() const {
    return phase_ == Phase::Collecting ? long(doc_.Filter.ElapsedSeconds) : 0;
}

void CCorrectionProcedure::OnHint(int hint) {
    if (phase_ != Phase::Collecting)
        return;
    if (hint == kHintCollection && doc_.Collecting == 0)
        OnReadingEnded();
    else if (hint == kHintCollection)
        Changed();  // a second of the reading
}

void CCorrectionProcedure::OnReadingEnded() {
    Step& step = steps_[step_];
    if (doc_.Channel[plan_.channel].BiasSet != step.bias) {
        Fail(kBiasChangedText);
        return;
    }
    if (doc_.Filter.ElapsedSeconds != 0) {
        Fail(kStoppedText);
        return;
    }
    const double charge = doc_.Filter.Chan[plan_.channel].Charge;
    if (!ReadingIsSound(charge))
        return;
    step.readings.push_back(charge);
    if (int(step.readings.size()) < plan_.readingsPerStep) {
        StartReading();
    } else if (step_ + 1 < steps_.size()) {
        BeginStep(step_ + 1);
    } else {
        Finish();
    }
}

bool CCorrectionProcedure::ReadingIsSound(double charge) {
    if (doc_.Filter.Chan[plan_.channel].OverRangeLatched) {
        Fail(kOverRangeText);
        return false;
    }
    if (!std::isfinite(charge) || charge == 0.0) {
        Fail(FaultText(std::isfinite(charge) ? measure::CorrectionFault::ZeroReading
                                             : measure::CorrectionFault::NonFiniteReading));
        return false;
    }
    return true;
}

measure::CorrectionOutcome CCorrectionProcedure::Compute() const {
    using measure::CorrectionOutcome;
    if (plan_.polarity) {
        std::vector<double> usual = steps_[0].readings;
        usual.insert(usual.end(), steps_[2].readings.begin(), steps_[2].readings.end());
        const CorrectionOutcome mUsual = measure::MeanOfReadings(usual);
        const CorrectionOutcome mReversed = measure::MeanOfReadings(steps_[1].readings);
        if (!mUsual.Ok())
            return mUsual;
        if (!mReversed.Ok())
            return mReversed;
        const bool positive = usualBias_ > 0;
        return measure::PolarityFactor(positive ? mUsual.value : mReversed.value,
                                       positive ? mReversed.value : mUsual.value, positive);
    }
    const CorrectionOutcome mHigh = measure::MeanOfReadings(steps_[0].readings);
    const CorrectionOutcome mLow = measure::MeanOfReadings(steps_[1].readings);
    if (!mHigh.Ok())
        return mHigh;
    if (!mLow.Ok())
        return mLow;
    return measure::RecombinationFactor(plan_.beam, steps_[0].bias, steps_[1].bias, mHigh.value,
                                        mLow.value);
}

void CCorrectionProcedure::Finish() {
    const bool putBack = PutBack();
    const measure::CorrectionOutcome outcome = Compute();
    if (!outcome.Ok() || !putBack) {
        Fail(outcome.Ok() ? std::string() : FaultText(outcome.fault));
        return;
    }
    factor_ = outcome.value;
    KeepResult();
    phase_ = Phase::Done;
    message_.clear();
    Changed();
}

void CCorrectionProcedure::KeepResult() {
    CORRECTION_RESULT result;
    result.Channel = plan_.channel;
    result.Polarity = plan_.polarity;
    result.Beam = plan_.beam;
    for (const Step& step : steps_) {
        for (double charge : step.readings)
            result.Readings.push_back(CORRECTION_READING{step.bias, charge});
    }
    result.Factor = factor_;
    doc_.AddCorrectionResult(std::move(result));
}

void CCorrectionProcedure::Cancel() {
    if (!Running())
        return;
    const bool putBack = PutBack();
    phase_ = Phase::Cancelled;
    message_ = putBack ? fw::StringPrintf("Cancelled: the bias is back at %+d V.", usualBias_)
                       : std::string("Cancelled. The bias could not be restored:\r\nset it again.");
    Changed();
}

void CCorrectionProcedure::Fail(const std::string& message) {
    const bool putBack = PutBack();
    phase_ = Phase::Failed;
    message_ = message;
    if (!message_.empty())
        message_ += "\r\n";
    message_ += putBack ? fw::StringPrintf("The bias is back at %+d V.", usualBias_)
                        : std::string("The bias could not be restored: set it again.");
    Changed();
}

bool CCorrectionProcedure::PutBack() {
    if (!doc_.CorrectionRunning)
        return biasRestored_;  // already put back
    doc_.CorrectionRunning = 0;
    if (doc_.Collecting) {
        doc_.Collecting = 0;  // a reading cut short is no reading
        doc_.Filter.ResetCharge();
    }
    doc_.ChargeType = saved_.chargeType;
    doc_.ChargeDuration = saved_.chargeDuration;
    bool sent = true;
    if (doc_.Channel[plan_.channel].BiasSet != usualBias_)
        sent = doc_.SetBias(plan_.channel, usualBias_);
    doc_.UpdateAllViews(kHintSettings);  // the collection set-up is shown as it was
    biasRestored_ = sent;
    return sent;
}

void CCorrectionProcedure::Changed() {
    if (onChanged_)
        onChanged_();
}
