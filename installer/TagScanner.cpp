#include "TagScanner.hpp"

#include "AttributeCollector.hpp"

#include <array>
#include <cstring>

namespace Utilities {

namespace {

using Position = std::string::size_type;

enum class State { Outside, TagOpen, Name, InTag, AttributeName, AfterEquals, Value };

// Line breaks and other control characters are ordinary on purpose: the
// host's files are matched the way its own tools always matched them.
enum class CharClass : unsigned char { Ordinary, Blank, Open, Close, Slash, Mark, Quote, Equals };

constexpr std::array<CharClass, 256> MakeClassTable()
{
    std::array<CharClass, 256> table{};
    table[' '] = table['\t'] = CharClass::Blank;
    table['<'] = CharClass::Open;
    table['>'] = CharClass::Close;
    table['/'] = CharClass::Slash;
    table['!'] = table['?'] = CharClass::Mark;
    table['"'] = table['\''] = CharClass::Quote;
    table['='] = CharClass::Equals;
    return table;
}

constexpr std::array<CharClass, 256> ClassTable = MakeClassTable();

CharClass Classify(char ch) { return ClassTable[static_cast<unsigned char>(ch)]; }

// One call's scan state.
class Scanner {
public:
    Scanner(const std::string& text, const TagPredicate& predicate) : text(text), predicate(predicate) {}

    TagSpan Run(Position start);

private:
    bool SkipToTag();
    bool Step(char ch);
    void OpenTag();
    void Ordinary();
    void Blank();
    void Equals();
    bool CloseTag();
    bool ReadValue();

    const std::string& text;
    const TagPredicate& predicate;
    Position position = 0;
    State state = State::Outside;
    char previous = '\0';
    char quote = '\0';
    bool endTag = false;
    TagType type = TagType::StartTag;
    Position begin = 0;
    std::string token;
    std::string elementName;
    std::string attributeName;
    AttributeCollector collected;
    TagAttributes attributes;
};

TagSpan Scanner::Run(Position start)
{
    position = start;
    while (position < text.size()) {
        if (state == State::Outside && !SkipToTag()) {
            break;
        }
        if (state == State::Value) {
            if (!ReadValue()) {
                break;
            }
            continue;
        }
        if (Step(text[position])) {
            return TagSpan(begin, position + 1);
        }
        ++position;
    }
    return TagSpan(0, 0);
}

// Between tags only "<" matters: whatever precedes it is dropped when it
// opens the tag, so the scan may jump straight to it.
bool Scanner::SkipToTag()
{
    const void* found = std::memchr(text.data() + position, '<', text.size() - position);
    if (found == nullptr) {
        return false;
    }
    position = static_cast<Position>(static_cast<const char*>(found) - text.data());
    return true;
}

// True when the ">" at the current position ends a tag that is accepted.
bool Scanner::Step(char ch)
{
    switch (Classify(ch)) {
    case CharClass::Open:
        if (state == State::Outside) {
            OpenTag();
        }
        break;
    case CharClass::Slash:
        if (state == State::TagOpen && previous == '<') {
            endTag = true;
        }
        break;
    case CharClass::Mark:
        break;
    case CharClass::Quote:
        if (state == State::AfterEquals) {
            quote = ch;
            state = State::Value;
        }
        break;
    case CharClass::Equals:
        Equals();
        break;
    case CharClass::Blank:
        Blank();
        return false; // a blank never becomes the previous character
    case CharClass::Close:
        if (CloseTag()) {
            return true;
        }
        break;
    case CharClass::Ordinary:
        Ordinary();
        return false;
    }
    previous = ch;
    return false;
}

void Scanner::OpenTag()
{
    begin = position;
    token.clear();
    elementName.clear();
    attributeName.clear();
    collected.Clear();
    endTag = false;
    state = State::TagOpen;
}

// Only the first character of a run of ordinary characters can change the
// state; the whole run goes to the token at once.
void Scanner::Ordinary()
{
    if (state == State::TagOpen) {
        if (previous == '!') {
            type = TagType::Declaration;
        } else if (previous == '?') {
            type = TagType::ProcessingInstruction;
        } else {
            type = endTag ? TagType::EndTag : TagType::StartTag;
        }
        state = State::Name;
    } else if (state == State::InTag) {
        state = State::AttributeName;
    }
    Position end = position + 1;
    while (end < text.size() && Classify(text[end]) == CharClass::Ordinary) {
        ++end;
    }
    token.append(text, position, end - position);
    previous = text[end - 1];
    position = end - 1;
}

void Scanner::Blank()
{
    if (state == State::Name) {
        elementName = token;
    } else if (state == State::AttributeName) {
        attributeName = token;
    } else {
        return;
    }
    token.clear();
    state = State::InTag;
}

void Scanner::Equals()
{
    if (state == State::AttributeName) {
        attributeName = token;
        token.clear();
        state = State::AfterEquals;
    } else if (state == State::InTag) {
        state = State::AfterEquals;
    }
}

bool Scanner::CloseTag()
{
    if (state == State::Name) {
        elementName = token;
    } else if (state != State::InTag) {
        return false; // a ">" after an attribute name or "=" ends nothing
    }
    state = State::Outside;
    if (previous == '/' || previous == '?') {
        type = TagType::SelfClosingTag;
    }
    collected.Fill(attributes, text);
    return predicate(elementName, attributes, type);
}

// At the character after an opening quote. A value without its closing
// quote ends the scan: nothing after it can be told apart from the value.
bool Scanner::ReadValue()
{
    const void* found = std::memchr(text.data() + position, quote, text.size() - position);
    if (found == nullptr) {
        return false;
    }
    const char* end = static_cast<const char*>(found);
    collected.Add(attributeName, position, static_cast<std::size_t>(end - (text.data() + position)));
    attributeName.clear();
    previous = quote;
    state = State::InTag;
    position = static_cast<Position>(end - text.data()) + 1;
    return true;
}

} // namespace

TagSpan ScanTags(const std::string& text, std::string::size_type start, const TagPredicate& predicate)
{
    if (start >= text.size()) {
        return TagSpan(0, 0);
    }
    Scanner scanner(text, predicate);
    return scanner.Run(start);
}

FindByNameAndAttribute::FindByNameAndAttribute(const std::string& elementName, const std::string& attributeName,
                                               const std::string& attributeValue)
    : elementName(elementName), attributeName(attributeName), attributeValue(attributeValue)
{
}

bool FindByNameAndAttribute::Match(const std::string& elementName, TagAttributes& attributes, const TagType)
{
    if (elementName != this->elementName) {
        return false;
    }
    return attributes[attributeName] == attributeValue;
}

} // namespace Utilities
