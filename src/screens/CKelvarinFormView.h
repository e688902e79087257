#pragma once
// The base of every full-screen view: the board's messages and the start-up poll.
#include "document/CKelvarinDoc.h"
#include "fw/View.h"

class CKelvarinFormView : public fw::View {
  public:
    CKelvarinDoc* GetDoc() const { return static_cast<CKelvarinDoc*>(GetDocument()); }

    // Starts the 500 ms board poll on this view (the first view at start-up).
    void StartBoardPoll();

    bool OnMessage(const fw::Message& msg) override;
    void OnTimer(int id) override;

  protected:
    virtual void OnBoardReady();
    virtual void OnBoardStandby() {}
    virtual void OnBoardWake() {}
    virtual void OnBoardPowerOn() {}
};
