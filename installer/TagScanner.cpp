#include "TagScanner.hpp"

#include "AttributeCollector.hpp"

#include <array>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Utilities {

namespace {

using Position = std::string::size_type;

// Where in a tag the scan is. Between tags the scan only looks for "<", and a
// quoted value is taken whole, so neither needs a state of its own.
enum class State { TagOpen, Name, InTag, AttributeName, AfterEquals };

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

bool IsQuote(char ch) { return Classify(ch) == CharClass::Quote; }

const char* SkipOrdinary(const char* p, const char* end)
{
    while (p != end && Classify(*p) == CharClass::Ordinary) {
        ++p;
    }
    return p;
}

// The first ch in [p, end), or nullptr. Inlined, sixteen bytes at a time
// where SSE2 is at hand: the values and the gaps between tags it runs over
// are mostly too short to repay a call to memchr.
const char* FindByte(const char* p, const char* end, char ch)
{
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(ch);
    for (; end - p >= 16; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int found = _mm_movemask_epi8(_mm_cmpeq_epi8(block, wanted));
        if (found != 0) {
            return p + __builtin_ctz(static_cast<unsigned>(found));
        }
    }
#endif
    for (; p != end; ++p) {
        if (*p == ch) {
            return p;
        }
    }
    return nullptr;
}

// The ordinary characters that make up a name, gathered run by run. A name
// of one run, the usual kind, stays in the text; one that other characters
// split is copied together.
class Token {
public:
    void Clear()
    {
        size = 0;
        copied = false;
    }

    void Append(const char* run, std::size_t length)
    {
        if (size == 0 && !copied) {
            data = run;
            size = length;
            return;
        }
        if (!copied) {
            buffer.assign(data, size);
            copied = true;
        }
        buffer.append(run, length);
        data = buffer.data();
        size = buffer.size();
    }

    // Takes the other token's characters, copying them when they are not in the text.
    void Take(const Token& other)
    {
        if (!other.copied) {
            data = other.data;
            size = other.size;
            copied = false;
            return;
        }
        buffer.assign(other.data, other.size);
        data = buffer.data();
        size = buffer.size();
        copied = true;
    }

    std::string_view View() const { return std::string_view(data, size); }
    bool InText() const { return !copied; }
    bool Empty() const { return size == 0; }

private:
    const char* data = nullptr;
    std::size_t size = 0;
    bool copied = false;
    std::string buffer;
};

// One call's scan state. Between tags only "<" matters; inside a tag each
// character is classified, runs of ordinary characters and quoted values
// being taken whole.
class Scanner {
public:
    Scanner(const std::string& text, const TagPredicate& predicate)
        : text(text), predicate(predicate), first(text.data()), last(text.data() + text.size())
    {
    }

    TagSpan Run(Position start);

private:
    enum class Outcome { Accepted, Rejected, Ended };

    Outcome ScanTag(const char*& p);
    bool NamesAndValues(const char*& p, char& previous);
    bool TakeAttribute(const char*& p, char& previous);
    void OpenTag();
    void Ordinary(const char*& p, char previous);
    void Blank();
    void Equals();
    bool Quote(const char*& p);
    bool CloseTag(char previous);
    char Next(const char* p) const { return p + 1 != last ? p[1] : '\0'; }
    bool NextIs(const char* p, CharClass charClass) const { return p + 1 != last && Classify(p[1]) == charClass; }
    // Only the first blank of a run can change the state; p is left at the last.
    void SkipBlanks(const char*& p) const
    {
        while (NextIs(p, CharClass::Blank)) {
            ++p;
        }
    }
    void SetElementName();

