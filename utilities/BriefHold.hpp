#pragma once
// A virus scanner, an indexer or a sync client opens a file that was just
// written, and holds it for a moment. A file call that fails because of such
// a hold is worth trying again for a few seconds before its failure counts.
#include <windows.h>

#include <functional>

namespace Utilities {

enum class Hold {
    // The file is open without sharing what the call needs.
    Sharing,
    // A sharing hold, or a file that another program deleted while it held
    // it: Windows refuses its name (access denied) and Wine keeps it
    // (ERROR_DELETE_PENDING, as the deleting code reports it) until that
    // program lets go.
    Deletion,
    // A sharing hold, or the replacing of a file that another program holds,
    // which Windows reports as the replaced file that could not be removed,
    // or the replacement that could not take its name: with a backup name
    // both leave the two files as they were.
    Replacement,
};

// Makes the attempt, which returns ERROR_SUCCESS or its error, again while
// it fails with an error that a hold of the kind gives, for up to 3 s with
// short pauses. Returns the last attempt's answer.
DWORD WhileBrieflyHeld(const std::function<DWORD()>& attempt, Hold kind = Hold::Sharing);

// ERROR_SUCCESS, or the last error of a call that failed.
inline DWORD ErrorUnless(bool succeeded) { return succeeded ? ERROR_SUCCESS : GetLastError(); }

} // namespace Utilities
