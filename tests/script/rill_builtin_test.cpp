// The built-ins: the general library by index, the game dispatcher's ranges
// and queries, and rand.
#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "rill_run_fixture.h"
#include "script/gx_rill_builtin_ex.h"
#include "script/gx_rill_random.h"
#include "script/gx_rill_worker.h"

namespace {

using V = GxRillVariable;

V Args(std::initializer_list<V> values) {
    V array = V::MakeArray(0);
    for (const V& value : values)
        array.GetArray().push_back(value);
    return array;
}
V I(GxS64 v) {
    return V::MakeInt(v);
}
V S(std::u16string_view s) {
    return V::MakeStr(s);
}
V F(double d) {
    return V::MakeFloat(d);
}

// Calls a general built-in without a worker; "refused" when it returns false.
std::string CallDefault(GxS32 index, V arguments) {
    GxRillBuiltinDefault builtins;
    V result;
    if (!builtins.Call(u"f", index, arguments, nullptr, nullptr, result))
        return "refused";
    return gx::Utf16ToUtf8(result.GetString()) + "(" +
           gx::Utf16ToUtf8(GetRillVariableTypeName(result.GetType())) + ")";
}

}  // namespace

TEST(RillBuiltins, GeneralLibraryByIndex) {
    struct Case {
        GxS32 index;
        V args;
        std::string result;
    };
    const Case cases[] = {
        {1, Args({S(u"42abc")}), "42(Int)"},
        {2, Args({S(u"1.5")}), "1.500000(Float)"},
        {3, Args({I(7)}), "7(Str)"},
        {4, Args({V::MakeArray(2)}), "1(Int)"},
        {4, Args({I(2)}), "0(Int)"},
        {5, Args({V::MakeArray(3)}), "3(Int)"},
        {5, Args({}), "0(Int)"},
        {11, Args({S(u"あいう")}), "3(Int)"},
        {12, Args({S(u"abcdef"), I(2), I(3)}), "cde(Str)"},
        {12, Args({S(u"abcdef"), I(2)}), "cdef(Str)"},
        {12, Args({S(u"abcdef"), I(4), I(99)}), "ef(Str)"},
        {12, Args({S(u"abc"), I(-1), I(2)}), "(Str)"},
        {12, Args({S(u"abc"), I(LLONG_MAX), I(2)}), "(Str)"},
        {12, Args({S(u"abc"), I(1), I(-5)}), "(Str)"},
        {13, Args({S(u"AbÀ")}), "abÀ(Str)"},
        {14, Args({S(u"aBz")}), "ABZ(Str)"},
        {15, Args({S(u"abcabc"), S(u"c")}), "2(Int)"},
        {15, Args({S(u"abcabc"), S(u"c"), I(3)}), "5(Int)"},
        {15, Args({S(u"abc"), S(u"x")}), "-1(Int)"},
        {15, Args({S(u"abc"), S(u"a"), I(-4)}), "-1(Int)"},
        {24, Args({I(0)}), "1970(Int)"},
        {24, Args({I(LLONG_MAX)}), "0(Int)"},
        {31, Args({I(LLONG_MIN)}), "0(Int)"},
        {100, Args({I(-9)}), "-1(Int)"},
        {101, Args({I(LLONG_MIN)}), "-9223372036854775808(Int)"},
        {101, Args({I(-3)}), "3(Int)"},
        {102, Args({F(-0.5)}), "-1.000000(Float)"},
        {103, Args({F(-0.5)}), "0.500000(Float)"},
        {104, Args({F(7.5), I(2)}), "1.500000(Float)"},
        {105, Args({I(2), I(10)}), "1024.000000(Float)"},
        {106, Args({I(16)}), "4.000000(Float)"},
        {107, Args({I(0)}), "1.000000(Float)"},
        {108, Args({I(1)}), "0.000000(Float)"},
        {18, Args({}), "refused"},
        {109, Args({}), "refused"},
        {300, Args({}), "refused"},
    };
    setenv("TZ", "UTC", 1);
    tzset();
    for (const Case& c : cases)
        EXPECT_EQ(CallDefault(c.index, c.args), c.result) << "index " << c.index;
    EXPECT_EQ(CallDefault(22, Args({})), "0(Int)");
    EXPECT_EQ(CallDefault(25, Args({I(86400 * 59)})), "3(Int)");  // 1 March 1970
    EXPECT_EQ(CallDefault(30, Args({I(0)})), "4(Int)");           // a Thursday
}

