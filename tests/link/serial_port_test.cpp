#include <gtest/gtest.h>

#include <poll.h>

#include <chrono>

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

std::vector<uint8_t> ReadFromMaster(int fd, size_t n) {
    std::vector<uint8_t> got;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (got.size() < n && std::chrono::steady_clock::now() < deadline) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 20) > 0) {
            uint8_t buf[64];
            ssize_t r = ::read(fd, buf, sizeof buf);
            if (r > 0)
                got.insert(got.end(), buf, buf + r);
        }
    }
    return got;
}

class PtyPort : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(pty.Open());
        setenv("KELVARIN_COM2", pty.slavePath.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("KELVARIN_COM2");
        pty.Close();
    }
    void WriteMaster(const std::vector<uint8_t>& bytes) {
        ASSERT_EQ(::write(pty.master, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    boardsim::Pty pty;
    Owner owner;
};

TEST_F(PtyPort, StartDropsStaleInputButNeverTheFirstCommand) {
    // Repeated because a purge racing the first write loses it only now and then.
    for (int round = 0; round < 50; ++round) {
        CSerialPort port;
        ASSERT_TRUE(port.Open(owner.Handle(), kMainBoardPort));
        BOARD_PACKET old = MakePacket(0x84, {1, 2, 3, 4});
        std::vector<uint8_t> stale;
        ASSERT_TRUE(EncodeFrame(old, stale));
        WriteMaster(stale);
        ASSERT_TRUE(port.StartReader());
        BOARD_PACKET poll = MakePacket(0x85);
        ASSERT_TRUE(port.SendPacket(poll));
        ASSERT_EQ(ReadFromMaster(pty.master, 6),
                  (std::vector<uint8_t>{0xF1, 0x85, 0x00, 0x00, 0x85, 0xF2}))
            << "round " << round;
        port.Close();
    }
    fw::Loop().ProcessReady();
    EXPECT_TRUE(owner.records.empty());
}

int gBoxes = 0;
int CountBox(const std::string&, const std::string&, int) {
    ++gBoxes;
    return fw::kIdOk;
}

TEST(SerialPort, APortThatNeverOpenedFailsQuietly) {
    unsetenv("KELVARIN_COM2");
    Owner owner;
    CSerialPort port;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(port.Open(owner.Handle(), kMainBoardPort));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Error Opening COM Port\n");
    EXPECT_FALSE(port.StartReader());
    gBoxes = 0;
    fw::SetMessageBoxHandler(CountBox);
    BOARD_PACKET p = MakePacket(0x85);
    EXPECT_FALSE(port.SendPacket(p));  // each poll tick, without a box each time
    EXPECT_FALSE(port.SendPacket(p));
    EXPECT_FALSE(port.SendString("*\r\n"));
    fw::SetMessageBoxHandler(nullptr);
    EXPECT_EQ(gBoxes, 0);
}

}  // namespace
