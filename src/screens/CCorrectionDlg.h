#pragma once
// The guided corrections of one channel, over the whole panel: the operator chooses the
// procedure (polarity or recombination), the beam and the voltage ratio, the settling wait
// and the readings, starts it, watches the wait count down and the readings come in, and
// reads the factor with the readings it came from. Cancel puts everything back.
#include <array>
#include <memory>
#include <string>

#include "controls/CBttn.h"
#include "controls/CLabel.h"
#include "controls/CModalDialog.h"
#include "screens/CCorrectionProcedure.h"

class CKelvarinDoc;

class CCorrectionDlg : public CModalDialog {
  public:
    static constexpr int kIdPolarity = 2301;
    static constexpr int kIdRecombination = 2302;
    static constexpr int kIdContinuous = 2303;
    static constexpr int kIdPulsed = 2304;
    static constexpr int kIdRatio = 2305;  // .. 2309, one per voltage ratio
    static constexpr int kIdSettle = 2310;
    static constexpr int kIdReadingTime = 2311;
    static constexpr int kIdReadings = 2312;
    static constexpr int kIdStart = 2313;
    static constexpr int kIdClose = 2314;  // "Close", or "Cancel" while it runs
    static constexpr int kIdStatus = 2315;
    static constexpr int kIdResult = 2316;
    static constexpr int kIdStepRow = 2317;  // .. 2319, one per bias step
    static constexpr int kDefaultSettleSeconds = 60;

    CCorrectionDlg(CKelvarinDoc& doc, uint8_t channel);
    ~CCorrectionDlg() override;

    // What the screen passes on while the dialog is open.
    void OnDocumentHint(int hint);
    void OnSecond();

    const CCorrectionProcedure* Procedure() const { return procedure_.get(); }
    const CorrectionPlan& Plan() const { return plan_; }

    void OnPaint(fw::Dc& dc) override;

  protected:
    void OnInitDialog() override;
    bool OnDialogCommand(int commandId, fw::Window* from) override;
    void OnClosing() override;

  private:
    void CreateControls();
    void OnStart();
    void OnClose();
    void AskSettle();
    void AskReadingTime();
    void AskReadings();
    void ShowPlan();
    void ShowProgress();
    void ShowSteps();
    void ShowOutcome();
    static void Select(CBttn& button, bool selected);
    bool Running() const { return procedure_ && procedure_->Running(); }
    // The share of the wait or of the reading done, 0..1.
    double ProgressShare() const;

    CKelvarinDoc& doc_;
    CorrectionPlan plan_;
    std::unique_ptr<CCorrectionProcedure> procedure_;
    bool failureTold_ = false;
    CLabel title_, beamCaption_, ratioCaption_, lowBias_, status_, result_;
    std::array<CLabel, 3> stepRows_;
    CBttn polarity_, recombination_, continuous_, pulsed_;
    std::array<CBttn, 5> ratios_;
    CBttn settle_, readingTime_, readings_, start_, close_;
};
