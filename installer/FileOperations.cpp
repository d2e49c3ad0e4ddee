#include "FileOperations.hpp"

#include "BriefHold.hpp"
#include "Exception.hpp"
#include "Handles.hpp"
#include "Messages.hpp"
#include "Paths.hpp"

#include <boost/filesystem/operations.hpp>
#include <boost/format.hpp>

namespace fs = boost::filesystem;

namespace Installer {

namespace {

// Runs the file system calls again while another program holds a file
// they need for a moment.
template <class Calls>
void WhileBrieflyHeld(Calls calls)
{
    for (BriefHold hold(true);;) {
        try {
            return calls();
        } catch (const fs::filesystem_error& failure) {
            if (!hold.Retry(static_cast<DWORD>(failure.code().value()))) {
                throw;
            }
        }
    }
}

[[noreturn]] void ThrowCannotCopy(const fs::path& source, const fs::path& target, const std::string& reason)
{
    throw Exception(
        (boost::format(Messages::CannotCopy) % Utilities::NativeText(source) % Utilities::NativeText(target) % reason).str());
}

[[noreturn]] void ThrowCannotRemove(const fs::path& path, const std::string& reason)
{
    throw Exception((boost::format(Messages::CannotRemove) % Utilities::NativeText(path) % reason).str());
}

} // namespace

void Copy(const fs::path& source, const fs::path& target, Log& log)
{
    try {
        WhileBrieflyHeld([&] {
            const fs::path folder = target.parent_path();
            if (!folder.empty() && !Utilities::ExistsOrThrow(folder)) {
                fs::create_directories(folder);
            }
            fs::remove(target);
            fs::copy_file(source, target);
        });
        if (!Utilities::Exists(target) || fs::file_size(source) != fs::file_size(target)) {
            throw std::logic_error(Messages::UnknownError);
        }
    } catch (const std::exception& failure) {
        ThrowCannotCopy(source, target, failure.what());
    }
    boost::system::error_code unknown; // then the source is logged as it was given
    const fs::path fullSource = fs::absolute(source, unknown);
    log.Write((boost::format(Messages::Copied) % Utilities::NativeText(unknown ? source : fullSource) % Utilities::NativeText(target)).str());
}

void CheckSource(const fs::path& source, const fs::path& target)
{
    try {
        if (!Utilities::ExistsOrThrow(source)) {
            throw std::runtime_error(Utilities::SystemErrorText(ERROR_FILE_NOT_FOUND));
        }
    } catch (const std::exception& failure) {
        ThrowCannotCopy(source, target, failure.what());
    }
}

void Remove(const fs::path& path, Log& log)
{
    std::uintmax_t removed = 0;
    try {
        WhileBrieflyHeld([&] { removed = fs::remove_all(path); });
        if (Utilities::ExistsOrThrow(path)) {
            throw std::logic_error(Messages::PathStillExists);
        }
    } catch (const std::exception& failure) {
        ThrowCannotRemove(path, failure.what());
    }
    if (removed != 0) {
        log.Write((boost::format(Messages::Removed) % Utilities::NativeText(path)).str());
    }
}

// Opening a file for writing fails with a sharing violation while another
// program holds it without sharing, and while Windows maps it as a running
// program or a loaded library, which a delete would meet as a denied access.
// A read-only file cannot be opened for writing, but its removal clears the
// attribute first: only its deletion is asked for.
bool IsInUse(const fs::path& file)
{
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return false;
        }
        ThrowCannotRemove(file, Utilities::SystemErrorText(error));
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return false;
    }
    const DWORD access = attributes & FILE_ATTRIBUTE_READONLY ? DELETE : GENERIC_WRITE | DELETE;
    for (BriefHold hold;;) {
        const Utilities::ScopedHandle probe(CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        const DWORD error = probe ? ERROR_SUCCESS : GetLastError();
        if (error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return false;
        }
        if (!hold.Retry(error)) {
            if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
                return true;
            }
            ThrowCannotRemove(file, Utilities::SystemErrorText(error));
        }
    }
}

} // namespace Installer
