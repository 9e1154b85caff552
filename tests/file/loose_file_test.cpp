#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/gx_bin_buffer.h"
#include "file/gx_file.h"
#include "file/gx_file_handle.h"
#include "support/current_dir.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

namespace {

std::string BufferText(const GxBinBuffer& buffer) {
    return std::string(reinterpret_cast<const char*>(buffer.GetData()), buffer.GetSize());
}

// The game folder is the current directory: every test runs inside a fresh one.
class LooseFileTest : public ::testing::Test {
protected:
    LooseFileTest() {
        game.Write("Data/Sub/Table.TXT", "table");
        game.Write("system/sysconf.ini", "KEY=1\n");
        game.Write("empty.bin", "");
        std::filesystem::create_directories(game.Path() / "Folder");
    }
    gxtest::TempDir game;
    gxtest::ScopedCurrentDir inGame{game.Path()};
};

TEST_F(LooseFileTest, ExistsForFilesAndFoldersOnly) {
    EXPECT_EQ(FileExists(u"system/sysconf.ini"), 1);
    EXPECT_EQ(FileExists(u"system\\sysconf.ini"), 1);
    EXPECT_EQ(FileExists(u"Folder"), 1);
    EXPECT_EQ(FileExists(u"system/missing.ini"), 0);
    EXPECT_EQ(FileExists(u""), 0);
    EXPECT_EQ(GetFileSizeByName(u"system/sysconf.ini"), 6u);
    EXPECT_EQ(GetFileSizeByName(u"missing"), 0u);
}

TEST_F(LooseFileTest, NamesResolveWithoutRegardToAsciiCase) {
    for (const char16_t* path : {u"data/sub/table.txt", u"DATA/SUB/TABLE.TXT",
                                 u"data\\Sub\\table.txt", u"./data//sub/Table.txt"}) {
        SCOPED_TRACE(std::string(path, path + std::char_traits<char16_t>::length(path)));
        EXPECT_EQ(FileExists(path), 1);
        EXPECT_EQ(GetFileSizeByName(path), 5u);
        GxBinBuffer buffer;
        ASSERT_TRUE(LoadFile(buffer, path, false, false));
        EXPECT_EQ(BufferText(buffer), "table");
    }
    EXPECT_EQ(FileExists(u"data/sub/table.txt/more"), 0);
    EXPECT_EQ(FileExists(u"data/other/table.txt"), 0);
    // An absolute path works too, and so does its case-folded form.
    EXPECT_EQ(FileExists(game.U16() + u"/data/SUB/table.txt"), 1);
}

TEST_F(LooseFileTest, FolderIsNotAFile) {
    gxtest::LogCapture log;
    GxFileHandle handle;
    EXPECT_FALSE(handle.Open(u"Folder"));
    EXPECT_FALSE(handle.IsOpen());
    EXPECT_EQ(GetFileSizeByName(u"folder"), 0u);
    GxBinBuffer buffer;
    EXPECT_FALSE(LoadFile(buffer, u"Folder", false, false));
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0], u"File open error or not exist:Folder\n");
}

TEST_F(LooseFileTest, LoadFileAndLoadTextFileReportExactMessagesUnlessQuiet) {
    gxtest::LogCapture log;
    GxBinBuffer buffer;
    EXPECT_FALSE(LoadFile(buffer, u"nothing.png", false, true));
    EXPECT_FALSE(LoadTextFile(buffer, u"nothing.ini", false, true));
    EXPECT_TRUE(log.lines.empty());
    EXPECT_FALSE(LoadFile(buffer, u"nothing.png", true, false));
    EXPECT_FALSE(LoadTextFile(buffer, u"nothing.ini", false, false));
    EXPECT_EQ(log.lines, (std::vector<std::u16string>{u"File open error or not exist:nothing.png\n",
                                                      u"File open error:nothing.ini\n"}));
}

TEST_F(LooseFileTest, TextFileEndsWithTwoZeroBytes) {
    GxBinBuffer buffer;
    ASSERT_TRUE(LoadTextFile(buffer, u"SYSTEM/SYSCONF.INI", false, false));
    EXPECT_EQ(BufferText(buffer), std::string("KEY=1\n\0\0", 8));
    ASSERT_TRUE(LoadFile(buffer, u"empty.bin", false, false));
    EXPECT_EQ(buffer.GetSize(), 0u);
    ASSERT_TRUE(LoadTextFile(buffer, u"empty.bin", false, false));
    EXPECT_EQ(BufferText(buffer), std::string("\0\0", 2));
}

TEST_F(LooseFileTest, HandleReadsSeeksAndClampsAtTheEnd) {
    game.Write("numbers.bin", "0123456789");
    GxFileHandle handle;
    ASSERT_TRUE(handle.Open(u"Numbers.bin"));
    EXPECT_EQ(handle.GetSize(), 10u);
    EXPECT_NE(handle.GetFileTime(), 0u);
    char piece[16] = {};
    EXPECT_EQ(handle.Read(piece, 4), 4u);
    EXPECT_EQ(std::string(piece, 4), "0123");
    ASSERT_TRUE(handle.Seek(-3, 1));
    EXPECT_EQ(handle.GetPosition(), 1);
    ASSERT_TRUE(handle.Seek(-2, 2));
    EXPECT_EQ(handle.Read(piece, 16), 2u);
    EXPECT_EQ(std::string(piece, 2), "89");
    EXPECT_TRUE(handle.IsEof());

    ASSERT_TRUE(handle.Seek(100, 0));
    EXPECT_EQ(handle.GetPosition(), 10);
    EXPECT_TRUE(handle.IsEof());
    EXPECT_EQ(handle.Read(piece, 1), 0u);
    ASSERT_TRUE(handle.Seek(-100, 1));
    EXPECT_EQ(handle.GetPosition(), 0);
    EXPECT_FALSE(handle.IsEof());
    EXPECT_FALSE(handle.Seek(0, 3));

    handle.Close();
    EXPECT_FALSE(handle.IsOpen());
    EXPECT_EQ(handle.Read(piece, 1), 0u);
    EXPECT_FALSE(handle.Seek(0, 0));
}

}  // namespace
