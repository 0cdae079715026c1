#pragma once
#include <QLockFile>
#include <QString>
#include <memory>

// One running copy per program folder: the copy that holds the lock file in the folder owns
// the work tables there.
inline constexpr const char* kInstanceLockFile = "Lithora.lock";

enum class InstanceLockResult { Acquired, HeldByOther, Unavailable };

// Takes the lock of the program folder. Returns it when acquired; otherwise null, with the
// reason in result (HeldByOther: another copy runs from the folder; Unavailable: the lock
// file cannot be made, for example in a folder that does not exist or is read-only).
std::unique_ptr<QLockFile> lockProgramFolder(const QString& programFolder,
                                             InstanceLockResult* result);

inline constexpr const char* kAlreadyRunningMessage =
    "Lithora is already running from this folder.\n\n"
    "Only one copy can work with the tables in the program folder. Switch to the running "
    "copy, or close it first.";
