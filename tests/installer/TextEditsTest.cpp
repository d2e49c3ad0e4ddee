#include "TextEdits.hpp"

#include <gtest/gtest.h>

using namespace Utilities;

TEST(TextEditsTest, InsertGoesBeforeThePositionOrAppendsPastTheEnd)
{
    const struct {
        std::string::size_type at;
        std::string expected;
    } rows[] = {{0, "+<a/>\n<b/>"}, {4, "<a/>+\n<b/>"}, {9, "<a/>\n<b/>+"}, {10, "<a/>\n<b/>+"}, {std::string::npos, "<a/>\n<b/>+"}};
    for (const auto& row : rows) {
        std::string text = "<a/>\n<b/>";
        InsertText(text, row.at, "+");
        EXPECT_EQ(row.expected, text) << row.at;
    }
}

TEST(TextEditsTest, EraseRemovesExactlyTheSpanAndNothingOutsideTheText)
{
    const struct {
        std::string::size_type begin, end;
        std::string expected;
    } rows[] = {
        {5, 9, "<a/>\n\n<c/>"}, {0, 15, ""}, {5, 100, "<a/>\n"}, {9, 5, "<a/>\n<b/>\n<c/>"}, {0, 0, "<a/>\n<b/>\n<c/>"},
        {14, 20, "<a/>\n<b/>\n<c/>"}, {std::string::npos, 3, "<a/>\n<b/>\n<c/>"},
    };
    for (const auto& row : rows) {
        std::string text = "<a/>\n<b/>\n<c/>";
        EraseText(text, row.begin, row.end);
        EXPECT_EQ(row.expected, text) << row.begin << ".." << row.end;
    }
}

TEST(TextEditsTest, OnlyCarriageReturnLineFeedPairsFoldAndNoByteIsLost)
{
    const struct {
        std::string bytes, text;
    } rows[] = {
        {"a\r\nb\r\n", "a\nb\n"}, {"a\rb\r", "a\rb\r"}, {"\r\r\n", "\r\n"}, {"\n\r", "\n\r"},
        {std::string("a\x1A\0b\xFF\r\n", 7), std::string("a\x1A\0b\xFF\n", 6)},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.text, FoldLineEnds(row.bytes));
        EXPECT_EQ(row.text, FoldLineEnds(ExpandLineEnds(row.text))) << "round trip";
    }
}

TEST(TextEditsTest, EachLineFeedIsWrittenAsCarriageReturnLineFeed)
{
    const struct {
        std::string text, bytes;
    } rows[] = {{"a\nb\n", "a\r\nb\r\n"}, {"\r\n", "\r\r\n"}, {"\n\n", "\r\n\r\n"}, {"a\x1A", "a\x1A"}};
    for (const auto& row : rows) {
        EXPECT_EQ(row.bytes, ExpandLineEnds(row.text));
    }
}
