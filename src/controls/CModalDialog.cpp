#include "controls/CModalDialog.h"

#include "controls/ControlColors.h"

int CModalDialog::DoModal() {
    closing_ = false;
    dismissed_ = false;
    if (!controls::ModalsMayOpen()) {
        closing_ = true;
        dismissed_ = true;
        return kIdStandby;
    }
    controls::OpenModalScope registered(this);
    return fw::Dialog::DoModal();
}

void CModalDialog::DismissForStandby() {
    if (closing_)
        return;
    dismissed_ = true;
    Finish(kIdStandby);
}

void CModalDialog::Finish(int result) {
    if (closing_)
        return;
    closing_ = true;
    OnClosing();
    EndDialog(result);
}

void CModalDialog::OnPaint(fw::Dc& dc) {
    dc.FillRect(GetRect(), controls::kDialogBackground);
    // Smaller than the panel: a frame sets the box off from the screen below it.
    if (!(GetRect() == fw::kScreenRect))
        dc.FrameRect(GetRect(), fw::colors::kBlack, 2);
}

bool CModalDialog::OnCommand(int commandId, fw::Window* from) {
    if (closing_ || !IsOpen())
        return true;
    return OnDialogCommand(commandId, from);
}
