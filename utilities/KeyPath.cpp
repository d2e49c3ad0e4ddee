#include "KeyPath.hpp"

#include <boost/tokenizer.hpp>

#include <algorithm>
#include <cctype>
#include <utility>

namespace Utilities::Registry {

std::vector<std::string> SplitKeyPath(const std::string& path)
{
    const boost::char_separator<char> backslash("\\");
    const boost::tokenizer<boost::char_separator<char>> tokens(path, backslash);
    return std::vector<std::string>(tokens.begin(), tokens.end());
}

std::string JoinKeyPath(const std::vector<std::string>& components, int first, int last)
{
    const int size = static_cast<int>(components.size());
    if (last <= 0) {
        last += size;
    }
    first = std::max(first, 0);
    last = std::min(last, size);
    std::string joined;
    for (int i = first; i < last; ++i) {
        if (i > first) {
            joined += '\\';
        }
        joined += components[i];
    }
    return joined;
}

Root FindRoot(const std::string& rootName)
{
    static const std::pair<const char*, Root> roots[] = {
        {"HKEY_CLASSES_ROOT", Root::ClassesRoot},   {"HKEY_CURRENT_CONFIG", Root::CurrentConfig},
        {"HKEY_CURRENT_USER", Root::CurrentUser},   {"HKEY_DYN_DATA", Root::DynData},
        {"HKEY_LOCAL_MACHINE", Root::LocalMachine}, {"HKEY_USERS", Root::Users},
    };
    std::string upper = rootName;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (const auto& [name, root] : roots) {
        if (upper == name) {
            return root;
        }
    }
    return Root::None;
}

} // namespace Utilities::Registry
