#include "document/CKelvarinDoc.h"

#include "fw/EventLoop.h"
#include "link/WindowMessages.h"

bool CKelvarinDoc::SendCommand(uint8_t code, std::initializer_list<uint8_t> payload,
                               uint8_t status) {
    if (link_ == nullptr)
        return false;
    BOARD_PACKET packet = MakePacket(code, payload, status);
    return link_->SendBoardPacket(packet);
}

void CKelvarinDoc::PostToActiveView(uint32_t message) {
    fw::Frame* frame = GetFrame();
    fw::View* view = frame ? frame->ActiveView() : nullptr;
    if (view != nullptr)
        fw::Loop().Post(view->Handle(), message);
}

void CKelvarinDoc::OnBoardPacket(const BOARD_PACKET* record) {
    if (record == nullptr)
        return;
    const BOARD_PACKET packet = *record;  // the caller's record may be reused at once
    switch (packet.code) {
        case 0x85:
            boardAnswered_ = true;
            PostToActiveView(WM_BOARD_READY);
            break;
        case 0x86:
            PostToActiveView(WM_BOARD_STANDBY);
            break;
        case 0x87:
            PostToActiveView(WM_BOARD_WAKE);
            break;
        case 0x88:
            PostToActiveView(WM_BOARD_POWER_ON);
            break;
        default:
            break;
    }
}

void CKelvarinDoc::OnRemoteCommand(const BOARD_PACKET* line) {
    if (line == nullptr)
        return;
    lastRemoteLine_.assign(reinterpret_cast<const char*>(line->payload), line->length);
}
