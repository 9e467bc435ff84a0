#pragma once

// A disk that has run out of space, for the database engine of this process: while a FullDisk
// lives, every write that would make a file larger fails as the engine's own writes fail on a full
// disk; writes inside a file's present size, shrinking a file and deleting one still work, as they
// do there. Files opened before the first FullDisk was made are not affected: make one (or call
// install) before the connection under test is opened.
//
//     FullDisk::install();   // before the logbook is opened
//     ...
//     {
//         FullDisk full;
//         db.execute(...);   // fails with "database or disk is full"
//     }                      // space freed
class FullDisk {
public:
    FullDisk();
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    // Puts the engine's files of this process on the disk that can fill up; idempotent.
    static void install();
    // Fills the disk, or frees it again.
    static void setFull(bool full);
};
