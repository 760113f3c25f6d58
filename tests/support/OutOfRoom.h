#pragma once
// The ways a write runs out of room before its file is whole, for the tests
// of the files the program writes whole: a file-size limit of the process,
// a real file system of a few pages (only where mounting is allowed), and
// the writer's own test seam. The guard ends what it set up, also when the
// test fails half-way.

#include <QString>

#include <sys/resource.h>

enum class OutOfRoom
{
    FileSizeLimit, // the process may write files of so many bytes only
    FullDisk,      // a file system of two pages mounted on the folder
    Injected,      // the writer's own test seam
};

// The reason of an errno code (ENOSPC, EFBIG) as the program's messages
// name it, in the program's language.
QString SystemReason(int code);

class OutOfRoomGuard
{
public:
    OutOfRoomGuard() = default;
    ~OutOfRoomGuard();
    OutOfRoomGuard(const OutOfRoomGuard &) = delete;
    OutOfRoomGuard &operator=(const OutOfRoomGuard &) = delete;

    // Mounts a file system of 8 KiB on the (empty) folder; false where
    // mounting is not allowed (the test then skips that way).
    bool MountSmall(const QString &folder);
    // From now on the process writes files of at most so many bytes.
    bool LimitFileSize(qint64 bytes);
    // Every whole-file write fails with the reason.
    void Inject(const QString &reason);
    // Ends the file-size limit and the injected fault (the mount stays
    // until the guard goes).
    void End();

private:
    QString m_mounted;
    bool m_limited = false;
    rlimit m_limit{};
    void (*m_handler)(int) = nullptr;
};
