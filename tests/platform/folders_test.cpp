#include <gtest/gtest.h>

#include <unistd.h>

#include "platform/gx_folders.h"
#include "support/temp_dir.h"

namespace {

struct DocumentsCase {
    const char* userDirs;  // null: no user-dirs file
    bool makeDocuments;
    const char* expectedBelowHome;  // null: the absolute path /abs/docs
};

TEST(FoldersTest, DocumentsFolderFollowsUserDirsThenDocumentsThenHome) {
    const DocumentsCase cases[] = {
        {"# comment\nXDG_DESKTOP_DIR=\"$HOME/Desk\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n",
         false, "/Dokumente"},
        {"XDG_DOCUMENTS_DIR=\"${HOME}/Docs/\"\n", true, "/Docs"},
        {"XDG_DOCUMENTS_DIR=\"/abs/docs\"\n", false, nullptr},
        {"XDG_DOCUMENTS_DIR=relative\n", true, "/Documents"},
        {nullptr, true, "/Documents"},
        {nullptr, false, ""},
    };
    for (const DocumentsCase& c : cases) {
        gxtest::TempDir home;
        if (c.userDirs)
            home.Write(".config/user-dirs.dirs", c.userDirs);
        if (c.makeDocuments)
            home.Write("Documents/keep", "");
        std::u16string expected =
            c.expectedBelowHome
                ? home.U16() + std::u16string(c.expectedBelowHome,
                                              c.expectedBelowHome + std::char_traits<char>::length(
                                                                        c.expectedBelowHome))
                : u"/abs/docs";
        EXPECT_EQ(gx::FindDocumentsFolder(home.Str(), ""), expected)
            << (c.userDirs ? c.userDirs : "(none)");
    }
}

TEST(FoldersTest, ConfigHomeOverridesHomeConfigAndEmptyHomeGivesNothing) {
    gxtest::TempDir home;
    gxtest::TempDir config;
    config.Write("user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/FromConfig\"\n");
    EXPECT_EQ(gx::FindDocumentsFolder(home.Str(), config.Str()), home.U16() + u"/FromConfig");
    EXPECT_EQ(gx::FindDocumentsFolder("", config.Str()), u"");
}

TEST(FoldersTest, DirectoryHelpersAndInstallFolder) {
    gxtest::TempDir dir;
    std::u16string sub = dir.U16() + u"/save";
    EXPECT_FALSE(gx::DirectoryExists(sub));
    EXPECT_TRUE(gx::MakeDirectory(sub));
    EXPECT_TRUE(gx::DirectoryExists(sub));
    EXPECT_FALSE(gx::MakeDirectory(sub));                  // already there
    EXPECT_FALSE(gx::MakeDirectory(dir.U16() + u"/a/b"));  // one level only
    dir.Write("file.txt", "x");
    EXPECT_FALSE(gx::DirectoryExists(dir.U16() + u"/file.txt"));
    EXPECT_TRUE(gx::RemoveFile(dir.U16() + u"/file.txt"));
    EXPECT_FALSE(gx::RemoveFile(dir.U16() + u"/file.txt"));

    char original[4096];
    ASSERT_NE(getcwd(original, sizeof original), nullptr);
    ASSERT_TRUE(gx::SetCurrentFolder(sub));
    EXPECT_EQ(gx::GetInstallFolder(), sub + u"/");
    ASSERT_EQ(chdir(original), 0);
}

}  // namespace
