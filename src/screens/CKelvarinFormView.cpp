#include "screens/CKelvarinFormView.h"

#include "link/WindowMessages.h"

void CKelvarinFormView::StartBoardPoll() {
    SetTimer(IDT_BOARD_POLL, kBoardPollPeriodMs);
}

bool CKelvarinFormView::OnMessage(const fw::Message& msg) {
    switch (msg.id) {
        case WM_BOARD_READY:
            OnBoardReady();
            return true;
        case WM_BOARD_STANDBY:
            OnBoardStandby();
            return true;
        case WM_BOARD_WAKE:
            OnBoardWake();
            return true;
        case WM_BOARD_POWER_ON:
            OnBoardPowerOn();
            return true;
        default:
            return false;
    }
}

void CKelvarinFormView::OnTimer(int id) {
    if (id == IDT_BOARD_POLL && GetDoc() != nullptr)
        GetDoc()->SendPoll();
}

void CKelvarinFormView::OnBoardReady() {
    KillTimer(IDT_BOARD_POLL);
}
