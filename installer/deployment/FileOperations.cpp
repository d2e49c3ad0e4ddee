#include "FileOperations.hpp"

#include "BriefHold.hpp"
#include "DeploymentMessages.hpp"
#include "Exception.hpp"
#include "Handles.hpp"
#include "Paths.hpp"

#include <boost/filesystem/operations.hpp>
#include <boost/format.hpp>

#include <exception>

namespace fs = boost::filesystem;
using Utilities::ErrorUnless;
using Utilities::Hold;
using Utilities::WhileBrieflyHeld;

namespace Installer {

namespace {

// Makes the file system calls once. Returns ERROR_SUCCESS, or the error of
// their failure, which it keeps to be thrown.
DWORD Attempt(const std::function<void()>& calls, std::exception_ptr& failure)
{
    try {
        calls();
        failure = nullptr;
        return ERROR_SUCCESS;
    } catch (const fs::filesystem_error& error) {
        failure = std::current_exception();
        return static_cast<DWORD>(error.code().value());
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

void Copy(const fs::path& source, const fs::path& target, Report& report)
{
    try {
        std::exception_ptr failure;
        WhileBrieflyHeld(
            [&] {
                return Attempt(
                    [&] {
                        const fs::path folder = target.parent_path();
                        if (!folder.empty() && !Utilities::ExistsOrThrow(folder)) {
                            fs::create_directories(folder);
                        }
                        fs::remove(target);
                        fs::copy_file(source, target);
                    },
                    failure);
            },
            Hold::Deletion);
        if (failure) {
            std::rethrow_exception(failure);
        }
        if (!Utilities::Exists(target) || fs::file_size(source) != fs::file_size(target)) {
            throw std::logic_error(Messages::UnknownError);
        }
    } catch (const std::exception& failure) {
        ThrowCannotCopy(source, target, failure.what());
    }
    boost::system::error_code unknown; // then the source is logged as it was given
    const fs::path fullSource = fs::absolute(source, unknown);
    report.Write((boost::format(Messages::Copied) % Utilities::NativeText(unknown ? source : fullSource) % Utilities::NativeText(target)).str());
}

void CheckSource(const fs::path& source, const fs::path& target)
{
    try {
        if (!Utilities::ExistsOrThrow(source)) {
            Utilities::ThrowSystemError(ERROR_FILE_NOT_FOUND);
        }
    } catch (const std::exception& failure) {
        ThrowCannotCopy(source, target, failure.what());
    }
}

// Deleting a file that another program holds while sharing its deletion
// succeeds, but its name stays until that program lets go: the removal is
// done when the name is gone.
void Remove(const fs::path& path, Report& report)
{
    std::uintmax_t removed = 0;
    try {
        std::exception_ptr failure;
        const DWORD error = WhileBrieflyHeld(
            [&] {
                const DWORD failed = Attempt([&] { removed += fs::remove_all(path); }, failure);
                const DWORD left = failed == ERROR_SUCCESS ? Utilities::LookAt(path) : failed;
                return left == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : left == ERROR_SUCCESS ? ERROR_DELETE_PENDING : left;
            },
            Hold::Deletion);
        if (failure) {
            std::rethrow_exception(failure);
        }
        if (error == ERROR_DELETE_PENDING) {
            throw std::logic_error(Messages::PathStillExists);
        }
        if (error != ERROR_SUCCESS) {
            Utilities::ThrowSystemError(error);
        }
    } catch (const std::exception& failure) {
        ThrowCannotRemove(path, failure.what());
    }
    if (removed != 0) {
        report.Write((boost::format(Messages::Removed) % Utilities::NativeText(path)).str());
    }
}

// Opening a file for writing fails with a sharing violation while another
// program holds it without sharing, and while Windows maps it as a running
// program or a loaded library, which a delete would meet as a denied access.
// A read-only file cannot be opened for writing, but its removal clears the
// attribute first: only its deletion is asked for. A delete still pending
// is waited out as the removal waits it out; one that another program's
// hold keeps pending longer makes Windows refuse even the name's attributes,
// and counts as that program's use.
bool IsInUse(const fs::path& file)
{
    bool nameRefused = false;
    const DWORD error = WhileBrieflyHeld(
        [&] {
            const DWORD attributes = GetFileAttributesW(file.c_str());
            DWORD failed = ErrorUnless(attributes != INVALID_FILE_ATTRIBUTES);
            nameRefused = failed == ERROR_ACCESS_DENIED;
            if (failed == ERROR_SUCCESS && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                const DWORD access = attributes & FILE_ATTRIBUTE_READONLY ? DELETE : GENERIC_WRITE | DELETE;
                const Utilities::ScopedHandle probe(CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
                failed = ErrorUnless(probe.IsValid());
            }
            return Utilities::MeansNotThere(failed) ? ERROR_SUCCESS : failed;
        },
        Hold::Deletion);
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || nameRefused) {
        return true;
    }
    if (error != ERROR_SUCCESS) {
        ThrowCannotRemove(file, Utilities::SystemErrorText(error));
    }
    return false;
}

} // namespace Installer
