#include <gtest/gtest.h>

#include <poll.h>

#include "boardsim/Pty.h"
#include "fw/Dialog.h"
#include "fw/EventLoop.h"
#include "link/CSerialPort.h"
#include "link/WindowMessages.h"

namespace {

class Owner : public fw::Window {
  public:
    bool OnMessage(const fw::Message& m) override {
        if (m.id != WM_SERIAL_RX)
            return false;
        records.push_back(m.data);
        return true;
    }
    std::vector<std::vector<uint8_t>> records;
};

// Up to `n` bytes the port wrote, or fewer when none come for two seconds.
std::vector<uint8_t> ReadFromMaster(int fd, size_t n) {
    std::vector<uint8_t> got;
    pollfd p{fd, POLLIN, 0};
    while (got.size() < n && ::poll(&p, 1, 2000) > 0) {
        uint8_t buf[64];
        const ssize_t r = ::read(fd, buf, sizeof buf);
        if (r <= 0)
            break;
        got.insert(got.end(), buf, buf + r);
    }
    return got;
}

TEST(SerialPort, StartDropsStaleInputButNeverTheFirstCommand) {
    boardsim::Pty pty;
    ASSERT_TRUE(pty.Open());
    setenv("KELVARIN_COM2", pty.slavePath.c_str(), 1);
    Owner owner;
    // Repeated because a purge racing the first write loses it only now and then.
    for (int round = 0; round < 50 && !HasFailure(); ++round) {
        CSerialPort port;
        EXPECT_TRUE(port.Open(owner.Handle(), kMainBoardPort));
        std::vector<uint8_t> stale;
        BOARD_PACKET old = MakePacket(0x84, {1, 2, 3, 4});
        EXPECT_TRUE(EncodeFrame(old, stale));
        EXPECT_EQ(::write(pty.master, stale.data(), stale.size()), ssize_t(stale.size()));
        EXPECT_TRUE(port.StartReader());
        BOARD_PACKET poll = MakePacket(0x85);
        EXPECT_TRUE(port.SendPacket(poll));
        EXPECT_EQ(ReadFromMaster(pty.master, 6),
                  (std::vector<uint8_t>{0xF1, 0x85, 0x00, 0x00, 0x85, 0xF2}));
        port.Close();
    }
    fw::Loop().ProcessReady();
    EXPECT_TRUE(owner.records.empty());
    unsetenv("KELVARIN_COM2");
    pty.Close();
}

int gBoxes = 0;

TEST(SerialPort, APortThatNeverOpenedFailsQuietly) {
    unsetenv("KELVARIN_COM2");
    Owner owner;
    CSerialPort port;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(port.Open(owner.Handle(), kMainBoardPort));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error Opening COM Port\n");
    EXPECT_FALSE(port.StartReader());
    fw::SetMessageBoxHandler([](const std::string&, const std::string&, int) {
        ++gBoxes;
        return fw::kIdOk;
    });
    BOARD_PACKET p = MakePacket(0x85);
    EXPECT_FALSE(port.SendPacket(p));  // each poll tick, without a box each time
    EXPECT_FALSE(port.SendPacket(p));
    EXPECT_FALSE(port.SendString("*\r\n"));
    fw::SetMessageBoxHandler(nullptr);
    EXPECT_EQ(gBoxes, 0);
}

}  // namespace
