#include "app/CMainFrame.h"

#include "fw/Dialog.h"
#include "link/WindowMessages.h"
#include "screens/CStandbyView.h"

CMainFrame::CMainFrame(CKelvarinDoc& doc) : fw::Frame(doc), doc_(doc) {
    doc_.SetLink(this);
    OpenPort(mainBoard_, kMainBoardPort, "Error Opening MainBoard COM Port");
    OpenPort(external_, kExternalPort, "Error Opening Ext COM Port");
}

CMainFrame::~CMainFrame() {
    mainBoard_.Close();
    external_.Close();
    if (doc_.Link() == this)
        doc_.SetLink(nullptr);
}

void CMainFrame::OpenPort(CSerialPort& port, uint32_t number, const char* failureText) {
    if (port.Open(Handle(), number)) {
        port.StartReader();
    } else {
        fw::ShowMessageBox(failureText);
    }
}

bool CMainFrame::OnMessage(const fw::Message& msg) {
    if (msg.id != WM_SERIAL_RX)
        return false;
    OnSerialRx(msg.wparam, msg.data);
    return true;
}

void CMainFrame::OnSerialRx(uintptr_t port, const std::vector<uint8_t>& record) {
    BOARD_PACKET packet;
    if (!PacketFromBytes(record.data(), record.size(), packet))
        return;
    if (port == kMainBoardPort) {
        doc_.OnBoardPacket(&packet);
        return;
    }
    // No reply at all while the instrument is in standby.
    if (dynamic_cast<CStandbyView*>(ActiveView()) != nullptr)
        return;
    doc_.OnRemoteCommand(&packet);
}
