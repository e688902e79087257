#include "FaultyVfs.h"

#include <signal.h>

#include <cstring>

namespace {

struct State {
    sqlite3_vfs* real = nullptr;
    sqlite3_vfs vfs{};
    int failAt = 0;
    FaultyVfs::Fault fault = FaultyVfs::Fault::kFail;
    int steps = 0;
    bool hit = false;
};

State& Shared() {
    static State state;
    return state;
}

// True when this step must not happen: it fails (the caller returns `error`) or never returns.
bool FaultAtNextStep() {
    State& s = Shared();
    if (s.failAt == 0)
        return false;
    if (++s.steps != s.failAt)
        return false;
    s.hit = true;
    if (s.fault == FaultyVfs::Fault::kKill)
        raise(SIGKILL);
    return true;
}

struct FaultyFile {
    sqlite3_file base;
    sqlite3_file* real;
};

sqlite3_file* Real(sqlite3_file* f) {
    return reinterpret_cast<FaultyFile*>(f)->real;
}

int Close(sqlite3_file* f) {
    return Real(f)->pMethods->xClose(Real(f));
}
int Read(sqlite3_file* f, void* buf, int amount, sqlite3_int64 offset) {
    return Real(f)->pMethods->xRead(Real(f), buf, amount, offset);
}
int Write(sqlite3_file* f, const void* buf, int amount, sqlite3_int64 offset) {
    if (FaultAtNextStep())
        return SQLITE_IOERR_WRITE;
    return Real(f)->pMethods->xWrite(Real(f), buf, amount, offset);
}
int Truncate(sqlite3_file* f, sqlite3_int64 size) {
    if (FaultAtNextStep())
        return SQLITE_IOERR_TRUNCATE;
    return Real(f)->pMethods->xTruncate(Real(f), size);
}
int Sync(sqlite3_file* f, int flags) {
    if (FaultAtNextStep())
        return SQLITE_IOERR_FSYNC;
    return Real(f)->pMethods->xSync(Real(f), flags);
}
int FileSize(sqlite3_file* f, sqlite3_int64* size) {
    return Real(f)->pMethods->xFileSize(Real(f), size);
}
int Lock(sqlite3_file* f, int level) {
    return Real(f)->pMethods->xLock(Real(f), level);
}
int Unlock(sqlite3_file* f, int level) {
    return Real(f)->pMethods->xUnlock(Real(f), level);
}
int CheckReservedLock(sqlite3_file* f, int* out) {
    return Real(f)->pMethods->xCheckReservedLock(Real(f), out);
}
int FileControl(sqlite3_file* f, int op, void* arg) {
    return Real(f)->pMethods->xFileControl(Real(f), op, arg);
}
int SectorSize(sqlite3_file* f) {
    return Real(f)->pMethods->xSectorSize(Real(f));
}
int DeviceCharacteristics(sqlite3_file* f) {
    return Real(f)->pMethods->xDeviceCharacteristics(Real(f));
}

// Version 1: no shared memory and no memory mapping, which the volumes (rollback journal)
// do not use.
const sqlite3_io_methods kMethods = {
    1,
    Close,
    Read,
    Write,
    Truncate,
    Sync,
    FileSize,
    Lock,
    Unlock,
    CheckReservedLock,
    FileControl,
    SectorSize,
    DeviceCharacteristics,
};

int Open(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* outFlags) {
    sqlite3_vfs* real = static_cast<sqlite3_vfs*>(vfs->pAppData);
    auto* f = reinterpret_cast<FaultyFile*>(file);
    f->real = reinterpret_cast<sqlite3_file*>(f + 1);
    int rc = real->xOpen(real, name, f->real, flags, outFlags);
    f->base.pMethods = rc == SQLITE_OK ? &kMethods : nullptr;
    return rc;
}

// Deleting the journal is the step that makes a change final.
int Delete(sqlite3_vfs* vfs, const char* name, int syncDir) {
    if (FaultAtNextStep())
        return SQLITE_IOERR_DELETE;
    sqlite3_vfs* real = static_cast<sqlite3_vfs*>(vfs->pAppData);
    return real->xDelete(real, name, syncDir);
}

}  // namespace

FaultyVfs::FaultyVfs() {
    State& s = Shared();
    s.real = sqlite3_vfs_find(nullptr);
    s.vfs = *s.real;
    s.vfs.iVersion = 1;
    s.vfs.szOsFile = static_cast<int>(sizeof(FaultyFile)) + s.real->szOsFile;
    s.vfs.pNext = nullptr;
    s.vfs.zName = "kv-faulty";
    s.vfs.pAppData = s.real;
    s.vfs.xOpen = Open;
    s.vfs.xDelete = Delete;
    sqlite3_vfs_register(&s.vfs, 1);
}

FaultyVfs::~FaultyVfs() {
    State& s = Shared();
    sqlite3_vfs_unregister(&s.vfs);
    sqlite3_vfs_register(s.real, 1);
    Disarm();
}

void FaultyVfs::Arm(int step, Fault fault) {
    State& s = Shared();
    s.failAt = step;
    s.fault = fault;
    s.steps = 0;
    s.hit = false;
}

int FaultyVfs::StepsTaken() const {
    return Shared().steps;
}

bool FaultyVfs::FaultHit() const {
    return Shared().hit;
}
