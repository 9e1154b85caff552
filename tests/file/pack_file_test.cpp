#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "base/gx_bin_buffer.h"
#include "base/gx_byte_order.h"
#include "base/gx_string.h"
#include "file/gx_file.h"
#include "file/gx_file_handle.h"
#include "file/gx_pack_file.h"
#include "file/gx_pack_writer.h"
#include "support/current_dir.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

namespace {

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

std::string BufferText(const GxBinBuffer& buffer) {
    return std::string(reinterpret_cast<const char*>(buffer.GetData()), buffer.GetSize());
}

// Runs a command and returns what it wrote to stdout; `status` gets its exit code.
std::string RunCommand(const std::string& command, int& status) {
    std::string output;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return output;
    }
    char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof(chunk), pipe)) > 0)
        output.append(chunk, got);
    status = pclose(pipe);
    return output;
}

std::string Gxpack() {
    const char* bin = std::getenv("GX_BIN_DIR");
    return std::string(bin ? bin : "bin") + "/gxpack";
}

// Writes an archive of `files` (path -> bytes) with the library's writer.
void MakeArchive(const gxtest::TempDir& dir, const std::string& name,
                 const std::map<std::string, std::string>& files,
                 const GxPackOptions& options = {}) {
    const std::string folder = name + ".files";
    for (const auto& [path, bytes] : files)
        dir.Write(folder + "/" + path, bytes);
    std::vector<GxPackSource> sources;
    std::string error;
    ASSERT_TRUE(gx::CollectPackSources(dir.Str() + "/" + folder, sources, error)) << error;
    ASSERT_TRUE(gx::WritePackFile(dir.Str() + "/" + name, sources, options, error)) << error;
}

// Every test starts with no archive open and an empty game folder as the
// current directory.
class PackTest : public ::testing::Test {
protected:
    PackTest() { CloseAllPackFiles(); }
    ~PackTest() override { CloseAllPackFiles(); }
    gxtest::TempDir work;
    gxtest::TempDir game;
    gxtest::ScopedCurrentDir inGame{game.Path()};
};

struct RoundTripCase {
    bool scramble;
    bool utf16;
};

