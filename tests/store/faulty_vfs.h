#pragma once
// A file layer under SQLite that counts every step that changes the disk (a write, a flush, a
// truncation, a deleted journal) and, at a chosen step, fails it or kills the process before
// it happens. Installed as the default for as long as the object lives.
#include <sqlite3.h>

class FaultyVfs {
  public:
    enum class Fault { kFail, kKill };

    FaultyVfs();
    ~FaultyVfs();
    FaultyVfs(const FaultyVfs&) = delete;
    FaultyVfs& operator=(const FaultyVfs&) = delete;

    // The step (counted from 1 after Arm) that meets the fault; 0 disarms.
    void Arm(int step, Fault fault);
    void Disarm() { Arm(0, Fault::kFail); }
    bool FaultHit() const;
};
