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

class FaultTest : public ::testing::Test, protected DreamweaverLayout {
protected:

    // Brings the files below the root back to a whole tree from the one they
    // now form: removes what it lacks and writes what differs.
    void Restore(const Tree& whole, const Tree& now)
    {
        for (const auto& [name, bytes] : now) {
            if (whole.count(name) == 0) {
                fs::remove_all(root.path.string() + name);
            }
        }
        for (const auto& [name, bytes] : whole) {
            const auto seen = now.find(name);
            if (bytes == "(folder)") {
                fs::create_directories(root.path.string() + name);
            } else if (seen == now.end() || seen->second != (IsConfigurationFile(name) ? bytes : "size " + std::to_string(bytes.size()))) {
                WriteFile(root.path.string() + name, bytes);
            }
        }
    }

    // The installer takes its files from "Files" in the current folder.
    void Run(const std::function<void()>& operation)
    {
        struct InDistribution {
            explicit InDistribution(const fs::path& folder) { fs::current_path(folder); }
            ~InDistribution() { fs::current_path(fs::temp_directory_path()); }
        } in(distribution);
        operation();
    }

    // Whether a failure's text names a file below the root or a registry
    // value, and gives the system's reason for the code.
    bool NamesWhatFailed(const std::string& text, DWORD code) const
    {
        const std::string reason = boost::system::error_code(static_cast<int>(code), boost::system::system_category()).message();
        return text.find(reason) != std::string::npos &&
               (text.find(Utilities::NativeText(root.path)) != std::string::npos || text.find("HKEY_") != std::string::npos);
    }

    Installer::DreamweaverInstaller installer{""};
};

} // namespace

TEST_F(FaultTest, AFailingCallCompletesTheOperationOrStopsItNamedAndLeavesEveryFileWholeAndNoTemporaryFile)
{
    const std::pair<std::string, std::function<void()>> operations[] = {
        {"install", [this] { installer.Install(); }},
        {"uninstall", [this] { installer.Uninstall(); }},
        {"reinstall", [this] { installer.Uninstall(), installer.Install(); }},
    };
    const DWORD codes[] = {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_DISK_FULL};
    unsigned uninstallCalls = 0;
    for (const auto& [name, operation] : operations) {
        Arrange();
        Run([this] { installer.Install(); });
        const Tree whole = Snapshot(root.path, true), start = Snapshot(root.path);
        installer.RemoveMenuEntries(Configuration());
        installer.RemoveMenuEntries(user);
        const Tree removed = Snapshot(root.path);
        Restore(whole, removed);
        Faults::Arm(0, 0);
        Run(operation);
        const unsigned calls = Faults::Disarm();
        const Tree end = Snapshot(root.path);
        Tree now = end;
        // A reinstall's first calls are an uninstall's, each of which has failed already.
        for (unsigned call = (name == "reinstall" ? uninstallCalls : 0) + 1; call <= calls; ++call) {
            Restore(whole, now);
            const DWORD code = codes[call % std::size(codes)];
            std::string failure;
            Faults::Arm(call, code);
            try {
                Run(operation);
            } catch (const std::exception& thrown) {
                failure = thrown.what();
            }
            Faults::Disarm();
            const std::string where = name + ", call " + std::to_string(call) + " of " + std::to_string(calls) + ", " + Faults::Failed();
            // Only a temporary file whose removal failed may stay behind.
            Tree after = Snapshot(root.path);
            std::vector<std::string> left;
            for (const auto& [file, bytes] : after) {
                if (IsConfigurationFile(file)) {
                    EXPECT_TRUE(bytes == start.at(file) || bytes == removed.at(file) || bytes == end.at(file)) << where << ": " << file;
                }
                if (start.count(file) + end.count(file) == 0) {
                    left.push_back(file);
                }
            }
            EXPECT_TRUE(left.empty() || Faults::Failed() == "DeleteFileW") << where << ": left " << left.front();
            const auto withoutLeft = [&left](Tree tree) {
                for (const std::string& file : left) {
                    tree.erase(file);
                }
                return tree;
            };
            if (failure.empty()) {
                EXPECT_EQ("", Differences(end, withoutLeft(after))) << where;
            } else {
                EXPECT_TRUE(NamesWhatFailed(failure, code)) << where << ": " << failure;
            }
            now = after;
            // From the start or the end state, a run again is one that has been seen.
            if (Differences(start, after).empty() || Differences(end, withoutLeft(after)).empty()) {
                continue;
            }
            Run(operation);
            now = Snapshot(root.path);
            EXPECT_EQ("", Differences(WithoutEmptyLines(end), WithoutEmptyLines(withoutLeft(now)))) << where << ", run again";
        }
        uninstallCalls = name == "uninstall" ? calls : uninstallCalls;
    }
}
