#include "TagScanner.hpp"

#include <boost/bind/bind.hpp>
#include <gtest/gtest.h>

using namespace Utilities;

namespace {

struct Tag {
    std::string name;
    TagAttributes attributes;
    TagType type;
    bool operator==(const Tag& other) const
    {
        return name == other.name && attributes == other.attributes && type == other.type;
    }
};

std::ostream& operator<<(std::ostream& out, const Tag& tag)
{
    out << tag.name << " (" << static_cast<int>(tag.type) << ")";
    for (const auto& [name, value] : tag.attributes) {
        out << " " << name << "=" << value;
    }
    return out;
}

// Every tag the scanner reports from the start, none accepted.
std::vector<Tag> Tags(const std::string& text)
{
    std::vector<Tag> seen;
    ScanTags(text, 0, [&seen](const std::string& name, TagAttributes& attributes, TagType type) {
        seen.push_back({name, attributes, type});
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

TEST(TagScanner, ReportsEachTagsNameAttributesAndTypeAsTheCharacterRulesReadThem)
{
    const TagType Start = TagType::StartTag, End = TagType::EndTag, Empty = TagType::SelfClosingTag;
    const struct {
        std::string text;
        std::vector<Tag> tags;
    } rows[] = {
        {"<menuitem id='a' name='b' />", {{"menuitem", {{"id", "a"}, {"name", "b"}}, Empty}}},
        {"<menu>x</menu>< /menu>", {{"menu", {}, Start}, {"menu", {}, End}, {"menu", {}, End}}},
        {"<?xml version='1.0'?><?target><!DOCTYPE><!--note-->",
         {{"xml", {{"version", "1.0"}}, Empty}, {"target", {}, TagType::ProcessingInstruction},
          {"DOCTYPE", {}, TagType::Declaration}, {"--note--", {}, TagType::Declaration}}},
        {"<a v=\"it's\" w='say \"x\"' e='x > y' q=''>", {{"a", {{"v", "it's"}, {"w", "say \"x\""}, {"e", "x > y"}, {"q", ""}}, Start}}},
        {"<a id = 'a'\tname='b' x='1' x='2'>", {{"a", {{"id", "a"}, {"name", "b"}, {"x", "2"}}, Start}}},
        {"<MenuItem ID='a'>", {{"MenuItem", {{"ID", "a"}}, Start}}},
        {"<a x=un'1' y='2'>", {{"a", {{"x", "1"}, {"uny", "2"}}, Start}}},
        {"<a checked id='1'/ >", {{"a", {{"id", "1"}}, Empty}}},
        {"<a b c='1'='2'>", {{"a", {{"", "2"}, {"c", "1"}}, Start}}},
        {"<a\"b c!d='1' c!d='2' e/f='3'>", {{"ab", {{"cd", "2"}, {"ef", "3"}}, Start}}},
        {"<menuitem\nid='a'/>", {{"menuitem\nida", {}, Empty}}},
        {"<menuitem id='a'\n  name='b' />", {{"menuitem", {{"id", "a"}, {"name", "b"}}, Empty}}},
        {"<m\xE9nu \x1A='\x80'>", {{"m\xE9nu", {{"\x1A", "\x80"}}, Start}}},
        {"<!-- note -->\n<menuitem id='a' /><b>", {{"--", {{"id", "a"}}, Empty}, {"b", {}, Start}}},
        {"<a x='1'><b y=\"unclosed><c>", {{"a", {{"x", "1"}}, Start}}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.tags, Tags(row.text)) << row.text;
    }
}

TEST(TagScanner, FindsTheSpanOfTheFirstMatchingTagAtOrAfterTheStart)
{
    const struct {
        std::string text;
        std::string::size_type start;
        TagSpan span;
    } rows[] = {
        {"x\r\n<menuitem id='a'/>", 0, {3, 21}},
        {"<menuitem id='a'/><menuitem id='a'/>", 1, {18, 36}},
        {"<menuitem id='a'/>", 18, {0, 0}},
        {"<menuitem id='a'/>", 1000, {0, 0}},
        {"<menu id='a'/><MenuItem id='a'/><menuitem ID='a'/><menuitem id='A'/>", 0, {0, 0}},
        {"<menuitem id=a />", 0, {0, 0}},
        {"<menuitem\nid='a'/>", 0, {0, 0}},
        {"<menuitem id=a /><menuitem id='a'/>", 0, {0, 35}},
        {"<!--note-->\n<menuitem id='a' />", 0, {12, 31}},
        {"<!-- note -->\n<menuitem id='a' />", 0, {0, 0}},
        {"<b x='<menuitem id=\"a\"/>'/>", 0, {0, 0}},
        {"<b x='<menuitem id=\"a\"/>'/>", 6, {6, 24}},
        {"<menuitem checked><menuitem id='a' />", 0, {0, 37}},
        {"<menuitem id='a", 0, {0, 0}},
        {"\x1A<menuitem id='a'/>\x1A", 0, {1, 19}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.span, Find(row.text, row.start)) << row.text << " from " << row.start;
    }
    const std::string swallowed = "<!-- note -->\n<menuitem id='a' />";
    EXPECT_EQ(TagSpan(0, swallowed.size()), Find(swallowed, 0, "--"));
}

TEST(TagScanner, AMatchNeedsTheNameAndAttributeValueExactlyAndTakesAMissingAttributeAsEmpty)
{
    const struct {
        std::string element;
        TagAttributes attributes;
        std::string wanted;
        bool matches;
    } rows[] = {
        {"button", {{"id", "VNL"}}, "VNL", true},   {"button", {{"id", "vnl"}}, "VNL", false},
        {"Button", {{"id", "VNL"}}, "VNL", false},  {"button", {}, "", true},
        {"button", {{"ids", "VNL"}}, "VNL", false},
    };
    for (const auto& row : rows) {
        for (const TagType type : {TagType::EndTag, TagType::StartTag}) {
            FindByNameAndAttribute finder("button", "id", row.wanted);
            TagAttributes attributes = row.attributes;
            EXPECT_EQ(row.matches, finder.Match(row.element, attributes, type)) << row.element << " " << row.wanted;
            EXPECT_EQ(1u, attributes.count("id"));
        }
    }
}

// The scanner reuses its maps from tag to tag: whatever the predicate does
// to one, and however names and lengths vary, each tag sees its own.
TEST(TagScanner, EachTagSeesOnlyItsOwnAttributesWhateverThePredicateDoesToTheMap)
{
    std::string text;
    std::vector<TagAttributes> expected;
    for (int i = 0; i < 40; ++i) {
        const std::string value(static_cast<size_t>(i * 7 % 40), static_cast<char>('a' + i % 26));
        const int kind = i * 5 % 7;
        text += kind == 0 ? "<s/>" : kind == 1 ? "<m n='" + value + "' id='1'>" : kind == 2 ? "<m id='" + value + "' n='2'>"
              : kind == 3 ? "<i k='" + value + "' n='3' id='4'/>" : kind == 4 ? "<i x='1' x='" + value + "'/>"
              : kind == 5 ? "<i n\n='" + value + "' a!b='5'/>" : "<i k='" + value + "' n='6' id='7' z='8'/>";
        expected.push_back(kind == 0 ? TagAttributes{} : kind == 1 ? TagAttributes{{"id", "1"}, {"n", value}}
                           : kind == 2 ? TagAttributes{{"id", value}, {"n", "2"}}
                           : kind == 3 ? TagAttributes{{"id", "4"}, {"k", value}, {"n", "3"}}
                           : kind == 4 ? TagAttributes{{"x", value}} : kind == 5 ? TagAttributes{{"ab", "5"}, {"n\n", value}}
                           : TagAttributes{{"id", "7"}, {"k", value}, {"n", "6"}, {"z", "8"}});
    }
    for (int meddling = 0; meddling < 4; ++meddling) {
        std::vector<TagAttributes> seen;
        ScanTags(text, 0, [&seen, meddling](const std::string&, TagAttributes& attributes, TagType) {
            seen.push_back(attributes);
            switch ((seen.size() + meddling) % 4) {
            case 0: attributes["id"]; break;
            case 1: attributes.clear(); break;
            case 2: attributes.erase(attributes.begin(), attributes.end()); attributes["n"] = "other"; break;
            default: if (!attributes.empty()) attributes.begin()->second = "changed";
            }
            return false;
        });
        EXPECT_EQ(expected, seen) << meddling;
    }
}

TEST(TagScanner, EveryByteButTheMarkupCharactersBelongsToNames)
{
    for (int byte = 0; byte < 256; ++byte) {
        const char ch = static_cast<char>(byte);
        if (std::string(" \t<>/!?\"'=").find(ch) == std::string::npos) {
            const std::string name = "a" + std::string(1, ch) + std::string(20, 'b') + std::string(1, ch);
            EXPECT_EQ((std::vector<Tag>{{name, {{name, "v"}}, TagType::StartTag}}), Tags("<" + name + " " + name + "='v'>"))
                << byte;
        }
    }
}
