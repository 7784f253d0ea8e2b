// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's input/output error numbers and their Polish texts, and the one
// place where operating-system failures are turned into them. The numbers are
// those of the Windows run-time the content format comes from, so a damaged
// archive reports the same error on every platform.

#include "content/game_error.h"

#include <QString>

class QFileDevice;

namespace IoError {

enum Code : int {
    FileNotFound = 2,
    InvalidFileName = 3,      // also a path that does not exist or is too long
    TooManyOpenFiles = 4,
    AccessDenied = 5,
    ReadFault = 30,           // the device failed while reading
    ReadBeyondEnd = 100,
    NegativeSeek = 131,
};

// Longest full path the content format allows (Windows MAX_PATH less the NUL).
inline constexpr int maxPathLength = 259;

// "Nieznaleziono pliku" and friends; "I/O błąd <code>" for any other code.
QString text(int code);

// What a failed open of `path` means. `systemError` is errno as read right
// after the failure (0 where the platform does not set it); where it says
// nothing the file system is asked instead.
int classifyOpenFailure(const QString& path, int systemError);

// Pure part of the classification, kept apart so every branch is testable.
struct OpenFacts {
    int systemError = 0;
    bool pathTooLong = false;
    bool parentExists = true;
    bool exists = false;
    bool isDirectory = false;
    bool readable = true;
};
int classifyOpenFailure(const OpenFacts& facts);

// The Polish text of the operating system's reason for a failed open, as the
// open error of a list file shows it (ends with a full stop).
QString systemText(int code, const QFileDevice& file);

[[noreturn]] void raise(int code);

// The operating system's reason `systemError` (errno) in plain Polish, for
// the content tool's messages: "nie ma takiego pliku ani folderu", "brak
// uprawnień", "brak miejsca na dysku", … (never the system's English text).
QString systemReason(int systemError);

}  // namespace IoError
