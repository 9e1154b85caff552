// The worker's state and every variable class through both content forms.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "content/gx_content_binary_reader.h"
#include "content/gx_content_binary_writer.h"
#include "content/gx_content_text_reader.h"
#include "content/gx_content_text_writer.h"
#include "rill_run_fixture.h"
#include "script/gx_rill_worker_ex.h"

namespace {

// Writes through the form's writer into a temporary file and reads it back.
bool RoundTrip(bool text, const std::function<bool(GxContentWriterBase&)>& write,
               const std::function<bool(GxContentReaderBase&)>& read) {
    FILE* file = std::tmpfile();
    if (!file)
        return false;
    std::unique_ptr<GxContentWriterBase> writer;
    if (text) {
        writer = std::make_unique<GxContentTextWriter>(file);
    } else {
        writer = std::make_unique<GxContentBinaryWriter>(file);
    }
    const char* tag = text ? "TGD" : "BGD";
    bool ok = writer->WriteFileHeader(tag, 100) && write(*writer) && writer->GetErrorCount() == 0;
    std::fflush(file);
    std::vector<char> bytes;
    std::rewind(file);
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(file);
    std::unique_ptr<GxContentReaderBase> reader;
    const auto size = static_cast<std::uint32_t>(bytes.size());
    if (text) {
        reader = std::make_unique<GxContentTextReader>(bytes.data(), size);
    } else {
        reader = std::make_unique<GxContentBinaryReader>(bytes.data(), size);
    }
    GxU32 version = 0;
    ok = ok && reader->ReadFileHeader(tag, &version) && version == 100;
    return ok && read(*reader) && reader->GetErrorCount() == 0;
}

const char16_t kProgram[] =
    u"GLOBAL PERMAN $gp = 0\n"
    u"GLOBAL INGAME $gi = 0\n"
    u"GLOBAL NOSAVE $gn = 0\n"
    u"EXTERN INGAME $ei = 0\n"
    u"*MAIN\n"
    u"LOCAL $f = 1.25\n"
    u"#call(\"SUB\", ARRAY(1, \"two\", NULL))\n"
    u"#print(\"back \" : $f : \" \" : result() : \" \" : $gi : $gp : $gn : $ei)\n"
    u"#stop()\n"
    u"*SUB\n"
    u"LOCAL $m = arraysize($_) : $_[1]\n"
    u"$gi = 1\n"
    u"$gp = 2\n"
    u"$gn = 3\n"
    u"$ei = 4\n"
    u"sub line\n"
    u"#return($m)\n";

}  // namespace

TEST(RillWorkerForms, SaveTakenMidCallResumesInBothForms) {
    for (bool text : {false, true}) {
        for (int steps = 1; steps <= 8; ++steps) {
            gxtest::RillProgram program(kProgram);
            ASSERT_EQ(program.compileErrors, "");
            program.engine.InitializeExtern();
            RillRunScenario scenario(program.out);
            RillRunBuiltins builtins(program.out, false);
            GxRillWorkerEx worker(&program.engine, &scenario);
            worker.Initialize();
            worker.ClearAndJump(u"MAIN");
            for (int i = 0; i < steps && worker.Step(&builtins); ++i) {
            }
            GxRillWorkerEx restored(&program.engine, &scenario);
            restored.Initialize();
            ASSERT_TRUE(RoundTrip(
                text,
                [&](GxContentWriterBase& w) {
                    return program.engine.WriteExtern(w, RILLCLASS_INGAME) &&
                           worker.WriteVariables(w, RILLCLASS_INGAME) && worker.WriteState(w);
                },
                [&](GxContentReaderBase& r) {
                    return program.engine.ResetAndReadExtern(r, RILLCLASS_INGAME) &&
                           restored.ResetAndReadVariables(r, RILLCLASS_INGAME) &&
                           restored.ReadState(r);
                }))
                << (text ? "text" : "binary") << " after " << steps;
            // The permanent and unsaved values stay as they were in this engine run;
            // the restored worker starts from their initial values.
            while (restored.Step(&builtins)) {
            }
            EXPECT_FALSE(program.engine.GetErrorStop()) << program.Err();
            const std::string out = program.Out();
            // $gp and $gn set before the save are not in it (not the in-game class).
            const char* expected = steps <= 4   ? "back 1.250000 3two 1234\n"
                                   : steps == 5 ? "back 1.250000 3two 1034\n"
                                                : "back 1.250000 3two 1004\n";
            EXPECT_EQ(out.substr(out.find("back")), expected)
                << (text ? "text" : "binary") << " after " << steps << ": " << out;
        }
    }
}

TEST(RillWorkerForms, EveryValueTypeAndClassRoundTrips) {
    for (bool text : {false, true}) {
        GxRillVariableTable table(RILLTABLE_GLOBAL);
        GxRillVariable nested = GxRillVariable::MakeArray(0);
        nested.GetArray().push_back(GxRillVariable::MakeStr(u"「引用」\t\"q\"\n"));
        nested.GetArray().push_back(GxRillVariable::MakeArray(2));
        const GxRillVariable values[] = {GxRillVariable::MakeInt(-9223372036854775807LL - 1),
                                         GxRillVariable::MakeFloat(-0.1),
                                         GxRillVariable::MakeStr(u""),
                                         nested,
                                         GxRillVariable(),
                                         GxRillVariable::MakeOpcode(42)};
        GxS32 scope = 0;
        for (const GxRillVariable& value : values) {
            table.GetSets().emplace_back(u"v" + gx::ToU16(scope), scope % 11, value);
            ++scope;
        }
        for (int cls = 0; cls <= 4; ++cls) {
            GxRillVariableTable copy(RILLTABLE_GLOBAL);
            ASSERT_TRUE(RoundTrip(
                text, [&](GxContentWriterBase& w) { return table.Write(w, cls); },
                [&](GxContentReaderBase& r) { return copy.Read(r, cls); }));
            std::u16string expected, actual;
            for (const GxRillVariableSet& set : table.GetSets()) {
                if (IsRillScopeInClass(set.m_Scope, cls))
                    DumpRillValue(expected, 0, set.m_Name, set.m_Value);
            }
            for (const GxRillVariableSet& set : copy.GetSets())
                DumpRillValue(actual, 0, set.m_Name, set.m_Value);
            EXPECT_EQ(gx::Utf16ToUtf8(actual), gx::Utf16ToUtf8(expected))
                << (text ? "text" : "binary") << " class " << cls;
        }
    }
}
