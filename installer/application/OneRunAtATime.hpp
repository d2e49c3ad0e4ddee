#pragma once
// Keeps a second installer out while one runs (a double-click twice, or a
// setup and its user), so that two runs never edit the same files in turns.
#include "Handles.hpp"

namespace Installer {

class OneRunAtATime {
public:
    // Throws Installer::Exception when another run, of any user or session,
    // holds the installers' mutex.
    OneRunAtATime();

private:
    Utilities::ScopedHandle mutex;
};

} // namespace Installer
