#include "FileOperations.hpp"

#include "Exception.hpp"
#include "Messages.hpp"
#include "Paths.hpp"

#include <boost/filesystem/operations.hpp>
#include <boost/format.hpp>

namespace fs = boost::filesystem;

namespace Installer {

void Copy(const fs::path& source, const fs::path& target)
{
    try {
        const fs::path folder = target.parent_path();
        if (!folder.empty() && !Utilities::Exists(folder)) {
            fs::create_directories(folder);
        }
        fs::remove(target);
        fs::copy_file(source, target);
        if (!Utilities::Exists(target) || fs::file_size(source) != fs::file_size(target)) {
            throw std::logic_error(Messages::UnknownError);
        }
    } catch (const std::exception& failure) {
        throw Exception((boost::format(Messages::CannotCopy) % Utilities::NativeText(source) %
                         Utilities::NativeText(target) % failure.what())
                            .str());
    }
}

void Remove(const fs::path& path)
{
    try {
        fs::remove_all(path);
        if (Utilities::ExistsOrThrow(path)) {
            throw std::logic_error(Messages::PathStillExists);
        }
    } catch (const std::exception& failure) {
        throw Exception((boost::format(Messages::CannotRemove) % Utilities::NativeText(path) % failure.what()).str());
    }
}

} // namespace Installer
