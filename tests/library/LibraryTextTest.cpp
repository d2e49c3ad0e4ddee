#include "LibraryMessages.hpp"
#include "ProfileText.hpp"

#include <gtest/gtest.h>

using ProfileText::Mode;

TEST(LibraryText, ArgumentCountsSayHasForOneOrNoneAndProfileReadsFitWithRoomForTheirTerminators)
{
    EXPECT_EQ("Function expects 1 arguments, but 0 has been provided.", Messages::ArgumentCountText(1, 0));
    EXPECT_EQ("Function expects 4 arguments, but 4294967295 have been provided.", Messages::ArgumentCountText(4, 4294967295u));
    EXPECT_TRUE(ProfileText::IsComplete(254, 256, Mode::Value) && ProfileText::IsComplete(253, 256, Mode::List));
    EXPECT_FALSE(ProfileText::IsComplete(255, 256, Mode::Value) || ProfileText::IsComplete(254, 256, Mode::List));
    const std::string buffer("a\0bc\0\0d\0", 8);
    EXPECT_EQ("a", ProfileText::Result(buffer, Mode::Value));
    EXPECT_EQ(std::string("a\0bc\0", 5), ProfileText::Result(buffer, Mode::List));
    EXPECT_EQ("", ProfileText::Result(std::string(4, '\0'), Mode::List));
    EXPECT_EQ("abc", ProfileText::Result("abc", Mode::List));
}
