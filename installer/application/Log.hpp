#pragma once
// What a run has to say: message boxes, unless the run is quiet, and the
// lines of a log file, when one was asked for. The operations and the
// installer's parts report here.
#include "Handles.hpp"
#include "MessageBox.hpp"
#include "Report.hpp"

#include <string>

namespace Installer {

class Log final : public Report {
public:
    // No file yet; boxes shown unless quiet.
    explicit Log(bool quiet = false) : quiet(quiet) {}
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    // Appends the run's lines to the file (UTF-8, CR LF line ends) from a
    // first one with the date and time, the version and the command line.
    // Throws Installer::Exception naming the file and the reason.
    void Open(const std::string& file, const std::string& commandLine);

    // A line for the log alone; texts are UTF-8.
    void Write(const std::string& line) override;
    // A message box, unless the run is quiet and the box is not one that
    // must show; the log gets its text either way.
    void Show(const std::string& text, const char* caption, MessageKind kind, bool evenWhenQuiet = false);
    // The Abort, Retry and Ignore box; a quiet run answers Abort itself.
    Answer Ask(const std::string& text, const char* caption);
    // The last line: the exit code.
    void Finish(int exitCode);

private:
    void WriteBox(const std::string& text, const char* caption, bool shown);

    const bool quiet;
    Utilities::ScopedHandle file;
};

} // namespace Installer
