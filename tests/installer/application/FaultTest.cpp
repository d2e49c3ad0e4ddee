// Each call that an operation makes into the system's file, folder and
// registry functions fails in turn, the way a full disk, a virus scanner or
// a locked file makes it fail: the operation either completes as it would
// have, or stops with a text that names what failed and why, and never
// leaves a configuration file half written or a temporary file behind.
#include "DreamweaverInstaller.hpp"
#include "EntryPoint.hpp"

#include "Faults.hpp"
#include "Layout.hpp"
#include "Paths.hpp"
#include "Text.hpp"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <regex>
#include <set>

using namespace TestSupport;

namespace {

// Every folder ("/") and file (its bytes) below a root, by name.
using Tree = std::map<std::wstring, std::string>;

bool IsConfigurationFile(const std::wstring& name)
{
    const auto endsWith = [&](const std::wstring& end) { return name.size() >= end.size() && name.compare(name.size() - end.size(), end.size(), end) == 0; };
    return endsWith(L"\\menus.xml") || endsWith(L"\\insertbar.xml");
}

Tree Snapshot(const fs::path& root)
{
    Tree tree;
    for (fs::recursive_directory_iterator entry(root), end; entry != end; ++entry) {
        tree[entry->path().wstring().substr(root.wstring().size())] = fs::is_directory(entry->status()) ? "/" : ReadFile(entry->path());
    }
    return tree;
}

// A removal leaves the line feed before each entry, so an install that runs
// again over its own entries adds empty lines: they do not count here.
Tree WithoutEmptyLines(Tree tree)
{
    for (auto& [name, bytes] : tree) {
        bytes = IsConfigurationFile(name) ? std::regex_replace(bytes, std::regex("(\r\n)+"), "\r\n") : bytes;
    }
    return tree;
}

// From the extension installed: the states that an operation passes
// through, and what happens when each of its calls goes wrong in turn. The
// installer takes its files from "Files" in the current folder.
class FaultTest : public ::testing::Test, protected DreamweaverLayout {
protected:
    ~FaultTest() override
    {
        fs::current_path(fs::temp_directory_path());
        fs::remove(logFile);
    }

    void Prepare(const char* operation)
    {
        fs::current_path(fs::temp_directory_path());
        Arrange();
        fs::current_path(distribution);
        installer.Install();
        // Folders to make and to remove, and a read-only file, as a copy from
        // a CD leaves one: the calls for them fail too.
        fs::remove_all(user / "Floaters");
        fs::remove(Configuration() / "Strings/VNLStringsEN.xml");
        fs::create_directories(Configuration() / "Strings/VNLStringsEN.xml");
        start = Snapshot(root.path);
        installer.RemoveMenuEntries(Configuration());
        installer.RemoveMenuEntries(user);
        removed = Snapshot(root.path);
        Restore(removed);
        Faults::Arm({});
        EXPECT_EQ(0, RunOperation(operation));
        calls = Faults::Disarm();
        end = Snapshot(root.path);
        std::map<std::string, int> counts;
        for (const std::string& call : calls) {
            ++counts[call];
        }
        std::cout << operation << ": " << calls.size() << " calls";
        for (const auto& [function, count] : counts) {
            std::cout << ", " << function << " " << count;
        }
        std::cout << std::endl;
    }

    // Brings the files below the root, as they are now, back to the start.
    void Restore(const Tree& now)
    {
        for (const auto& [name, bytes] : now) {
            start.count(name) == 0 ? void(fs::remove_all(root.path.wstring() + name)) : void();
        }
        for (const auto& [name, bytes] : start) {
            const fs::path path(root.path.wstring() + name);
            if (now.count(name) != 0 && now.at(name) != bytes) {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                fs::remove_all(path);
            }
            if (now.count(name) == 0 || now.at(name) != bytes) {
                bytes == "/" ? void(fs::create_directories(path)) : WriteFile(path, bytes);
            }
        }
        SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    }

    // The files below the root but those that neither the start nor the end has.
    Tree Known(Tree tree) const
    {
        for (auto file = tree.begin(); file != tree.end();) {
            file = start.count(file->first) + end.count(file->first) == 0 ? tree.erase(file) : std::next(file);
        }
        return tree;
    }

