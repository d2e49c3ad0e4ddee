#pragma once
// What every native function does around its own work: the argument-count
// check, and keeping every failure inside the library.
#include "HostInterface.hpp"

#include <cstdint>
#include <functional>

// Shows the argument-count message and returns when the user closes it.
void ReportArgumentCount(std::uint32_t demanded, std::uint32_t given);

// Returns 0 after ReportArgumentCount when the counts differ. Otherwise runs
// the work and returns its result; a failure of any kind is shown in the
// error dialog with the function's name, and gives 0.
int RunFrame(const char* function, std::uint32_t demanded, std::uint32_t given, const std::function<int()>& work);
