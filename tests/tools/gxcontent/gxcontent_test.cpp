#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

namespace {

struct ToolRun {
    int status = -1;
    std::string out;  // stdout and stderr together
};

ToolRun Gxcontent(const std::string& arguments) {
    const char* bin = std::getenv("GX_BIN_DIR");
    const std::string command =
        std::string(bin ? bin : "bin") + "/gxcontent " + arguments + " 2>&1";
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0)
        run.out.append(chunk, n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

const char kTextStream[] =
    "TGD\t100\n"
    "05\tm_X\t-5\n"
    "09\tm_F\t0.1\n"
    "0a\tm_D\t0.1\n"
    "0b\tm_B\t1\n"
    "1a\tm_S\t9\t\"a\\\"b\\\\\\nc\"\n"
    "20\tm_L\tItem\t1\t{\n"
    "0d\tm_V\t1\t-2\t0.5\n"
    "21\t}\n"
    "22\tm_T\tNode\t{\n"
    "24\t{\n"
    "25\t}\n"
    "23\t}\n"
    "1b\tm_Blk\t2\n"
    "0aff\n"
    "1b\tm_Empty\t0\n"
    "\n"
    "32\tm_P\t3\t-4\n";

TEST(Gxcontent, DumpsTheTextFormWithNames) {
    gxtest::TempDir dir;
    dir.Write("save.txt", kTextStream);
    const ToolRun run = Gxcontent("dump " + dir.Str() + "/save.txt");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "header TGD 100\n"
              "GxS32 name=m_X -5\n"
              "GxF32 name=m_F 0.100000001\n"
              "GxF64 name=m_D 0.10000000000000001\n"
              "GxBool name=m_B 1\n"
              "GxStringUTF8 name=m_S \"a\\\"b\\\\\\nc\"\n"
              "ListBegin name=m_L 1\n"
              "GxVector3 name=m_V 1 -2 0.5\n"
              "ListEnd\n"
              "TreeBegin name=m_T\n"
              "TreeStratumBegin\n"
              "TreeStratumEnd\n"
              "TreeEnd\n"
              "GxBinary name=m_Blk size=2 0aff\n"
              "GxBinary name=m_Empty size=0\n"
              "GxPoint2 name=m_P 3 -4\n");
}

TEST(Gxcontent, ToBinaryWritesTheBinaryFormWithItsTag) {
    gxtest::TempDir dir;
    dir.Write("in.txt", "TNCPROJ\t100\n05\tm_X\t1\n1a\tm_S\t2\t\"ab\"\n");
    const ToolRun run = Gxcontent("tobinary " + dir.Str() + "/in.txt " + dir.Str() + "/out.bin");
    EXPECT_EQ(run.status, 0) << run.out;
    const std::string expected = std::string("BNCPROJ\0\0\0\0\0\0\0\0\0\0\0\0\x64", 20) +
                                 std::string("\x05\0\0\0\x01", 5) +
                                 std::string(
                                     "\x1a\0\0\0\x02"
                                     "ab\0",
                                     8);
    EXPECT_EQ(dir.Read("out.bin"), expected);
    const ToolRun dump = Gxcontent("dump " + dir.Str() + "/out.bin");
    EXPECT_EQ(dump.out, "header BNCPROJ 100\nGxS32 1\nGxStringUTF8 \"ab\"\n");
}

TEST(Gxcontent, DamagedStreamsExitWithTheReadersError) {
    gxtest::TempDir dir;
    dir.Write("bad.txt", "TGD\t100\n05\tm_X\tzz\n");
    const ToolRun bad_text = Gxcontent("dump " + dir.Str() + "/bad.txt");
    EXPECT_EQ(bad_text.status, 1);
    EXPECT_NE(bad_text.out.find("GxContentTextReader/Bad Number Line=2\n"), std::string::npos);

    dir.Write("bad.bin", std::string("\x05\0\0", 3));
    const ToolRun bad_binary = Gxcontent("dump --no-header " + dir.Str() + "/bad.bin");
    EXPECT_EQ(bad_binary.status, 1);
    EXPECT_EQ(bad_binary.out, "GxContentBinaryReader/ReadPos Overrun\n");
    EXPECT_EQ(Gxcontent("dump").status, 2);

    const ToolRun failed =
        Gxcontent("tobinary " + dir.Str() + "/bad.txt " + dir.Str() + "/out.bin");
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(dir.Read("out.bin"), "");  // nothing half-written is left behind
}

TEST(Gxcontent, HeaderlessStreamsOfBothForms) {
    gxtest::TempDir dir;
    dir.Write("values.txt", "05\tm_X\t3\n");
    EXPECT_EQ(Gxcontent("dump " + dir.Str() + "/values.txt --no-header").out, "GxS32 name=m_X 3\n");
    dir.Write("values.bin", std::string("\x03\xff\xfe\x21", 4));
    EXPECT_EQ(Gxcontent("dump " + dir.Str() + "/values.bin --no-header").out,
              "GxS16 -2\nListEnd\n");
}

}  // namespace
