#include "LibraryMessages.hpp"
#include "ProfileText.hpp"

#include <gtest/gtest.h>

using ProfileText::Mode;

TEST(LibraryText, ArgumentCountsSayHasForOneOrNoneAndHaveForMore)
{
    EXPECT_EQ("Function expects 1 arguments, but 0 has been provided.", Messages::ArgumentCountText(1, 0));
    EXPECT_EQ("Function expects 0 arguments, but 1 has been provided.", Messages::ArgumentCountText(0, 1));
    EXPECT_EQ("Function expects 4 arguments, but 4294967295 have been provided.", Messages::ArgumentCountText(4, 4294967295u));
    EXPECT_EQ("(5) Access is denied.\r\n", Messages::SystemErrorText(5, "Access is denied.\r\n"));
}

TEST(LibraryText, AProfileReadFitsWhenTheSystemLeftRoomForItsTerminators)
{
    EXPECT_EQ(Mode::Value, ProfileText::ModeFor("s", "k"));
    EXPECT_EQ(Mode::List, ProfileText::ModeFor("", "k"));
    EXPECT_EQ(Mode::List, ProfileText::ModeFor("s", ""));
    EXPECT_TRUE(ProfileText::IsComplete(254, 256, Mode::Value));
    EXPECT_FALSE(ProfileText::IsComplete(255, 256, Mode::Value));
    EXPECT_TRUE(ProfileText::IsComplete(253, 256, Mode::List));
    EXPECT_FALSE(ProfileText::IsComplete(254, 256, Mode::List));
}

TEST(LibraryText, AValueEndsAtItsNulAndAListAtTheNulThatFollowsAnother)
{
    const std::string buffer("a\0bc\0\0d\0", 8);
    EXPECT_EQ("a", ProfileText::Result(buffer, Mode::Value));
    EXPECT_EQ(std::string("a\0bc\0", 5), ProfileText::Result(buffer, Mode::List));
    EXPECT_EQ("", ProfileText::Result(std::string(4, '\0'), Mode::List));
    EXPECT_EQ("abc", ProfileText::Result("abc", Mode::List));
}
