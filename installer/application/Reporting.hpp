#pragma once
// What a command line asks of a run's reporting, read from its words alone,
// so that it holds also where the option parser refuses the line: a setup
// that asked for a quiet run gets one whatever else is wrong with its line.
// Plain C++, so that it also builds natively.
#include <string>
#include <vector>

namespace Installer {

struct Reporting {
    bool quiet = false;
    std::string log; // the log file's name; empty when the words name none
};

// Reads the words as the option parser reads them: "-q" alone or among
// other short switches ("-iq"), "--quiet" or a start of it ("--qu"); the log
// is the word after "-l" or "--log", or the rest of a word "-lNAME" or
// "--log=NAME", when it is a log name. "--" ends the options.
Reporting ReadReporting(const std::vector<std::string>& words);

// Whether a log option's value names a file: not empty, and not an option
// that a missing name left in its place ("--log --quiet").
bool IsLogName(const std::string& value);

} // namespace Installer