    // Fails the calls after the first skipped ones.
    void FailEachCall(const std::string& name, const char* operation, std::size_t skipped = 0)
    {
        Prepare(operation);
        const DWORD codes[] = {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_DISK_FULL};
        // A file that another program holds for a moment is waited for, and
        // one that it deleted while holding it until it lets go.
        const std::map<DWORD, std::set<std::string>> waitedOut = {
            {ERROR_SHARING_VIOLATION, {"CreateFileW", "CopyFileExW", "DeleteFileW", "MoveFileExW", "ReplaceFileW"}},
            {ERROR_ACCESS_DENIED, {"CopyFileExW", "DeleteFileW"}}};
        // What is below the root, as last read.
        Tree now = Snapshot(root.path);
        for (auto call = static_cast<unsigned>(skipped + 1); call <= calls.size(); ++call) {
            Restore(now);
            const DWORD code = codes[call % std::size(codes)];
            Faults::Arm({call, code});
            int exitCode = -1;
            const std::string failure = TextOrFailure([&] { exitCode = RunOperation(operation); });
            Faults::Disarm();
            const std::string where = name + ", call " + std::to_string(call) + ", " + Faults::Failed();
            // Every configuration file is in one of the states that the
            // fault-free run passes through; only a temporary file whose
            // removal failed may stay behind.
            const Tree tree = now = Snapshot(root.path), known = Known(tree);
            for (const auto& [file, bytes] : tree) {
                EXPECT_TRUE(!IsConfigurationFile(file) || bytes == start.at(file) || bytes == removed.at(file) || bytes == end.at(file))
                    << where << ": " << Utilities::Utf8FromWide(file);
            }
            EXPECT_TRUE(known.size() == tree.size() || Faults::Failed() == "DeleteFileW") << where << ": a file left";
            const bool named = failure.find(Utilities::NativeText(root.path)) != std::string::npos || failure.find("HKEY_") != std::string::npos;
            EXPECT_TRUE(failure.empty() ? exitCode == 0 && known == end : named && failure.find(Reason(code)) != std::string::npos)
                << where << ": " << failure;
            EXPECT_TRUE(waitedOut.count(code) == 0 || waitedOut.at(code).count(Faults::Failed()) == 0 || failure.empty())
                << where << ": " << failure;
            // Run again from where it stopped, it reaches the fault-free end.
            if (known != end && known != start) {
                EXPECT_EQ(0, RunOperation(operation));
                now = Snapshot(root.path);
                EXPECT_TRUE(WithoutEmptyLines(end) == WithoutEmptyLines(Known(now))) << where << ", run again";
            }
        }
    }

    // An operation as a setup runs it, from the running-host check on:
    // quietly, so that a failing call taken for a running host ends it with
    // exit code 1, and with a log beside the root, whose calls fail too.
    int RunOperation(const char* operation)
    {
        Installer::Log runLog(true);
        const std::string log = Utilities::NativeText(logFile);
        return Installer::RunCommandLine(std::string(operation) + " --quiet --log \"" + log + "\"", log, runLog);
    }

    const fs::path readOnly = Configuration() / "Help/VNLHelpEN.html";
    const fs::path logFile = root.path.string() + ".log";
    Installer::Log log;
    Installer::DreamweaverInstaller installer{"-i", log};
    Tree start, removed, end;
    std::vector<std::string> calls;
};

} // namespace

TEST_F(FaultTest, AFailingCallCompletesAnInstallOrStopsItNamedAndLeavesEveryFileWholeAndNoTemporaryFile)
{
    FailEachCall("install", "-i");
}

TEST_F(FaultTest, AFailingCallCompletesAnUninstallOrStopsItNamedAndLeavesEveryFileWholeAndNoTemporaryFile)
{
    FailEachCall("uninstall", "-u");
}

// A reinstall's first calls are an uninstall's, which fail in the test above.
TEST_F(FaultTest, AFailingCallCompletesAReinstallOrStopsItNamedAndLeavesEveryFileWholeAndNoTemporaryFile)
{
    Prepare("-u");
    FailEachCall("reinstall", "-r", calls.size());
}
