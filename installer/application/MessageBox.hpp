#pragma once
// The installer's only ways of speaking to the user: message boxes without
// an owner window. Texts are UTF-8.
#include <string>

namespace Installer {

enum class MessageKind { Error, Information };
enum class Answer { Abort, Retry, Ignore };

void ShowMessage(const std::string& text, const char* caption, MessageKind kind);
// A warning box with Abort, Retry and Ignore; any result other than Abort or
// Retry counts as Ignore.
Answer AskAbortRetryIgnore(const std::string& text, const char* caption);

} // namespace Installer
