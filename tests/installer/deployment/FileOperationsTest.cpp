#include "FileOperations.hpp"
#include "Log.hpp"

#include "Faults.hpp"
#include "Paths.hpp"
#include "TestSupport.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

using namespace TestSupport;

namespace {

// Another program's hold on a file, as a virus scanner takes it: let go
// after a moment, from a thread of its own.
class BriefHolder {
public:
    BriefHolder(const fs::path& file, DWORD sharing, DWORD milliseconds)
        : handle(CreateFileW(file.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr)), milliseconds(milliseconds),
          thread(CreateThread(nullptr, 0, LetGo, this, 0, nullptr))
    {
        EXPECT_TRUE(handle && thread) << file;
    }
    ~BriefHolder() { WaitForSingleObject(thread.Get(), INFINITE); }
    BriefHolder(const BriefHolder&) = delete;

private:
    static DWORD WINAPI LetGo(void* self)
    {
        auto& holder = *static_cast<BriefHolder*>(self);
        Sleep(holder.milliseconds);
        holder.handle.Close();
        return 0;
    }

    Utilities::ScopedHandle handle;
    const DWORD milliseconds;
    Utilities::ScopedHandle thread;
};


std::string RemoveOrProbe(const fs::path& file, bool removing)
{
    Installer::Log log;
    return TextOrFailure([&] { return removing ? (Installer::Remove(file, log), "removed") : Installer::IsInUse(file) ? "in use" : "not in use"; });
}

} // namespace

// A file held without sharing its writing, or deleted while held sharing
// everything (its name stays until the holder lets go), is waited for.
TEST(FileOperations, AHoldThatEndsWithinAFewSecondsIsWaitedOutByTheInUseProbeAndTheRemoval)
{
    TempFolder folder;
    const fs::path file = folder / "Loomlet.dll";
    const DWORD all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const struct {
        DWORD sharing;
        bool deletedMeanwhile;
        bool removing;
        long waited; // at least, in ms
    } rows[] = {
        {FILE_SHARE_READ, false, false, 250}, {FILE_SHARE_READ, false, true, 250}, {all, false, true, 250},
        // Wine opens a file whose delete is pending; Windows refuses it (below).
        {all, true, false, 0},
    };
    for (const auto& row : rows) {
        WriteFile(file, "installed");
        const BriefHolder holder(file, row.sharing, 300);
        if (row.deletedMeanwhile) {
            EXPECT_TRUE(DeleteFileW(file.c_str()));
        }
        const auto start = std::chrono::steady_clock::now();
        Faults::Arm({});
        EXPECT_EQ(row.removing ? "removed" : "not in use", RemoveOrProbe(file, row.removing)) << row.sharing;
        // Tried again after short pauses, not in a loop that takes a whole core.
        EXPECT_GT(200u, Faults::Disarm().size());
        EXPECT_LE(row.waited, std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
        EXPECT_FALSE(row.removing && Utilities::Exists(file));
    }
}

// On Windows a name whose delete is pending answers access denied, to the
// probe's open and to the look after the removal, until it is gone. One that
// stays longer is in use when even its attributes are refused; a file that
// only refuses to be opened cannot be told.
TEST(FileOperations, WindowsAnswerForAPendingDeleteIsWaitedOutByTheInUseProbeAndTheRemoval)
{
    TempFolder folder;
    const fs::path file = folder / "Loomlet.dll";
    for (const bool removing : {false, true}) {
        WriteFile(file, "installed");
        Faults::Arm({});
        RemoveOrProbe(file, removing);
        const std::vector<std::string> calls = Faults::Disarm();
        // The probe's first open, or the last look, after the removal.
        const char* answering = removing ? "GetFileAttributesW" : "CreateFileW";
        const auto number = removing ? std::count(calls.begin(), calls.end(), answering) : 1;
        WriteFile(file, "installed");
        Faults::Arm({static_cast<unsigned>(number), ERROR_ACCESS_DENIED, 1, answering});
        EXPECT_EQ(removing ? "removed" : "not in use", RemoveOrProbe(file, removing));
        Faults::Disarm();
        EXPECT_EQ(answering, Faults::Failed());
    }
    for (const char* refusing : {"GetFileAttributesW", "CreateFileW"}) {
        WriteFile(file, "installed");
        Faults::Arm({1, ERROR_ACCESS_DENIED, 1000, refusing});
        const std::string result = RemoveOrProbe(file, false);
        Faults::Disarm();
        EXPECT_EQ(refusing == std::string("CreateFileW") ? "Installer: Cannot remove \"" + Utilities::NativeText(file) + "\" (" + Reason(ERROR_ACCESS_DENIED) + ")"
                                                         : "in use",
                  result);
    }
}
