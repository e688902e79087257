#include "faulty_vfs.h"

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
    if (s.failAt == 0 || ++s.steps != s.failAt)
        return false;
    s.hit = true;  // stays set until the next Arm
    if (s.fault == FaultyVfs::Fault::kKill)
        raise(SIGKILL);
    return true;
}

struct FaultyFile {
    sqlite3_file base;
    sqlite3_file* real;
};

// Passes a call on to the real file, or fails it with `error` when it is the faulted step.
#define KV_REAL(f) reinterpret_cast<FaultyFile*>(f)->real
#define KV_FORWARD(method, ...) KV_REAL(f)->pMethods->method(KV_REAL(f), ##__VA_ARGS__)
#define KV_STEP(error, method, ...) \
    (FaultAtNextStep() ? (error) : KV_FORWARD(method, ##__VA_ARGS__))

// Version 1: no shared memory and no memory mapping, which the volumes (rollback journal)
// do not use.
const sqlite3_io_methods kMethods = {
    1,
    [](sqlite3_file* f) { return KV_FORWARD(xClose); },
    [](sqlite3_file* f, void* buf, int n, sqlite3_int64 at) {
        return KV_FORWARD(xRead, buf, n, at);
    },
    [](sqlite3_file* f, const void* buf, int n, sqlite3_int64 at) {
        return KV_STEP(SQLITE_IOERR_WRITE, xWrite, buf, n, at);
    },
    [](sqlite3_file* f, sqlite3_int64 size) {
        return KV_STEP(SQLITE_IOERR_TRUNCATE, xTruncate, size);
    },
    [](sqlite3_file* f, int flags) { return KV_STEP(SQLITE_IOERR_FSYNC, xSync, flags); },
    [](sqlite3_file* f, sqlite3_int64* size) { return KV_FORWARD(xFileSize, size); },
    [](sqlite3_file* f, int level) { return KV_FORWARD(xLock, level); },
    [](sqlite3_file* f, int level) { return KV_FORWARD(xUnlock, level); },
    [](sqlite3_file* f, int* out) { return KV_FORWARD(xCheckReservedLock, out); },
    [](sqlite3_file* f, int op, void* arg) { return KV_FORWARD(xFileControl, op, arg); },
    [](sqlite3_file* f) { return KV_FORWARD(xSectorSize); },
    [](sqlite3_file* f) { return KV_FORWARD(xDeviceCharacteristics); },
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

bool FaultyVfs::FaultHit() const {
    return Shared().hit;
}