TEST(RillBuiltins, FilesAndDirectories) {
    const std::string dir = CallDefault(32, Args({}));
    EXPECT_EQ(dir.substr(dir.size() - 6), "/(Str)");
    EXPECT_EQ(CallDefault(9, Args({S(u"CMakeLists.txt")})), "1(Int)");
    EXPECT_EQ(CallDefault(9, Args({S(u"no such file")})), "0(Int)");
    EXPECT_EQ(CallDefault(10, Args({S(u"no such file")})), "0(Int)");
    EXPECT_NE(CallDefault(10, Args({S(u"CMakeLists.txt")})), "0(Int)");
}

TEST(RillBuiltins, GameDispatchByRangeAndName) {
    GxRillBuiltinEx builtins;
    V result;
    auto call = [&](std::u16string_view name, GxS32 index, V args = Args({})) {
        result = V();
        return builtins.Call(name, index, args, nullptr, nullptr, result);
    };
    EXPECT_TRUE(call(u"getdebugmodeflag", 509));
    EXPECT_EQ(result.GetInt64(), 0);
    builtins.SetDebugMode(true);
    EXPECT_TRUE(call(u"getdebugmodeflag", 509));
    EXPECT_EQ(result.GetInt64(), 1);
    EXPECT_TRUE(call(u"anything", 11, Args({S(u"abc")})));  // general: by index alone
    EXPECT_EQ(result.GetInt64(), 3);
    EXPECT_FALSE(call(u"bg", 1000));            // a name of another range
    EXPECT_FALSE(call(u"rand", 500));           // likewise
    EXPECT_FALSE(call(u"bgm", 1500));           // a command, not yet provided
    EXPECT_FALSE(call(u"getlastselect", 507));  // a query without the game
    EXPECT_FALSE(call(u"nothing", 5000));       // outside every range
    EXPECT_TRUE(call(u"rand", 300, Args({I(5), I(5)})));
    EXPECT_EQ(result.GetInt64(), 5);

    // Without the debug mode print and debuglog do nothing and succeed.
    gxtest::RillProgram program(u"*MAIN\n#print(\"shown\")\n");
    program.engine.InitializeExtern();
    GxRillWorker worker(&program.engine);
    worker.Initialize();
    worker.ClearAndJump(u"MAIN");
    builtins.SetDebugMode(false);
    worker.Step(&builtins);
    EXPECT_EQ(program.Out(), "");
    EXPECT_FALSE(program.engine.GetErrorStop());
}

namespace {
class GameDouble : public GxRillGameHost {
public:
    std::u16string title;
    GxS32 nameMode = 0;
    GxU32 extra = 0;
    bool titleFound = true;
    std::u16string GetSaveDir() override { return u"/save/"; }
    std::u16string GetSequenceName(bool previous) override {
        return previous ? u"SeqTitle" : u"SeqAvgMain";
    }
    GxS32 GetSequenceParam(bool previous, int which) override {
        return (previous ? 10 : 0) + which;
    }
    GxS32 GetLastSelect() override { return 3; }
    GxS32 GetLastDialogResult() override { return 1; }
    void SetGameDataTitle(std::u16string_view t) override { title = t; }
    std::u16string GetGameDataTitle() override { return title; }
    bool IsReplayMode() override { return false; }
    bool IsPassedReplayLabel(std::u16string_view label) override { return label == u"EP1"; }
    void SetNameIdentifyMode(GxS32 mode) override { nameMode = mode; }
    bool JumpToTitle() override { return titleFound; }
    GxU32 GetExtraOption() override { return extra; }
    void SetExtraOption(GxU32 bits) override { extra = bits; }
};
}  // namespace

