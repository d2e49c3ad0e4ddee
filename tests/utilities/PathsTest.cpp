#include "Paths.hpp"

#include "FailureText.hpp"
#include "TempFolder.hpp"

#include <gtest/gtest.h>

using TestSupport::TempFolder;

TEST(Paths, OnlyNotFoundAnswersCountAsAbsent)
{
    TempFolder folder;
    TestSupport::WriteFile(folder / "file.txt", "x");
    EXPECT_TRUE(Utilities::Exists(folder.Path()));
    EXPECT_TRUE(Utilities::Exists(folder / "file.txt"));
    EXPECT_FALSE(Utilities::Exists(folder / "missing.txt"));
    EXPECT_FALSE(Utilities::Exists(folder / "missing" / "child.txt"));
    EXPECT_FALSE(Utilities::Exists(folder / "file.txt" / "child.txt"));
    EXPECT_FALSE(Utilities::Exists(""));
    EXPECT_FALSE(Utilities::Exists(folder / "bad<name>"));
}

TEST(Paths, NativeTextUsesBackslashes)
{
    EXPECT_EQ(Utilities::NativeText("C:/Program Files/Vantrelle"), "C:\\Program Files\\Vantrelle");
    EXPECT_EQ(Utilities::NativeText(boost::filesystem::path("Files") / "Loomlet.dll"), "Files\\Loomlet.dll");
    EXPECT_EQ(Utilities::NativeText(""), "");
}

TEST(Paths, MadePathsHaveNoTrailingSeparatorButKeepRoots)
{
    const struct {
        const char* text;
        const char* native;
        const char* name;
    } cases[] = {
        {"C:\\DW\\", "C:\\DW", "DW"},
        {"C:\\DW//", "C:\\DW", "DW"},
        {"C:\\DW", "C:\\DW", "DW"},
        {"C:\\", "C:\\", nullptr},
        {"\\", "\\", nullptr},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        const auto path = Utilities::MakePath(c.text);
        EXPECT_EQ(Utilities::NativeText(path), c.native) << c.text;
        if (c.name != nullptr) {
            EXPECT_EQ(path.filename().string(), c.name) << c.text;
        }
    }
}

TEST(Paths, NamesWindowsDoesNotAllowAreRejected)
{
    for (const char* text : {"C:\\Van|trelle", "C:\\a<b\\c", "C:\\dir\\x:y", "C:\\name \\x"}) {
        EXPECT_THROW(Utilities::MakePath(text), std::invalid_argument) << text;
    }
    EXPECT_EQ(TestSupport::FailureText<std::invalid_argument>(
                  [] { Utilities::MakePath("C:\\Program Files\\Van|trelle.exe"); }),
              "Invalid name \"Van|trelle.exe\" in path \"C:\\Program Files\\Van|trelle.exe\"");
    EXPECT_NO_THROW(Utilities::MakePath("\\\\server\\share\\Dreamweaver 8\\%NAME%\\.\\x.y"));
}