class PackRoundTripTest : public PackTest, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(PackRoundTripTest, ToolAndFileLayerReadBackEveryByte) {
    const std::map<std::string, std::string> files = {
        {"a.txt", "hello\n"},
        {"Data/Sub/Table.TXT", "table"},
        {"bin/random.bin", RandomBytes(300'000, 7)},
        {"empty.bin", ""},
        {"\xE7\x94\xBB\xE5\x83\x8F/\xE7\xB5\xB5.png", "picture"},  // 画像/絵.png
    };
    for (const auto& [path, bytes] : files)
        work.Write("in/" + path, bytes);
    const std::string archive = work.Str() + "/out.gxp";
    std::string command = Gxpack() + " create " + archive + " " + work.Str() + "/in";
    if (GetParam().scramble)
        command += " --scramble";
    if (GetParam().utf16)
        command += " --utf16";
    int status = 0;
    RunCommand(command, status);
    ASSERT_EQ(status, 0) << command;

    // The tool lists every entry in directory order and cats each one.
    std::string expectedList;
    for (const auto& [path, bytes] : files) {
        expectedList += path + "\t" + std::to_string(bytes.size()) + "\n";
    }
    EXPECT_EQ(RunCommand(Gxpack() + " list " + archive, status), expectedList);
    EXPECT_EQ(status, 0);
    for (const auto& [path, bytes] : files) {
        EXPECT_EQ(RunCommand(Gxpack() + " cat " + archive + " '" + path + "'", status), bytes)
            << path;
        EXPECT_EQ(status, 0);
    }
    EXPECT_EQ(RunCommand(Gxpack() + " cat " + archive + " data/sub/TABLE.txt", status), "table");
    RunCommand(Gxpack() + " cat " + archive + " missing.txt 2>/dev/null", status);
    EXPECT_NE(status, 0);

    // The file layer reads the same bytes.
    ASSERT_TRUE(OpenPackFile(gx::Utf8ToUtf16(archive)));
    for (const auto& [path, bytes] : files) {
        const std::u16string name = gx::Utf8ToUtf16(path);
        EXPECT_EQ(FileExists(name), 2) << path;
        EXPECT_EQ(GetFileSizeByName(name), bytes.size()) << path;
        GxBinBuffer buffer;
        ASSERT_TRUE(LoadFile(buffer, name, false, false)) << path;
        EXPECT_EQ(BufferText(buffer), bytes) << path;
    }
    GxBinBuffer buffer;
    ASSERT_TRUE(LoadFile(buffer, u"DATA\\SUB\\table.txt", false, false));
    EXPECT_EQ(BufferText(buffer), "table");
}

TEST_P(PackRoundTripTest, PiecesAndSeeksGiveTheSameBytesAsOneRead) {
    const std::string bytes = RandomBytes(70'000, 11);
    GxPackOptions options;
    options.scramble = GetParam().scramble;
    options.utf16Names = GetParam().utf16;
    MakeArchive(work, "a.gxp", {{"first.bin", "x"}, {"sound/voice.ogg", bytes}}, options);
    ASSERT_TRUE(OpenPackFile(work.U16() + u"/a.gxp"));

    GxFileHandle handle;
    ASSERT_TRUE(handle.Open(u"sound/voice.ogg"));
    EXPECT_EQ(handle.GetSize(), bytes.size());
    for (GxU32 piece : {1u, 3u, 23u, 256u, 4095u, 5888u, 5889u, 65536u}) {
        ASSERT_TRUE(handle.Seek(0, 0));
        std::string read;
        std::string chunk(piece, '\0');
        while (GxU32 got = handle.Read(chunk.data(), piece))
            read.append(chunk.data(), got);
        EXPECT_TRUE(handle.IsEof());
        EXPECT_EQ(read, bytes) << "pieces of " << piece;
    }
    for (GxS64 start : {1LL, 22LL, 5887LL, 35'000LL, 69'999LL}) {
        ASSERT_TRUE(handle.Seek(start, 0));
        std::string rest(bytes.size(), '\0');
        const GxU32 got = handle.Read(rest.data(), static_cast<GxU32>(rest.size()));
        EXPECT_EQ(rest.substr(0, got), bytes.substr(start)) << "from " << start;
    }
    ASSERT_TRUE(handle.Seek(-10, 2));
    ASSERT_TRUE(handle.Seek(-5, 1));
    EXPECT_EQ(handle.GetPosition(), 69'985);
    ASSERT_TRUE(handle.Seek(1'000'000, 1));
    EXPECT_EQ(handle.GetPosition(), 70'000);
    EXPECT_TRUE(handle.IsEof());
    char one;
    EXPECT_EQ(handle.Read(&one, 1), 0u);

    // The handle keeps what it needs: closing the archives does not break it.
    ASSERT_TRUE(handle.Seek(100, 0));
    CloseAllPackFiles();
    EXPECT_EQ(FileExists(u"sound/voice.ogg"), 0);
    char some[4];
    ASSERT_EQ(handle.Read(some, 4), 4u);
    EXPECT_EQ(std::string(some, 4), bytes.substr(100, 4));
}

INSTANTIATE_TEST_SUITE_P(Forms, PackRoundTripTest,
                         ::testing::Values(RoundTripCase{false, false}, RoundTripCase{true, false},
                                           RoundTripCase{false, true}, RoundTripCase{true, true}),
                         [](const ::testing::TestParamInfo<RoundTripCase>& form) {
                             return std::string(form.param.scramble ? "Scrambled" : "Plain") +
                                    (form.param.utf16 ? "Utf16" : "Ansi");
                         });

TEST_F(PackTest, LooseFilesWinAndTheFirstArchiveAnswers) {
    MakeArchive(work, "one.gxp", {{"shared.txt", "one"}, {"override.txt", "packed"}});
    MakeArchive(work, "two.gxp", {{"shared.txt", "two"}, {"only2.txt", "2"}});
    ASSERT_TRUE(OpenPackFile(work.U16() + u"/one.gxp"));
    ASSERT_TRUE(OpenPackFile(work.U16() + u"/two.gxp"));
    game.Write("Override.txt", "loose!");

    const auto load = [](std::u16string_view path) {
        GxBinBuffer buffer;
        EXPECT_TRUE(LoadFile(buffer, path, false, false));
        return BufferText(buffer);
    };
    EXPECT_EQ(load(u"shared.txt"), "one");
    EXPECT_EQ(load(u"only2.txt"), "2");
    EXPECT_EQ(FileExists(u"override.txt"), 1);
    EXPECT_EQ(GetFileSizeByName(u"override.txt"), 6u);
    EXPECT_EQ(load(u"override.txt"), "loose!");

    CloseAllPackFiles();
    EXPECT_EQ(FileExists(u"shared.txt"), 0);
}

TEST_F(PackTest, MissingArchiveFailsQuietly) {
    gxtest::LogCapture log;
    EXPECT_FALSE(OpenPackFile(u"system.gxp"));
    EXPECT_TRUE(log.lines.empty());
}

// Damages a plain archive of two files ("a.txt" = "hello", "b.txt" = "bye"):
// entry 0 starts at 48 and is 38 bytes long, entry 1 follows at 86.
TEST_F(PackTest, DamagedArchivesFailWithOneClearError) {
    MakeArchive(work, "good.gxp", {{"a.txt", "hello"}, {"b.txt", "bye"}});
    const std::string good = work.Read("good.gxp");
    ASSERT_EQ(good.size(), 48u + 38 + 38 + 8);
    const auto patch32 = [&](size_t at, GxU32 value) {
        std::string bytes = good;
        gx::WriteLE32(reinterpret_cast<GxU8*>(bytes.data()) + at, value);
        return bytes;
    };
    const auto patch64 = [&](size_t at, GxU64 value) {
        std::string bytes = good;
        gx::WriteLE64(reinterpret_cast<GxU8*>(bytes.data()) + at, value);
        return bytes;
    };
    std::string unterminated = good;
    unterminated[86 + 37] = 'x';
    struct Case {
        const char* name;
        std::string bytes;
        const char16_t* reason;
    };
    const Case cases[] = {
        {"truncated header", good.substr(0, 20), u"the header is truncated"},
        {"huge count", patch32(24, 0xFFFFFFFF), u"4294967295 entries cannot fit"},
        {"huge directory", patch32(28, 0x7FFFFFFF), u"the directory runs past the end"},
        {"zero entry size", patch32(86, 0), u"entry 1 has size 0"},
        {"entry past directory", patch32(86, 39), u"entry 1 runs past the directory"},
        {"entry too small", patch32(48, 20), u"entry 0 is too small"},
        {"name without terminator", unterminated, u"the name of entry 1 has no terminator"},
        {"data past end", patch32(48 + 4, 100), u"the data of a.txt runs past the end"},
        {"offset past end", patch64(86 + 24, 1ULL << 40), u"the data of b.txt runs past"},
        {"data area past end", patch64(40, 1ULL << 62), u"the data area starts past"},
        {"truncated directory", good.substr(0, 100), u"the directory runs past the end"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        work.Write("bad.gxp", c.bytes);
        gxtest::LogCapture log;
        EXPECT_FALSE(OpenPackFile(work.U16() + u"/bad.gxp"));
        ASSERT_EQ(log.lines.size(), 1u);
        EXPECT_NE(log.lines[0].find(u"damaged archive"), std::u16string::npos);
        EXPECT_NE(log.lines[0].find(c.reason), std::u16string::npos)
            << gx::Utf16ToUtf8(log.lines[0]);
        EXPECT_EQ(FileExists(u"a.txt"), 0);
    }
    ASSERT_TRUE(OpenPackFile(work.U16() + u"/good.gxp"));
    EXPECT_EQ(FileExists(u"b.txt"), 2);
}

TEST_F(PackTest, ScrambledDirectoryDamageIsCaughtToo) {
    GxPackOptions options;
    options.scramble = true;
    MakeArchive(work, "s.gxp", {{"a.txt", "hello"}}, options);
    std::string bytes = work.Read("s.gxp");
    bytes[48] ^= 38;  // the stored size unscrambles to 0
    work.Write("s.gxp", bytes);
    gxtest::LogCapture log;
    EXPECT_FALSE(OpenPackFile(work.U16() + u"/s.gxp"));
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_NE(log.lines[0].find(u"entry 0 has size 0"), std::u16string::npos);
}

}  // namespace
