// Each call that an operation makes into the system's file, folder and
// registry functions fails in turn, the way a full disk, a virus scanner or
// a locked file makes it fail: the operation either completes as it would
// have, or stops with a text that names what failed and why, and never
// leaves a configuration file half written or a temporary file behind.
#include "DreamweaverInstaller.hpp"

#include "Faults.hpp"
#include "Layout.hpp"
#include "Paths.hpp"

#include <boost/algorithm/string/replace.hpp>
#include <boost/filesystem/operations.hpp>
#include <boost/system/error_code.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>

using namespace TestSupport;

namespace {

bool IsConfigurationFile(const std::string& name);

// Every folder and file below a folder, by name: a folder as "(folder)", a
// file as its bytes, or as its size unless it is a configuration file or
// whole is set (the copies that the installer makes differ in size).
using Tree = std::map<std::string, std::string>;

void Walk(const fs::path& root, const std::wstring& folder, bool whole, Tree& tree)
{
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((root.wstring() + folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::wstring name = folder + L"\\" + found.cFileName;
        const std::string key = fs::path(name).string();
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            tree[key] = whole || IsConfigurationFile(key) ? ReadFile(root.wstring() + name) : "size " + std::to_string(found.nFileSizeLow);
        } else if (found.cFileName[0] != L'.') {
            tree[key] = "(folder)";
            Walk(root, name, whole, tree);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

Tree Snapshot(const fs::path& root, bool whole = false)
{
    Tree tree;
    Walk(root, L"", whole, tree);
    return tree;
}

bool IsConfigurationFile(const std::string& name)
{
    return std::regex_search(name, std::regex(R"((menus|insertbar)\.xml$)"));
}

// A removal leaves the line feed before each entry, so an install that runs
// again over its own entries adds empty lines: they do not count here.
Tree WithoutEmptyLines(Tree tree)
{
    for (auto& [name, bytes] : tree) {
        if (IsConfigurationFile(name)) {
            bytes = std::regex_replace(bytes, std::regex("(\r\n)+"), "\r\n");
        }
    }
    return tree;
}

// The names whose entries the trees do not share, for a short message.
std::string Differences(const Tree& expected, const Tree& seen)
{
    std::string names;
    for (const Tree* tree : {&expected, &seen}) {
        for (const auto& [name, value] : *tree) {
            const Tree& other = tree == &expected ? seen : expected;
            const auto found = other.find(name);
            if ((found == other.end() || found->second != value) && names.find(name + ";") == std::string::npos) {
                names += name + "; ";
            }
        }
    }
    return names;
}

using Operation = std::function<void(Installer::DreamweaverInstaller&)>;

void Install(Installer::DreamweaverInstaller& installer) { installer.Install(); }
void Uninstall(Installer::DreamweaverInstaller& installer) { installer.Uninstall(); }
void Reinstall(Installer::DreamweaverInstaller& installer) { installer.Uninstall(), installer.Install(); }

constexpr DWORD EndedExitCode = 99;

// A child ends at a call: "install" or "uninstall", the function, its call.
const bool childPartSet = (ChildPart() = [](const std::vector<std::string>& arguments) {
    Installer::DreamweaverInstaller installer("");
    Faults::Arm({static_cast<unsigned>(std::stoul(arguments.at(2))), EndedExitCode, arguments.at(1), 1, true});
    (arguments.at(0) == "install" ? Install : Uninstall)(installer);
    return 0;
}, true);

// The extension installed, so that every file and entry is there; the
// states that an operation from there passes through; and what happens
// when each call of the operation goes wrong in turn.
class FaultTest : public ::testing::Test, protected DreamweaverLayout {
protected:
    // The states of the fault-free run and the names of its calls.
    void Prepare(const Operation& operation)
    {
        Arrange();
        Run(Install);
        whole = Snapshot(root.path, true);
        start = Snapshot(root.path);
        installer.RemoveMenuEntries(Configuration());
        installer.RemoveMenuEntries(user);
        removed = Snapshot(root.path);
        Restore(removed);
        Faults::Arm({});
        Run(operation);
        calls = Faults::Disarm();
        end = now = Snapshot(root.path);
    }

    // Brings the files below the root back to the start: removes what it
    // lacks and writes what differs.
    void Restore(const Tree& seen)
    {
        for (const auto& [name, bytes] : seen) {
            if (whole.count(name) == 0) {
                fs::remove_all(root.path.string() + name);
            }
        }
        for (const auto& [name, bytes] : whole) {
            const auto found = seen.find(name);
            if (bytes == "(folder)") {
                fs::create_directories(root.path.string() + name);
            } else if (found == seen.end() || found->second != (IsConfigurationFile(name) ? bytes : "size " + std::to_string(bytes.size()))) {
                WriteFile(root.path.string() + name, bytes);
            }
        }
    }

    // The installer takes its files from "Files" in the current folder.
    void Run(const Operation& operation)
    {
        struct InDistribution {
            explicit InDistribution(const fs::path& folder) { fs::current_path(folder); }
            ~InDistribution() { fs::current_path(fs::temp_directory_path()); }
        } in(distribution);
        operation(installer);
    }

    // After a run that went wrong: each configuration file is one of the
    // states that the fault-free run passes through; the files that neither
    // the start nor the end has are returned. The files are left in now.
    std::vector<std::string> CheckFiles(const std::string& where)
    {
        now = Snapshot(root.path);
        std::vector<std::string> left;
        for (const auto& [file, bytes] : now) {
            if (IsConfigurationFile(file)) {
                EXPECT_TRUE(bytes == start.at(file) || bytes == removed.at(file) || bytes == end.at(file)) << where << ": " << file;
            }
            if (start.count(file) + end.count(file) == 0) {
                left.push_back(file);
            }
        }
        return left;
    }

    // The same operation run again reaches the fault-free end, but for the
    // files named, unless the run began where the fault-free one begins or
    // ends, which has been seen.
    void CheckRunAgain(const Operation& operation, const std::vector<std::string>& left, const std::string& where)
    {
        const auto withoutLeft = [&left](Tree tree) {
            for (const std::string& file : left) {
                tree.erase(file);
            }
            return tree;
        };
        if (Differences(start, now).empty() || Differences(end, withoutLeft(now)).empty()) {
            return;
        }
        Run(operation);
        now = Snapshot(root.path);
        EXPECT_EQ("", Differences(WithoutEmptyLines(end), WithoutEmptyLines(withoutLeft(now)))) << where << ", run again";
    }

    // Whether a failure's text names a file below the root or a registry
    // value, and gives the system's reason for the code.
    bool NamesWhatFailed(const std::string& text, DWORD code) const
    {
        const std::string reason = boost::system::error_code(static_cast<int>(code), boost::system::system_category()).message();
        return text.find(reason) != std::string::npos &&
               (text.find(Utilities::NativeText(root.path)) != std::string::npos || text.find("HKEY_") != std::string::npos);
    }

    void FailEachCall(const std::string& name, const Operation& operation, std::size_t first);

    Installer::DreamweaverInstaller installer{""};
    Tree whole, start, removed, end, now;
    std::vector<std::string> calls;
};

} // namespace

// Makes each call from the first one numbered fail in turn.
void FaultTest::FailEachCall(const std::string& name, const Operation& operation, std::size_t first)
{
    const DWORD codes[] = {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_DISK_FULL};
    for (auto call = static_cast<unsigned>(first); call <= calls.size(); ++call) {
        Restore(now);
        const DWORD code = codes[call % std::size(codes)];
        std::string failure;
        Faults::Arm({call, code});
        try {
            Run(operation);
        } catch (const std::exception& thrown) {
            failure = thrown.what();
        }
        Faults::Disarm();
        const std::string where = name + ", call " + std::to_string(call) + ", " + Faults::Failed();
        const auto left = CheckFiles(where);
        // Only a temporary file whose removal failed may stay behind.
        EXPECT_TRUE(left.empty() || Faults::Failed() == "DeleteFileW") << where << ": left " << left.front();
        if (failure.empty()) {
            Tree completed = now;
            for (const std::string& file : left) {
                completed.erase(file);
            }
            EXPECT_EQ("", Differences(end, completed)) << where;
        } else {
            EXPECT_TRUE(NamesWhatFailed(failure, code)) << where << ": " << failure;
        }
        CheckRunAgain(operation, left, where);
    }
}

TEST_F(FaultTest, AFailingCallCompletesAnInstallOrStopsItNamedAndLeavesEveryFileWholeAndNoTemporaryFile)
{
    Prepare(Install);
    FailEachCall("install", Install, 1);
}

TEST_F(FaultTest, AFailingCallCompletesAnUninstallOrStopsItNamedAndLeavesEveryFileWholeAndNoTemporaryFile)
{
    Prepare(Uninstall);
    FailEachCall("uninstall", Uninstall, 1);
}

// A reinstall's first calls are an uninstall's, which fail in the test above.
TEST_F(FaultTest, AFailingCallCompletesAReinstallOrStopsItNamedAndLeavesEveryFileWholeAndNoTemporaryFile)
{
    Prepare(Uninstall);
    const std::size_t uninstalling = calls.size();
    Prepare(Reinstall);
    FailEachCall("reinstall", Reinstall, uninstalling + 1);
}

// The test program runs itself as a child that ends at a call.
TEST_F(FaultTest, AnOperationEndedAtACallThatChangesAFileLeavesEveryFileWholeAndFinishesWhenRunAgain)
{
    for (const auto& [name, operation] : {std::pair<std::string, Operation>{"install", Install}, {"uninstall", Uninstall}}) {
        Prepare(operation);
        for (const std::string function : {"CopyFileExW", "SetFileInformationByHandle", "WriteFile", "FlushFileBuffers", "ReplaceFileW", "DeleteFileW"}) {
            const auto count = static_cast<unsigned>(std::count(calls.begin(), calls.end(), function));
            for (unsigned call = 1; call <= count; ++call) {
                Restore(now);
                const std::string where = name + ", " + function + " call " + std::to_string(call);
                const std::string child = " --child " + name + " " + function + " " + std::to_string(call);
                EXPECT_EQ(long(EndedExitCode), RunProgram("\"" + TestProgram() + "\"" + child, distribution)) << where;
                CheckRunAgain(operation, CheckFiles(where), where);
            }
        }
    }
}
