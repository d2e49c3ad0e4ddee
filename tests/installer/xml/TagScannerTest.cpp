#include "TagScanner.hpp"

#include <gtest/gtest.h>

#include <tuple>

using namespace Utilities;

namespace {

using Tag = std::tuple<std::string, TagAttributes, TagType>;

// Every tag the scanner reports from the start, none accepted. The map it
// is given is replaced after each: the next tag must not see that.
std::vector<Tag> Tags(const std::string& text)
{
    std::vector<Tag> seen;
    ScanTags(text, 0, [&seen](const std::string& name, TagAttributes& attributes, TagType type) {
        seen.emplace_back(name, attributes, type);
        attributes = {{"meddled", name}};
        return false;
    });
    return seen;
}

TagSpan Find(const std::string& text, std::string::size_type start)
{
    FindByNameAndAttribute finder("menuitem", "id", "a");
    return ScanTags(text, start, [&finder](const std::string& name, TagAttributes& map, TagType type) { return finder.Match(name, map, type); });
}

} // namespace

TEST(TagScanner, ReportsEachTagAsTheCharacterRulesReadItAndFindsTheFirstMatchingOneFromTheStart)
{
    const TagType Start = TagType::StartTag, End = TagType::EndTag, Empty = TagType::SelfClosingTag;
    const std::pair<std::string, std::vector<Tag>> rows[] = {
        {"<menuitem id='a' name='b' />", {{"menuitem", {{"id", "a"}, {"name", "b"}}, Empty}}},
        {"<menu>x</menu>< /menu>", {{"menu", {}, Start}, {"menu", {}, End}, {"menu", {}, End}}},
        {"<?xml version='1.0'?><?target><!DOCTYPE><!--note-->",
         {{"xml", {{"version", "1.0"}}, Empty}, {"target", {}, TagType::ProcessingInstruction},
          {"DOCTYPE", {}, TagType::Declaration}, {"--note--", {}, TagType::Declaration}}},
        {"<a v=\"it's\" w='say \"x\"' e='x > y' q=''>", {{"a", {{"v", "it's"}, {"w", "say \"x\""}, {"e", "x > y"}, {"q", ""}}, Start}}},
        {"<a id = 'a'\tname='b' x='1' x='2'>", {{"a", {{"id", "a"}, {"name", "b"}, {"x", "2"}}, Start}}},
        {"<a x=un'' y='2'>", {{"a", {{"x", ""}, {"uny", "2"}}, Start}}},
        {"<a checked id='1'/ >", {{"a", {{"id", "1"}}, Empty}}},
        {"<a b c='1'='2'>", {{"a", {{"", "2"}, {"c", "1"}}, Start}}},
        {"<a x ><b ='1'>", {{"a", {}, Start}, {"b", {{"", "1"}}, Start}}},
        {"<a\"b c!d='1' c!d='2' e/f='3'>", {{"ab", {{"cd", "2"}, {"ef", "3"}}, Start}}},
        {"<menuitem\nid='a'/>", {{"menuitem\nida", {}, Empty}}},
        {"<menuitem id='a'\n  name='b' />", {{"menuitem", {{"id", "a"}, {"name", "b"}}, Empty}}},
        {"<m\xE9nu \x1A='\x80'>", {{"m\xE9nu", {{"\x1A", "\x80"}}, Start}}},
        {"<!-- note -->\n<menuitem id='a' /><b>", {{"--", {{"id", "a"}}, Empty}, {"b", {}, Start}}},
        {"<a x='1'><b y=\"unclosed><c>", {{"a", {{"x", "1"}}, Start}}},
    };
    for (const auto& [text, tags] : rows) {
        EXPECT_EQ(tags, Tags(text)) << text;
    }
    const std::tuple<std::string, std::string::size_type, TagSpan> searches[] = {
        {"x\r\n<menuitem id='a'/>", 0, {3, 21}},
        {"<menuitem id='a'/><menuitem id='a'/>", 1, {18, 36}},
        {"<menuitem id='a'/>", 18, {0, 0}},
        {"<menu id='a'/><MenuItem id='a'/><menuitem ID='a'/><menuitem id='A'/>", 0, {0, 0}},
        {"<menuitem id=a /><menuitem id='a'/>", 0, {0, 35}},
        {"<b x='<menuitem id=\"a\"/>'/>", 0, {0, 0}},
        {"<b x='<menuitem id=\"a\"/>'/>", 6, {6, 24}},
        {"<menuitem checked><menuitem id='a' />", 0, {0, 37}},
    };
    for (const auto& [text, start, span] : searches) {
        EXPECT_EQ(span, Find(text, start)) << text << " from " << start;
    }
    // A missing attribute counts as empty, and is added to the map so.
    FindByNameAndAttribute finder("b", "id", "");
    TagAttributes attributes{{"x", "1"}};
    EXPECT_TRUE(finder.Match("b", attributes, TagType::EndTag));
    EXPECT_EQ((TagAttributes{{"id", ""}, {"x", "1"}}), attributes);
}
