#include "FullDisk.h"

#include <atomic>
#include <cstring>
#include <sqlite3.h>

namespace {

std::atomic<bool> diskFull{false};
sqlite3_vfs* realVfs = nullptr;
sqlite3_vfs fullDiskVfs;

// The engine's file, followed in the same block by the real file system's own.
struct File {
    sqlite3_file base;
    sqlite3_file* real;
};

sqlite3_file* realOf(sqlite3_file* file) {
    return reinterpret_cast<File*>(file)->real;
}

int fileClose(sqlite3_file* f) {
    return realOf(f)->pMethods->xClose(realOf(f));
}
int fileRead(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
    return realOf(f)->pMethods->xRead(realOf(f), buffer, amount, offset);
}
int fileWrite(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
    sqlite3_file* real = realOf(f);
    if (diskFull) {
        sqlite3_int64 size = 0;
        const int rc = real->pMethods->xFileSize(real, &size);
        if (rc != SQLITE_OK)
            return rc;
        if (offset + amount > size)
            return SQLITE_FULL;
    }
    return real->pMethods->xWrite(real, buffer, amount, offset);
}
int fileTruncate(sqlite3_file* f, sqlite3_int64 size) {
    return realOf(f)->pMethods->xTruncate(realOf(f), size);
}
int fileSync(sqlite3_file* f, int flags) {
    return realOf(f)->pMethods->xSync(realOf(f), flags);
}
int fileSize(sqlite3_file* f, sqlite3_int64* size) {
    return realOf(f)->pMethods->xFileSize(realOf(f), size);
}
int fileLock(sqlite3_file* f, int lock) {
    return realOf(f)->pMethods->xLock(realOf(f), lock);
}
int fileUnlock(sqlite3_file* f, int lock) {
    return realOf(f)->pMethods->xUnlock(realOf(f), lock);
}
int fileCheckReservedLock(sqlite3_file* f, int* out) {
    return realOf(f)->pMethods->xCheckReservedLock(realOf(f), out);
}
int fileControl(sqlite3_file* f, int op, void* arg) {
    // A size hint may grow the file outside the writes.
    if (diskFull && op == SQLITE_FCNTL_SIZE_HINT) {
        sqlite3_int64 size = 0;
        if (realOf(f)->pMethods->xFileSize(realOf(f), &size) == SQLITE_OK && *static_cast<sqlite3_int64*>(arg) > size)
            return SQLITE_FULL;
    }
    return realOf(f)->pMethods->xFileControl(realOf(f), op, arg);
}
int fileSectorSize(sqlite3_file* f) {
    return realOf(f)->pMethods->xSectorSize(realOf(f));
}
int fileDeviceCharacteristics(sqlite3_file* f) {
    return realOf(f)->pMethods->xDeviceCharacteristics(realOf(f));
}
int fileShmMap(sqlite3_file* f, int region, int size, int extend, void volatile** out) {
    return realOf(f)->pMethods->xShmMap(realOf(f), region, size, extend, out);
}
int fileShmLock(sqlite3_file* f, int offset, int n, int flags) {
    return realOf(f)->pMethods->xShmLock(realOf(f), offset, n, flags);
}
void fileShmBarrier(sqlite3_file* f) {
    realOf(f)->pMethods->xShmBarrier(realOf(f));
}
int fileShmUnmap(sqlite3_file* f, int deleteFlag) {
    return realOf(f)->pMethods->xShmUnmap(realOf(f), deleteFlag);
}
int fileFetch(sqlite3_file* f, sqlite3_int64 offset, int amount, void** out) {
    return realOf(f)->pMethods->xFetch(realOf(f), offset, amount, out);
}
int fileUnfetch(sqlite3_file* f, sqlite3_int64 offset, void* page) {
    return realOf(f)->pMethods->xUnfetch(realOf(f), offset, page);
}

const sqlite3_io_methods fileMethods = {
    3,
    fileClose,
    fileRead,
    fileWrite,
    fileTruncate,
    fileSync,
    fileSize,
    fileLock,
    fileUnlock,
    fileCheckReservedLock,
    fileControl,
    fileSectorSize,
    fileDeviceCharacteristics,
    fileShmMap,
    fileShmLock,
    fileShmBarrier,
    fileShmUnmap,
    fileFetch,
    fileUnfetch,
};

int vfsOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* outFlags) {
    auto* file = reinterpret_cast<File*>(f);
    file->real = reinterpret_cast<sqlite3_file*>(file + 1);
    file->base.pMethods = nullptr;
    const int rc = realVfs->xOpen(realVfs, name, file->real, flags, outFlags);
    // The engine closes a file whose methods are set, also after a failed open.
    if (file->real->pMethods)
        file->base.pMethods = &fileMethods;
    return rc;
}

} // namespace

FullDisk::FullDisk() {
    install();
    setFull(true);
}

FullDisk::~FullDisk() {
    setFull(false);
}

void FullDisk::install() {
    if (realVfs)
        return;
    realVfs = sqlite3_vfs_find(nullptr);
    fullDiskVfs = *realVfs;
    fullDiskVfs.zName = "sona-full-disk";
    fullDiskVfs.szOsFile = int(sizeof(File)) + realVfs->szOsFile;
    fullDiskVfs.xOpen = vfsOpen;
    fullDiskVfs.pNext = nullptr;
    sqlite3_vfs_register(&fullDiskVfs, 1);
}

void FullDisk::setFull(bool full) {
    diskFull = full;
}
