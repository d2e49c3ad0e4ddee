#pragma once
// Edits of a file's text in memory, and the line-end conversion between the
// file's bytes and that text. Plain C++, so that it also builds natively.
#include <string>

namespace Utilities {

// Inserts s before the character at position at; at or past the end appends.
void InsertText(std::string& text, std::string::size_type at, const std::string& s);

// Removes text[begin, end). A span that is empty, reversed or starts past the
// end removes nothing; one that runs past the end stops at the end.
void EraseText(std::string& text, std::string::size_type begin, std::string::size_type end);

// The file's bytes with each CR LF pair turned into LF. Every other byte,
// a lone CR and Ctrl-Z included, is kept.
std::string FoldLineEnds(const std::string& bytes);

// The text with each LF written as CR LF, as the file stores it.
std::string ExpandLineEnds(const std::string& text);

} // namespace Utilities
