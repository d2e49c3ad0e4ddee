#include "Reporting.hpp"

namespace Installer {

namespace {

// Whether a long option's name is written out or begun ("--qu" for "--quiet").
bool Begins(const std::string& written, const char* name) { return !written.empty() && std::string(name).rfind(written, 0) == 0; }

} // namespace

bool IsLogName(const std::string& value) { return !value.empty() && value.front() != '-'; }

Reporting ReadReporting(const std::vector<std::string>& words)
{
    Reporting reporting;
    for (std::size_t at = 0; at < words.size() && words[at] != "--"; ++at) {
        const std::string& word = words[at];
        bool logOption = false;
        std::string::size_type valueAt = std::string::npos; // of a value in the word itself
        if (word.rfind("--", 0) == 0) {
            const std::string::size_type equals = word.find('=');
            const std::string name = word.substr(2, equals == std::string::npos ? equals : equals - 2);
            reporting.quiet = reporting.quiet || Begins(name, "quiet");
            logOption = Begins(name, "log");
            valueAt = equals == std::string::npos ? equals : equals + 1;
        } else if (word.size() > 1 && word.front() == '-') {
            // A group of short switches ends at the first one that takes a value.
            const std::string::size_type log = word.find('l');
            reporting.quiet = reporting.quiet || word.find('q') < log;
            logOption = log != std::string::npos;
            valueAt = log + 1 < word.size() ? log + 1 : std::string::npos;
        }
        if (!logOption) {
            continue;
        }
        const bool nextIsValue = valueAt == std::string::npos && at + 1 < words.size() && IsLogName(words[at + 1]);
        const std::string value = nextIsValue ? words[++at] : valueAt == std::string::npos ? "" : word.substr(valueAt);
        if (reporting.log.empty() && IsLogName(value)) {
            reporting.log = value;
        }
    }
    return reporting;
}

} // namespace Installer
