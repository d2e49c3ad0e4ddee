#include "TagScanner.hpp"

#include <boost/bind/bind.hpp>
#include <gtest/gtest.h>

#include <tuple>

using namespace Utilities;

namespace {

using Tag = std::tuple<std::string, TagAttributes, TagType>;

// Every tag the scanner reports from the start, none accepted.
std::vector<Tag> Tags(const std::string& text)
{
    std::vector<Tag> seen;
    ScanTags(text, 0, [&seen](const std::string& name, TagAttributes& attributes, TagType type) {
        seen.emplace_back(name, attributes, type);
        return false;
    });
    return seen;
}

TagSpan Find(const std::string& text, std::string::size_type start, const char* element = "menuitem")
{
    using namespace boost::placeholders;
    FindByNameAndAttribute finder(element, "id", "a");
    return ScanTags(text, start, boost::bind(&FindByNameAndAttribute::Match, &finder, _1, _2, _3));
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
        {"<MenuItem ID='a'>", {{"MenuItem", {{"ID", "a"}}, Start}}},
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
        {"<menuitem id=a />", 0, {0, 0}},
        {"<menuitem id=a /><menuitem id='a'/>", 0, {0, 35}},
        {"<!-- note -->\n<menuitem id='a' />", 0, {0, 0}},
        {"<b x='<menuitem id=\"a\"/>'/>", 0, {0, 0}},
        {"<b x='<menuitem id=\"a\"/>'/>", 6, {6, 24}},
        {"<menuitem checked><menuitem id='a' />", 0, {0, 37}},
    };
    for (const auto& [text, start, span] : searches) {
        EXPECT_EQ(span, Find(text, start)) << text << " from " << start;
    }
    const std::string swallowed = "<!-- note -->\n<menuitem id='a' />";
    EXPECT_EQ(TagSpan(0, swallowed.size()), Find(swallowed, 0, "--"));
    // A missing attribute counts as empty, and is added to the map so.
    FindByNameAndAttribute finder("b", "id", "");
    TagAttributes attributes{{"x", "1"}};
    EXPECT_TRUE(finder.Match("b", attributes, TagType::EndTag));
    EXPECT_EQ((TagAttributes{{"id", ""}, {"x", "1"}}), attributes);
}

// The scanner reuses its maps from tag to tag: however names and lengths
// vary and whatever the predicate does to a map, each tag sees its own.
TEST(TagScanner, EachTagSeesOnlyItsOwnAttributesWhateverThePredicateDoesToTheMap)
{
    const std::pair<std::string, TagAttributes> kinds[] = {
        {"<s/>", {}},
        {"<m n='#' id='1'>", {{"id", "1"}, {"n", "#"}}},
        {"<m id='#' n='2'>", {{"id", "#"}, {"n", "2"}}},
        {"<i k='#' n='3' id='4'/>", {{"id", "4"}, {"k", "#"}, {"n", "3"}}},
        {"<i n\n='#' a!b='5'/>", {{"ab", "5"}, {"n\n", "#"}}},
    };
    std::string text;
    std::vector<TagAttributes> expected;
    for (size_t i = 0; i < 40; ++i) {
        const std::string value(i * 7 % 40, static_cast<char>('a' + i % 26));
        auto [tag, attributes] = kinds[i * 5 % std::size(kinds)];
        if (tag.find('#') != std::string::npos) {
            tag.replace(tag.find('#'), 1, value);
        }
        text += tag;
        for (auto& attribute : attributes) {
            attribute.second = attribute.second == "#" ? value : attribute.second;
        }
        expected.push_back(attributes);
    }
    for (int meddling = 0; meddling < 3; ++meddling) {
        std::vector<TagAttributes> seen;
        ScanTags(text, 0, [&seen, meddling](const std::string& name, TagAttributes& attributes, TagType) {
            seen.push_back(attributes);
            switch ((seen.size() + meddling) % 3) {
            case 0: attributes.clear(); break;
            case 1: attributes[name] = "added"; break;
            default: attributes.insert({"n", "kept"}).first->second = "changed";
            }
            return false;
        });
        EXPECT_EQ(expected, seen) << meddling;
    }
}
