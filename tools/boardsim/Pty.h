#pragma once
// A pseudo-terminal pair in raw mode: the simulator keeps the master, the instrument opens
// the slave path like any serial device.
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <string>

namespace boardsim {

struct Pty {
    int master = -1;
    int slave = -1;  // kept open so the master never sees a hang-up between instrument runs
    std::string slavePath;

    bool Open() {
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) != 0)
            return false;
        termios tio{};
        tcgetattr(slave, &tio);
        cfmakeraw(&tio);
        tcsetattr(slave, TCSANOW, &tio);
        slavePath = name;
        return true;
    }
    void Close() {
        if (master >= 0)
            ::close(master);
        if (slave >= 0)
            ::close(slave);
        master = slave = -1;
    }
};

}  // namespace boardsim
