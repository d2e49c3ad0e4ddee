#include "TagScanner.hpp"

#include <boost/bind/bind.hpp>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Utilities;

namespace {

struct Tag {
    std::string name;
    TagAttributes attributes;
    TagType type;
};

// The first tag the scanner reports in the text.
Tag FirstTag(const std::string& text)
{
    Tag seen{"(none)", {}, TagType::StartTag};
    ScanTags(text, 0, [&seen](const std::string& name, TagAttributes& attributes, TagType type) {
        seen = Tag{name, attributes, type};
        return true;
    });
    return seen;
}

TagSpan FindMenuItem(const std::string& text, std::string::size_type start, const std::string& element = "menuitem",
                     const std::string& attribute = "id")
{
    using namespace boost::placeholders;
    FindByNameAndAttribute finder(element, attribute, "a");
    return ScanTags(text, start, boost::bind(&FindByNameAndAttribute::Match, &finder, _1, _2, _3));
}

} // namespace

TEST(TagScannerTest, ReportsNameAttributesAndTypeAsWritten)
{
    const struct {
        std::string text;
        Tag expected;
    } rows[] = {
        {"<menuitem id='a' name='b' />", {"menuitem", {{"id", "a"}, {"name", "b"}}, TagType::SelfClosingTag}},
        {"<menu>", {"menu", {}, TagType::StartTag}},
        {"</menu>", {"menu", {}, TagType::EndTag}},
        {"< /menu>", {"menu", {}, TagType::EndTag}},
        {"<?xml version='1.0'?>", {"xml", {{"version", "1.0"}}, TagType::SelfClosingTag}},
        {"<?target>", {"target", {}, TagType::ProcessingInstruction}},
        {"<!DOCTYPE>", {"DOCTYPE", {}, TagType::Declaration}},
        {"<!--note-->", {"--note--", {}, TagType::Declaration}},
        {"<a v=\"it's\" w='say \"x\"'>", {"a", {{"v", "it's"}, {"w", "say \"x\""}}, TagType::StartTag}},
        {"<a enabled='x > y' q=''>", {"a", {{"enabled", "x > y"}, {"q", ""}}, TagType::StartTag}},
        {"<a id = 'a'\tname='b'>", {"a", {{"id", "a"}, {"name", "b"}}, TagType::StartTag}},
        {"<a x='1' x='2'>", {"a", {{"x", "2"}}, TagType::StartTag}},
        {"<MenuItem ID='a'>", {"MenuItem", {{"ID", "a"}}, TagType::StartTag}},
        {"<a x=un'1' y='2'>", {"a", {{"x", "1"}, {"uny", "2"}}, TagType::StartTag}},
        {"<a checked id='1'/ >", {"a", {{"id", "1"}}, TagType::SelfClosingTag}},
        {"<menuitem\nid='a'/>", {"menuitem\nida", {}, TagType::SelfClosingTag}},
        {"<menuitem id='a'\n  name='b' />", {"menuitem", {{"id", "a"}, {"name", "b"}}, TagType::SelfClosingTag}},
        {"<m\xE9nu \x1A='\x80'>", {"m\xE9nu", {{"\x1A", "\x80"}}, TagType::StartTag}},
        {"<!-- note -->\n<menuitem id='a' />", {"--", {{"id", "a"}}, TagType::SelfClosingTag}},
    };
    for (const auto& row : rows) {
        const Tag tag = FirstTag(row.text);
        EXPECT_EQ(row.expected.name, tag.name) << row.text;
        EXPECT_EQ(row.expected.attributes, tag.attributes) << row.text;
        EXPECT_EQ(row.expected.type, tag.type) << row.text;
    }
}

TEST(TagScannerTest, FindsTheSpanOfTheFirstMatchingTagFromTheStart)
{
    const struct {
        std::string text;
        std::string::size_type start;
        TagSpan expected;
    } rows[] = {
        {"<menuitem id='a' name='b' />", 0, {0, 28}},
        {"x\r\n<menuitem id='a'/>", 0, {3, 21}},
        {"<menuitem id='a'/><menuitem id='a'/>", 1, {18, 36}},
        {"<menuitem id='a'/>", 18, {0, 0}},
        {"<menuitem id='a'/>", 1000, {0, 0}},
        {"<menu id='a'/><menuitem id='b'/>", 0, {0, 0}},
        {"<MenuItem id='a'/><menuitem ID='a'/>", 0, {0, 0}},
        {"<menuitem id=a />", 0, {0, 0}},
        {"<menuitem\nid='a'/>", 0, {0, 0}},
        {"<!--note-->\n<menuitem id='a' />", 0, {12, 31}},
        {"<!-- note -->\n<menuitem id='a' />", 0, {0, 0}},
        {"<b x='<menuitem id=\"a\"/>'/>", 0, {0, 0}},
        {"<b x='<menuitem id=\"a\"/>'/>", 6, {6, 24}},
        {"<menuitem checked><menuitem id='a' />", 0, {0, 37}},
        {"<x y=\"unclosed /><menuitem id='a' />", 0, {0, 0}},
        {"<menuitem id='a", 0, {0, 0}},
        {"\x1A<menuitem id='a'/>\x1A", 0, {1, 19}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.expected, FindMenuItem(row.text, row.start)) << row.text << " from " << row.start;
    }
}

TEST(TagScannerTest, ACommentWithBlanksIsReportedUpToTheTagItSwallows)
{
    const std::string text = "<!-- note -->\n<menuitem id='a' />";
    EXPECT_EQ(TagSpan(0, text.size()), FindMenuItem(text, 0, "--"));
}

