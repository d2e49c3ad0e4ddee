#include "Reporting.hpp"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

namespace {

std::vector<std::string> Words(const std::string& commandLine)
{
    std::istringstream stream(commandLine);
    return {std::istream_iterator<std::string>(stream), std::istream_iterator<std::string>()};
}

} // namespace

// Quiet and the log's name as the option parser reads them, also where the
// rest of the command line is wrong; a log is never named after an option.
TEST(Reporting, QuietAndTheLogAreReadFromTheWordsAsTheParserReadsThem)
{
    const struct {
        const char* commandLine;
        bool quiet;
        const char* log;
    } rows[] = {
        {"-i -q", true, ""}, {"-iq", true, ""}, {"-qi", true, ""}, {"--quiet -x", true, ""}, {"--qu", true, ""}, {"--quiet=yes", true, ""},
        {"-i -Q --quietly please be quiet", false, ""}, {"-- -q", false, ""},
        {"-lq", false, "q"}, {"-ql run.log", true, "run.log"}, {"-ilrun.log", false, "run.log"}, {"-i -l run.log", false, "run.log"},
        {"--log run.log -q", true, "run.log"}, {"--log=run.log", false, "run.log"}, {"--lo run.log", false, "run.log"},
        {"--log first.log --log second.log", false, "first.log"},
        {"-i -q --log", true, ""}, {"-i --log --quiet", true, ""}, {"--log -q run.log", true, ""}, {"--log= -q", true, ""}, {"-l -x", false, ""},
    };
    for (const auto& row : rows) {
        const Installer::Reporting reporting = Installer::ReadReporting(Words(row.commandLine));
        EXPECT_EQ(row.quiet, reporting.quiet) << row.commandLine;
        EXPECT_EQ(row.log, reporting.log) << row.commandLine;
    }
}
