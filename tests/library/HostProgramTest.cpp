#include "LibraryFixture.hpp"

#include "Process.hpp"

namespace LibraryTest {
namespace {

TEST(HostProgram, PrintsEachResultAndTheTextOfEachDialogAndFailsWhenACallFails)
{
    std::string output;
    const long exitCode = TestSupport::RunProgram("\"" + LibraryFolder() + "LoomletHost.exe\" --unattended "
                                                  "IsProcessRunning 0 ; Error \"Two\r\nlines\" ; Wait extra",
                                                  {}, &output);
    EXPECT_EQ("IsProcessRunning returned 1, result false\n"
              "Dialog:\nTwo\nlines\n"
              "Error returned 1, result (unset)\n"
              "Dialog:\nFunction expects 0 arguments, but 1 has been provided.\n"
              "Wait returned 0, result (unset)\n",
              output);
    EXPECT_EQ(1, exitCode);
}

} // namespace
} // namespace LibraryTest
