#pragma once
// The main frame: owns both serial links for its whole life and hands what they receive to
// the board protocol and the remote-command handler.
#include "document/CKelvarinDoc.h"
#include "fw/View.h"
#include "link/BoardLink.h"
#include "link/CSerialPort.h"

class CMainFrame : public fw::Frame, public IBoardLink {
  public:
    // Opens both ports and starts their readers; a port that fails is reported and absent.
    explicit CMainFrame(CKelvarinDoc& doc);
    ~CMainFrame() override;

    bool OnMessage(const fw::Message& msg) override;
    // Dispatch of one received record: port 2 to the board protocol, port 1 to the remote
    // handler unless the standby screen is up.
    void OnSerialRx(uintptr_t port, const std::vector<uint8_t>& record);

    bool SendBoardPacket(BOARD_PACKET& packet) override { return mainBoard_.SendPacket(packet); }
    bool SendRemoteText(const std::string& text) override { return external_.SendString(text); }

    CSerialPort& MainBoardPort() { return mainBoard_; }
    CExtSPort& ExternalPort() { return external_; }

  private:
    void OpenPort(CSerialPort& port, uint32_t number, const char* failureText);

    CKelvarinDoc& doc_;
    CSerialPort mainBoard_;
    CExtSPort external_;
};