    const std::string& text;
    const TagPredicate& predicate;
    const char* const first;
    const char* const last;
    State state = State::TagOpen;
    bool endTag = false;
    TagType type = TagType::StartTag;
    Token token;
    Token attributeName;
    std::string elementName;
    AttributeCollector collected;
    TagAttributes attributes;
};

TagSpan Scanner::Run(Position start)
{
    for (const char* p = first + start;;) {
        // Whatever precedes a "<" is dropped when it opens the tag, so the
        // scan may jump straight to it.
        p = FindByte(p, last, '<');
        if (p == nullptr) {
            return TagSpan(0, 0);
        }
        const Position begin = static_cast<Position>(p - first);
        switch (ScanTag(p)) {
        case Outcome::Accepted:
            return TagSpan(begin, static_cast<Position>(p - first) + 1);
        case Outcome::Rejected:
            ++p;
            break;
        case Outcome::Ended:
            return TagSpan(0, 0);
        }
    }
}

// From a tag's "<" up to the ">" that ends it, where p is left; Ended when
// the text ends first.
Scanner::Outcome Scanner::ScanTag(const char*& p)
{
    OpenTag();
    char previous = '<'; // the last character that was not a blank
    while (++p != last) {
        const char ch = *p;
        switch (Classify(ch)) {
        case CharClass::Ordinary:
            if (!NamesAndValues(p, previous)) {
                return Outcome::Ended;
            }
            continue;
        case CharClass::Blank:
            Blank();
            SkipBlanks(p);
            continue; // a blank never becomes the previous character
        case CharClass::Open:
        case CharClass::Mark:
            break;
        case CharClass::Slash:
            if (state == State::TagOpen && previous == '<') {
                endTag = true;
            }
            break;
        case CharClass::Quote:
            if (!Quote(p)) {
                return Outcome::Ended;
            }
            break;
        case CharClass::Equals:
            Equals();
            break;
        case CharClass::Close:
            if (state == State::Name || state == State::InTag) {
                return CloseTag(previous) ? Outcome::Accepted : Outcome::Rejected;
            }
            break; // a ">" after an attribute name or "=" ends nothing
        }
        previous = ch;
    }
    return Outcome::Ended;
}

// From an ordinary character: the usual body of a tag, its name and then
// name="value" pairs with blanks between them, taken here rather than by a
// turn of the loop in ScanTag for each piece. Each character goes through the
// same steps as it would there; p is left at the last one taken. False when
// the text ends inside a value.
bool Scanner::NamesAndValues(const char*& p, char& previous)
{
    for (;;) {
        if (!TakeAttribute(p, previous)) {
            Ordinary(p, previous);
            previous = *p;
            if (Next(p) == '=') {
                ++p;
                Equals();
                previous = '=';
                if (IsQuote(Next(p))) {
                    ++p;
                    if (!Quote(p)) {
                        return false;
                    }
                    previous = *p;
                }
            }
        }
        if (!NextIs(p, CharClass::Blank)) {
            return true;
        }
        ++p;
        Blank();
        SkipBlanks(p);
        if (!NextIs(p, CharClass::Ordinary)) {
            return true;
        }
        ++p;
    }
}

// Between attributes, at the first character of a name, an attribute written
// name="value" is taken at once: the steps for its name, its "=" and its
// value come to adding it. False, with nothing changed, when the scan is not
// between attributes or the attribute is written any other way.
bool Scanner::TakeAttribute(const char*& p, char& previous)
{
    if (state != State::InTag || !token.Empty()) {
        return false;
    }
    const char* const nameEnd = SkipOrdinary(p + 1, last);
    if (last - nameEnd < 2 || *nameEnd != '=' || !IsQuote(nameEnd[1])) {
        return false;
    }
    const char* const value = nameEnd + 2;
    const char* const end = FindByte(value, last, nameEnd[1]);
    if (end == nullptr) {
        return false;
    }
    collected.Add(std::string_view(p, static_cast<std::size_t>(nameEnd - p)), true, static_cast<Position>(value - first),
                  static_cast<std::size_t>(end - value));
    attributeName.Clear();
    previous = *end;
    p = end;
    return true;
}

void Scanner::OpenTag()
{
    token.Clear();
    attributeName.Clear();
    collected.Clear();
    endTag = false;
    state = State::TagOpen;
}

// At the first of a run of ordinary characters: the whole run goes to the
// token and p is left at its last character. Only the first character can
// change the state.
void Scanner::Ordinary(const char*& p, char previous)
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
    const char* const runEnd = SkipOrdinary(p + 1, last);
    token.Append(p, static_cast<std::size_t>(runEnd - p));
    p = runEnd - 1;
}

void Scanner::Blank()
{
    if (state == State::Name) {
        SetElementName();
    } else if (state == State::AttributeName) {
        attributeName.Take(token);
    } else {
        return;
    }
    token.Clear();
    state = State::InTag;
}

void Scanner::Equals()
{
    if (state == State::AttributeName) {
        attributeName.Take(token);
        token.Clear();
        state = State::AfterEquals;
    } else if (state == State::InTag) {
        state = State::AfterEquals;
    }
}

// At a quote; p is left at the closing quote of a value. A value without its
// closing quote ends the scan: nothing after it can be told apart from the
// value.
bool Scanner::Quote(const char*& p)
{
    if (state != State::AfterEquals) {
        return true;
    }
    const char* const value = p + 1;
    const char* const end = FindByte(value, last, *p);
    if (end == nullptr) {
        return false;
    }
    collected.Add(attributeName.View(), attributeName.InText(), static_cast<Position>(value - first),
                  static_cast<std::size_t>(end - value));
    attributeName.Clear();
    state = State::InTag;
    p = end;
    return true;
}

// Runs of tags of one name are the rule, and comparing is cheaper than copying.
void Scanner::SetElementName()
{
    const std::string_view name = token.View();
    if (!SameText(elementName, name)) {
        elementName.assign(name.data(), name.size());
    }
}

bool Scanner::CloseTag(char previous)
{
    if (state == State::Name) {
        SetElementName();
    }
    if (previous == '/' || previous == '?') {
        type = TagType::SelfClosingTag;
    }
    collected.Fill(attributes, text);
    return predicate(elementName, attributes, type);
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
    if (!SameText(elementName, this->elementName)) {
        return false;
    }
    // Tags have a handful of attributes: a walk through them with the
    // comparison above is quicker than the tree's own search.
    for (const auto& attribute : attributes) {
        if (SameText(attribute.first, attributeName)) {
            return SameText(attribute.second, attributeValue);
        }
    }
    attributes.emplace(attributeName, std::string());
    return attributeValue.empty();
}

} // namespace Utilities