TEST(TagScannerTest, MatchTreatsAMissingAttributeAsEmptyAndIgnoresTheType)
{
    const struct {
        std::string element;
        TagAttributes attributes;
        std::string wanted;
        bool expected;
    } rows[] = {
        {"button", {{"id", "VNL"}}, "VNL", true},
        {"button", {{"id", "vnl"}}, "VNL", false},
        {"Button", {{"id", "VNL"}}, "VNL", false},
        {"button", {}, "", true},
        {"button", {{"ids", "VNL"}}, "VNL", false},
    };
    for (const auto& row : rows) {
        for (const TagType type : {TagType::EndTag, TagType::StartTag, TagType::Declaration}) {
            FindByNameAndAttribute finder("button", "id", row.wanted);
            TagAttributes attributes = row.attributes;
            EXPECT_EQ(row.expected, finder.Match(row.element, attributes, type)) << row.element << " " << row.wanted;
        }
    }
}

TEST(TagScannerTest, AScanThatRejectsEveryTagSeesEachInOrder)
{
    const std::string text = "<?xml version=\"1.0\"?>\r\n<menus>\r\n<!-- c -->\r\n<menu id=\"m\">\r\n</menu></menus>";
    std::vector<std::pair<std::string, TagType>> seen;
    const TagSpan span = ScanTags(text, 0, [&seen](const std::string& name, TagAttributes&, TagType type) {
        seen.emplace_back(name, type);
        return false;
    });
    const std::vector<std::pair<std::string, TagType>> expected = {
        {"xml", TagType::SelfClosingTag}, {"menus", TagType::StartTag}, {"--", TagType::Declaration},
        {"menu", TagType::EndTag}, {"menus", TagType::EndTag}};
    EXPECT_EQ(expected, seen);
    EXPECT_EQ(TagSpan(0, 0), span);
}

TEST(TagScannerTest, NamesSplitByOtherCharactersAreJoined)
{
    const Tag tag = FirstTag("<a\"b c!d='1' c!d='2' e/f='3'>");
    EXPECT_EQ("ab", tag.name);
    EXPECT_EQ((TagAttributes{{"cd", "2"}, {"ef", "3"}}), tag.attributes);
    EXPECT_EQ(TagType::StartTag, tag.type);
}

TEST(TagScannerTest, LongNamesAndValuesAreTakenWhole)
{
    for (std::size_t length = 0; length < 70; ++length) {
        const std::string name = "n" + std::string(length, 'x');
        const std::string value(length, 'v');
        const std::string text = "<" + name + " " + name + "='" + value + "' b=\"" + value + "'\"/>";
        const Tag tag = FirstTag(text);
        EXPECT_EQ(name, tag.name) << text;
        EXPECT_EQ((TagAttributes{{"b", value + "'"}, {name, value}}), tag.attributes) << text;
        EXPECT_EQ(TagType::SelfClosingTag, tag.type) << text;
        EXPECT_EQ(TagSpan(0, 0), FindMenuItem(text.substr(0, text.size() - 4), 0)) << text;
    }
}

TEST(TagScannerTest, EveryByteButTheMarkupCharactersIsPartOfAName)
{
    for (int byte = 0; byte < 256; ++byte) {
        const char ch = static_cast<char>(byte);
        if (std::string(" \t<>/!?\"'=").find(ch) != std::string::npos) {
            continue;
        }
        // Long enough that the name is searched in blocks, with the byte at every place in one.
        for (std::size_t at = 0; at < 20; ++at) {
            std::string name(24, 'a');
            name[at] = ch;
            EXPECT_EQ(name, FirstTag("<" + name + " x='1'>").name) << byte << " at " << at;
        }
    }
}

// The map is kept from tag to tag: whatever the predicate does to it, each
// tag sees its own attributes and nothing else.
TEST(TagScannerTest, EachTagSeesOnlyItsOwnAttributesWhateverThePredicateDoes)
{
    const std::string text = "<menu name='m' id='1'><menuitem name='a' key='k' id='2'/><menuitem id='3' key='l' name='b'/>"
                             "<separator/><menuitem name='c' key='m' id='4'/><menu name='n' id='5'>"
                             "<menuitem name='d' key='n' id='6'/><menuitem name='e' key='o'/><menuitem name='f' key='p'/>"
                             "<menuitem name='g' key='q' id='7' id='8'/></menu>";
    const std::vector<TagAttributes> expected = {
        {{"id", "1"}, {"name", "m"}},
        {{"id", "2"}, {"key", "k"}, {"name", "a"}},
        {{"id", "3"}, {"key", "l"}, {"name", "b"}},
        {},
        {{"id", "4"}, {"key", "m"}, {"name", "c"}},
        {{"id", "5"}, {"name", "n"}},
        {{"id", "6"}, {"key", "n"}, {"name", "d"}},
        {{"key", "o"}, {"name", "e"}},
        {{"key", "p"}, {"name", "f"}},
        {{"id", "8"}, {"key", "q"}, {"name", "g"}},
        {},
    };
    for (int meddling = 0; meddling < 4; ++meddling) {
        std::vector<TagAttributes> seen;
        ScanTags(text, 0, [&seen, meddling](const std::string&, TagAttributes& attributes, TagType) {
            seen.push_back(attributes);
            switch ((seen.size() + meddling) % 4) {
            case 0:
                attributes["id"];
                break;
            case 1:
                attributes.clear();
                break;
            case 2:
                attributes["zz"] = "added";
                break;
            default:
                if (!attributes.empty()) {
                    attributes.begin()->second = "changed";
                }
                break;
            }
            return false;
        });
        EXPECT_EQ(expected, seen) << meddling;
    }
}

TEST(TagScannerTest, AnEmptyPredicateThrowsAtTheFirstTag)
{
    EXPECT_THROW(ScanTags("<a>", 0, TagPredicate()), boost::bad_function_call);
}