TEST(RillBuiltins, GameQueries) {
    GameDouble game;
    GxRillBuiltinEx builtins(&game);
    struct Case {
        std::u16string_view name;
        V args;
        std::string result;
    };
    const Case cases[] = {
        {u"getsavedir", Args({}), "/save/"},
        {u"getcurseqname", Args({}), "SeqAvgMain"},
        {u"getprevseqname", Args({}), "SeqTitle"},
        {u"getcurseqparam1", Args({}), "1"},
        {u"getprevseqparam0", Args({}), "10"},
        {u"getlastselect", Args({}), "3"},
        {u"getdialogresult", Args({}), "1"},
        {u"setgamedatatitle", Args({S(u"Day 1")}), ""},
        {u"getgamedatatitle", Args({}), "Day 1"},
        {u"getpassedlabel", Args({S(u"EP1")}), "1"},
        {u"getpassedlabel", Args({S(u"EP2")}), "0"},
        {u"setnameidentifymode", Args({I(2)}), ""},
        {u"setextraoption", Args({I(33), I(1)}), ""},
        {u"getextraoption", Args({I(1)}), "1"},
        {u"getextraoption", Args({I(2)}), "0"},
        {u"jumptotitle", Args({}), ""},
    };
    for (const Case& c : cases) {
        V result;
        V args = c.args;
        GxS32 index = c.name == u"jumptotitle" || c.name.ends_with(u"extraoption") ? 10000 : 500;
        ASSERT_TRUE(builtins.Call(c.name, index, args, nullptr, nullptr, result))
            << gx::Utf16ToUtf8(c.name);
        EXPECT_EQ(gx::Utf16ToUtf8(result.GetString()), c.result) << gx::Utf16ToUtf8(c.name);
    }
    EXPECT_EQ(game.nameMode, 2);
    EXPECT_EQ(game.extra, 2u);

    // getpassedlabel without a label fails with its message through the worker.
    gxtest::RillProgram program(u"*MAIN\nLOCAL $x = getpassedlabel()\n");
    program.engine.InitializeExtern();
    GxRillWorker worker(&program.engine);
    worker.Initialize();
    worker.ClearAndJump(u"MAIN");
    EXPECT_FALSE(worker.Step(&builtins));
    EXPECT_TRUE(program.Err().starts_with(
        "err:[Script=\"main.txt\"/line=2] getpassedlabel:ラベル名を指定してください\n"))
        << program.Err();
}

TEST(RillBuiltins, RandIsUniformOverAnyRange) {
    GxRillRandom random;
    int counts[3] = {};
    for (int i = 0; i < 3000; ++i) {
        const GxS64 v = random.Draw(3, 1);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 3);
        ++counts[v - 1];
    }
    for (int count : counts) {
        EXPECT_GT(count, 850);
        EXPECT_LT(count, 1150);
    }
    EXPECT_EQ(random.Draw(-4, -4), -4);
    std::set<GxS64> seen;
    for (int i = 0; i < 64; ++i)
        seen.insert(random.Draw(LLONG_MIN, LLONG_MAX));  // the whole range ends
    EXPECT_GT(seen.size(), 60u);
    int negative = 0;
    for (int i = 0; i < 1000; ++i)
        negative += random.Draw(LLONG_MIN, LLONG_MAX) < 0;
    EXPECT_GT(negative, 400);
    EXPECT_LT(negative, 600);
    const GxS64 wide = random.Draw(0, (GxS64(1) << 40));
    EXPECT_GE(wide, 0);
    // The same seed gives the same draws.
    GxRillRandom a, b;
    a.Seed(99);
    b.Seed(99);
    EXPECT_EQ(a.Draw(0, 1000000), b.Draw(0, 1000000));
}
