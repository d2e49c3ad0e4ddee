#include "TextEdits.hpp"

#include <gtest/gtest.h>

#include <tuple>

// An edit stays inside the text: a span that is empty, reversed or starts
// past the end removes nothing, one that runs past the end stops there, and
// an insertion past the end appends.
TEST(TextEdits, EditsStayInsideTheText)
{
    const std::tuple<std::string::size_type, std::string::size_type, const char*> erasures[] = {
        {1, 3, "<>"}, {2, 2, "<ab>"}, {3, 1, "<ab>"}, {4, 9, "<ab>"}, {2, 99, "<a"},
    };
    for (const auto& [begin, end, expected] : erasures) {
        std::string text = "<ab>";
        Utilities::EraseText(text, begin, end);
        EXPECT_EQ(expected, text) << begin << "-" << end;
    }
    std::string text = "<ab>";
    Utilities::InsertText(text, 1, "x");
    Utilities::InsertText(text, 99, "!");
    EXPECT_EQ("<xab>!", text);
}
