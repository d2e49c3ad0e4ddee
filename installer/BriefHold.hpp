#pragma once
// A virus scanner, an indexer or a sync client opens a file that was just
// written, and holds it for a moment. A file call that fails because of such
// a hold is worth trying again for a few seconds before its failure counts.
#include <windows.h>

namespace Installer {

class BriefHold {
public:
    // Deleting counts a denied access as a hold too: a file that another
    // program deleted while it still held it is refused until it lets go.
    explicit BriefHold(bool deleting = false) : deleting(deleting) {}

    // Whether a call that failed with the error may succeed if tried again:
    // the error is one that a hold gives and the time is not up yet. Pauses
    // briefly before it answers yes.
    bool Retry(DWORD error);

private:
    const bool deleting;
    const DWORD start = GetTickCount();
};

} // namespace Installer
