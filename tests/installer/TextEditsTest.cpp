#include "TextEdits.hpp"

#include <gtest/gtest.h>

using namespace Utilities;

TEST(TextEdits, InsertGoesBeforeThePositionAndEraseTakesExactlyTheSpanInsideTheText)
{
    const std::string text = "<a/>\n<b/>";
    const std::pair<std::string::size_type, std::string> inserts[] = {
        {0, "+<a/>\n<b/>"}, {4, "<a/>+\n<b/>"}, {9, "<a/>\n<b/>+"}, {std::string::npos, "<a/>\n<b/>+"}};
    for (const auto& [at, expected] : inserts) {
        std::string edited = text;
        InsertText(edited, at, "+");
        EXPECT_EQ(expected, edited) << at;
    }
    const struct {
        std::string::size_type begin, end;
        std::string expected;
    } erases[] = {{4, 9, "<a/>"}, {0, 9, ""}, {5, 100, "<a/>\n"}, {9, 5, text}, {3, 3, text}, {8, 9, "<a/>\n<b/"}, {9, 20, text}};
    for (const auto& row : erases) {
        std::string edited = text;
        EraseText(edited, row.begin, row.end);
        EXPECT_EQ(row.expected, edited) << row.begin << ".." << row.end;
    }
}

TEST(TextEdits, OnlyCarriageReturnLineFeedPairsFoldAndEachLineFeedIsWrittenBackAsOne)
{
    const struct {
        std::string bytes, text, saved;
    } rows[] = {
        {"a\r\nb\r\n", "a\nb\n", "a\r\nb\r\n"},
        {"a\rb\n\r", "a\rb\n\r", "a\rb\r\n\r"},
        {"\r\r\n", "\r\n", "\r\r\n"},
        {std::string("a\x1A\0b\xFF\r\n", 7), std::string("a\x1A\0b\xFF\n", 6), std::string("a\x1A\0b\xFF\r\n", 7)},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.text, FoldLineEnds(row.bytes));
        EXPECT_EQ(row.saved, ExpandLineEnds(row.text));
    }
}
