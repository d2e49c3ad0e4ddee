// The entry of every test program: GoogleTest's, or with --child the part
// that a test runs in another process of the same program.
#include "TestSupport.hpp"

#include <gtest/gtest.h>

int main(int count, char** arguments)
{
    if (count > 1 && std::string(arguments[1]) == "--child" && TestSupport::ChildPart()) {
        return TestSupport::ChildPart()(std::vector<std::string>(arguments + 2, arguments + count));
    }
    testing::InitGoogleTest(&count, arguments);
    return RUN_ALL_TESTS();
}
