#include "HostWindowTitle.hpp"

#include <boost/algorithm/string/predicate.hpp>

namespace Installer {

bool IsHostWindowTitle(const std::string& title, const std::vector<std::string>& keywords)
{
    using boost::algorithm::icontains;
    if (icontains(title, "setup") || icontains(title, "uninstall") || title.find('\\') != std::string::npos) {
        return false;
    }
    for (const std::string& keyword : keywords) {
        if (icontains(title, keyword)) {
            return true;
        }
    }
    return false;
}

} // namespace Installer
