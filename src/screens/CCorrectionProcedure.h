#pragma once
// A guided chamber correction: the instrument changes the channel's bias itself, waits for
// the chamber to settle, confirms the board's bias read-back, takes timed collections at
// each bias and works out the factor. Polarity: the usual bias V, then -V, then V again.
// Recombination: V_H (the usual bias), then V_L = V_H / n. The bias and the collection
// set-up are put back at the end, on a fault and on cancel; standby and remote starts are
// refused while it runs. A result joins the data set; nothing applies it to a dose.
//
// It is driven from outside: OnHint with the document's hints (a reading ends on the
// collection hint), OnSecond once a second (the settling wait).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "document/CorrectionResult.h"
#include "measure/ChamberCorrections.h"

class CKelvarinDoc;

struct CorrectionPlan {
    bool polarity = true;  // false: recombination
    uint8_t channel = 0;
    measure::BeamKind beam = measure::BeamKind::Continuous;
    double voltageRatio = 2.0;  // n = V_H / V_L
    int readingsPerStep = 1;
    long readingSeconds = 15;
    int settleSeconds = 60;
};

class CCorrectionProcedure {
  public:
    static constexpr int kMinSettleSeconds = 1;
    static constexpr int kMaxSettleSeconds = 600;
    static constexpr long kMaxReadingSeconds = 3600;
    static constexpr int kMaxReadingsPerStep = 10;
    static constexpr double kRatios[] = {2.0, 2.5, 3.0, 4.0, 5.0};

    enum class Phase { Ready, Settling, Collecting, Done, Failed, Cancelled };
    struct Step {
        int16_t bias = 0;
        std::vector<double> readings;  // pC
    };

    CCorrectionProcedure(CKelvarinDoc& doc, CorrectionPlan plan);
    ~CCorrectionProcedure();  // a procedure still running is cancelled
    CCorrectionProcedure(const CCorrectionProcedure&) = delete;
    CCorrectionProcedure& operator=(const CCorrectionProcedure&) = delete;

    // Why the plan cannot start now (no bias, V_L outside the bias limits, ...); empty when
    // it can. The steps follow the channel's bias as it is now.
    std::string CheckPlan() const;
    // V_L for the usual bias and `ratio`, 0 when the bias supply cannot set it.
    static int16_t LowBias(int16_t usualBias, double ratio);
    // A voltage ratio as the operator chooses it: "2", "2.5".
    static std::string RatioText(double ratio);
    // False (and Message()) when it cannot start.
    bool Start();
    void OnHint(int hint);
    void OnSecond();
    // Ends a running procedure, the instrument put back as it was; nothing is kept.
    void Cancel();

    Phase GetPhase() const { return phase_; }
    bool Running() const { return phase_ == Phase::Settling || phase_ == Phase::Collecting; }
    const CorrectionPlan& Plan() const { return plan_; }
    const std::vector<Step>& Steps() const { return steps_; }
    int StepIndex() const { return step_; }
    int ReadingNumber() const;  // 1-based, of the reading being taken
    int SettleRemaining() const { return settleRemaining_; }
    // Seconds left of the reading being taken.
    long ReadingRemaining() const;
    int16_t UsualBias() const { return usualBias_; }
    double Factor() const { return factor_; }
    const std::string& Message() const { return message_; }
    // Told after every change of phase, step, reading or countdown.
    void SetOnChanged(std::function<void()> onChanged) { onChanged_ = std::move(onChanged); }

  private:
    struct SavedSetup {
        uint8_t chargeType = 0;
        long chargeDuration = 0;
    };
    void PlanSteps();
    void BeginStep(size_t index);
    void StartReading();
    void OnReadingEnded();
    bool ReadingIsSound(double charge);
    void Finish();
    measure::CorrectionOutcome Compute() const;
    void KeepResult();
    void Fail(const std::string& message);
    // The bias and the collection set-up as they were (once); false when the bias could not
    // be sent.
    bool PutBack();
    void Changed();

    CKelvarinDoc& doc_;
    CorrectionPlan plan_;
    Phase phase_ = Phase::Ready;
    std::vector<Step> steps_;
    size_t step_ = 0;
    int16_t usualBias_ = 0;
    int settleRemaining_ = 0;
    SavedSetup saved_;
    bool biasRestored_ = true;
    double factor_ = 0.0;
    std::string message_;
    std::function<void()> onChanged_;
};
