#include "HostWindowTitle.hpp"
#include "TextEdits.hpp"

#include <gtest/gtest.h>

using namespace Utilities;

TEST(TextEdits, InsertAndEraseStayInsideTheTextAndOnlyCarriageReturnLineFeedPairsFold)
{
    const std::string text = "<a/>\n<b/>";
    const std::pair<std::string::size_type, std::string> inserts[] = {
        {0, "+<a/>\n<b/>"}, {4, "<a/>+\n<b/>"}, {9, "<a/>\n<b/>+"}, {std::string::npos, "<a/>\n<b/>+"}};
    for (const auto& [at, inserted] : inserts) {
        std::string edited = text;
        InsertText(edited, at, "+");
        EXPECT_EQ(inserted, edited) << at;
    }
    const std::tuple<std::string::size_type, std::string::size_type, std::string> erases[] = {
        {4, 9, "<a/>"}, {0, 9, ""}, {5, 100, "<a/>\n"}, {6, 2, text}, {3, 3, text}, {8, 9, "<a/>\n<b/"}, {9, 20, text}};
    for (const auto& [begin, end, erased] : erases) {
        std::string edited = text;
        EraseText(edited, begin, end);
        EXPECT_EQ(erased, edited) << begin << ".." << end;
    }
    const std::tuple<std::string, std::string, std::string> lineEnds[] = {
        {"a\r\nb\r\n", "a\nb\n", "a\r\nb\r\n"}, {"a\rb\n\r", "a\rb\n\r", "a\rb\r\n\r"}, {"\r\r\n", "\r\n", "\r\r\n"},
        {std::string("a\x1A\0b\xFF\r\n", 7), std::string("a\x1A\0b\xFF\n", 6), std::string("a\x1A\0b\xFF\r\n", 7)},
    };
    for (const auto& [bytes, folded, saved] : lineEnds) {
        EXPECT_EQ(folded, FoldLineEnds(bytes));
        EXPECT_EQ(saved, ExpandLineEnds(folded));
    }
}

TEST(HostWindowTitle, TitlesWithAKeywordCountUnlessTheyLookLikeAnInstallerOrAFolder)
{
    const std::pair<const char*, bool> rows[] = {
        {"Macromedia Dreamweaver MX 2004 - [Untitled-1 (XHTML)]", true}, {"mAcRoMeDiA dReAmWeAvEr", true},
        {"Macromedia Dreamweaver MX 2004 Setup", false}, {"SETUP macromedia dreamweaver", false},
        {"Uninstall Macromedia Dreamweaver", false}, {"Macromedia Dreamweaver - C:\\Sites\\index.html", false},
        {"Macromedia  Dreamweaver", false}, {"", false},
    };
    for (const auto& [title, running] : rows) {
        EXPECT_EQ(running, Installer::IsHostWindowTitle(title, {"stale", "macromedia dreamweaver"})) << title;
    }
}
