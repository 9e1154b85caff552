#include <gtest/gtest.h>

#include "fake_content.h"
#include "task_test_support.h"

using namespace tasktest;

namespace {

struct Screens : World {
    Screens() {
        title = new ProbeTransitSeq(root, u"SeqTitle", &journal);
        config = new ProbeTransitSeq(root, u"SeqConfig", &journal);
        plain = new ProbeSeq(root, u"SeqBoot", &journal);
        widget = new Probe(config, &journal, "widget");
    }
    void Change(GxSeqBase* to) {
        manager.ChangeSequence(to, 0);
        manager.ApplySequenceChange();
    }
    ProbeTransitSeq* title;
    ProbeTransitSeq* config;
    ProbeSeq* plain;
    Probe* widget;
};

}  // namespace

TEST(Sequence, SecondChangeInAFrameWinsAndEndRunsOnce) {
    Screens s;
    s.Change(s.plain);
    s.journal.clear();
    EXPECT_TRUE(s.manager.ChangeSequence(s.title, 4));
    EXPECT_TRUE(s.manager.ChangeSequence(u"SeqConfig", 7));
    EXPECT_TRUE(s.manager.IsChangePending());
    EXPECT_FALSE(s.manager.IsSequenceActive());
    s.manager.ApplySequenceChange();
    s.manager.ApplySequenceChange();  // nothing pending: nothing happens
    EXPECT_EQ(s.journal, (Journal{"SeqBoot:end", "SeqConfig:start", "widget:start"}));
    EXPECT_EQ(s.manager.GetCurrentSequenceName(), u"SeqConfig");
    EXPECT_EQ(s.manager.GetCurrentParam1(), 7);
    EXPECT_EQ(s.manager.GetCurrentParam2(), 0);
    EXPECT_EQ(s.manager.GetPreviousSequenceName(), u"SeqBoot");
    EXPECT_EQ(s.manager.GetPreviousParam2(), 0);
    EXPECT_EQ(s.manager.GetNextSequence(), nullptr);
}

TEST(Sequence, RefusedRequestsLeaveStateUnchanged) {
    Screens s;
    LogCapture log;
    s.Change(s.title);
    EXPECT_TRUE(s.manager.ChangeSequence(s.config, 1));

    EXPECT_FALSE(s.manager.ChangeSequence(s.title, 2));  // same sequence, while one is pending
    EXPECT_TRUE(log.Contains(u"Can not change the same sequence(SeqTitle)\n"));
    EXPECT_FALSE(s.manager.ChangeSequence(s.widget, 0));
    EXPECT_TRUE(log.Contains(u"指定されたタスクはシーケンスタスクではありません()\n"));
    EXPECT_FALSE(s.manager.ChangeSequence(u"", 0));
    EXPECT_TRUE(log.Contains(u"名前のないタスクは遷移先のシーケンスに指定できません\n"));
    EXPECT_FALSE(s.manager.ChangeSequence("SeqNowhere", 0));
    EXPECT_TRUE(log.Contains(u"遷移先のシーケンスが見つかりません(SeqNowhere)\n"));
    EXPECT_FALSE(s.manager.ChangeSequence(static_cast<GxTaskBase*>(nullptr), 0));

    EXPECT_EQ(s.manager.GetNextSequence(), s.config);
    s.manager.StartMain();  // change pending: refused
    EXPECT_TRUE(log.Contains(u"GxTaskManage::StartMain/シーケンスの準備ができていません\n"));
    EXPECT_FALSE(s.manager.IsMainStarted());
}

TEST(Sequence, PlainSequenceStartsMainInFirstStep) {
    Screens s;
    s.Change(s.plain);
    EXPECT_FALSE(s.manager.IsMainStarted());
    s.Step();
    EXPECT_TRUE(s.manager.IsMainStarted());
}

TEST(Sequence, TransitionBlocksInputAndDelaysMain) {
    Screens s;
    s.Change(s.title);
    s.Step();
    ASSERT_TRUE(s.manager.IsMainStarted());
    s.Change(s.config);
    ASSERT_TRUE(s.config->IsTransitioning());
    EXPECT_EQ(s.config->GetTransitParam().m_TransitTimeTotal, 400);

    s.widget->handles = 1;
    s.journal.clear();
    // 400 ms in steps of 150 ms: 250 left, 100 left, then used up.
    for (int step = 0; step < 2; ++step) {
        s.Step(150000);
        EXPECT_FALSE(s.manager.IsMainStarted()) << step;
        EXPECT_EQ(s.manager.DeliverLButtonDown({1, 1}, 0, false), 0);
        EXPECT_EQ(s.manager.OnKeyDown(1, 0), 0);
    }
    EXPECT_EQ(s.config->GetTransitParam().m_TransitTimeLeft, 100);
    for (const auto& line : s.journal) {
        if (line.ends_with(":click") || line.ends_with(":key")) {
            EXPECT_EQ(line.find("SeqSystem:"), 0u) << line;
        }
    }

    s.Step(150000);
    EXPECT_TRUE(s.manager.IsMainStarted());
    EXPECT_FALSE(s.config->IsTransitioning());
    EXPECT_EQ(s.manager.DeliverLButtonDown({1, 1}, 0, false), 1);
}

TEST(Sequence, ElapsedTimeIsTruncatedToWholeMilliseconds) {
    Screens s;
    s.config->StartTransition(2);
    s.Change(s.config);  // the old side is not transit: no capture, the flag was set by hand
    s.Step(1999);        // 1 ms
    EXPECT_EQ(s.config->GetTransitParam().m_TransitTimeLeft, 1);
    s.Step(999);  // 0 ms
    EXPECT_EQ(s.config->GetTransitParam().m_TransitTimeLeft, 1);
    EXPECT_FALSE(s.manager.IsMainStarted());
    s.Step(1000);
    EXPECT_TRUE(s.manager.IsMainStarted());
}

TEST(Sequence, FadeNeedsBothSides) {
    struct Case {
        const char* what;
        bool fromTransit, toTransit, fades;
    };
    const Case cases[] = {
        {"transit to transit", true, true, true},
        {"plain to transit", false, true, false},
        {"transit to plain", true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Screens s;
        GxSeqBase* to =
            c.toTransit ? static_cast<GxSeqBase*>(s.config)
                        : static_cast<GxSeqBase*>(new ProbeSeq(s.root, u"SeqPlain2", &s.journal));
        s.Change(c.fromTransit ? static_cast<GxSeqBase*>(s.title) : s.plain);
        s.Step();
        s.Change(to);
        EXPECT_EQ(s.config->IsTransitioning(), c.fades);
        s.Step(1000);
        EXPECT_EQ(s.manager.IsMainStarted(), !c.fades);
    }
}

namespace {

struct FadeRenderer : GxSceneRenderer {
    std::vector<float> alphas;
    int captures = 0;
    void BeginCapture() override { ++captures; }
    void DrawCaptureFade(GxF32 alpha) override { alphas.push_back(alpha); }
};

}  // namespace

TEST(Sequence, TransitionOverlayFadesOut) {
    Screens s;
    FadeRenderer renderer;
    s.manager.SetSceneRenderer(&renderer);
    s.Change(s.title);
    s.Step();
    s.Change(s.config);
    EXPECT_EQ(renderer.captures, 1);
    s.Step(100000);
    s.manager.RenderLists(0);
    s.Step(200000);
    s.manager.RenderLists(0);
    ASSERT_EQ(renderer.alphas.size(), 2u);
    EXPECT_FLOAT_EQ(renderer.alphas[0], 0.75f);
    EXPECT_FLOAT_EQ(renderer.alphas[1], 0.25f);
    s.Step(100000);
    s.manager.RenderLists(0);
    EXPECT_EQ(renderer.alphas.size(), 2u);  // over: no overlay entry
    s.manager.SetSceneRenderer(nullptr);
}

TEST(Sequence, OnSequenceEndClosesSystemWidgetsThatExist) {
    Screens s;
    auto* tip = new Probe(s.system, &s.journal, "tip");
    tip->SetTaskName(u"tip_help");
    auto* dlg = new Probe(s.system, &s.journal, "dlg");
    dlg->SetTaskName(u"dlg_user");
    // "dlg_shutdown" does not exist: skipped.
    s.Change(s.plain);
    s.Change(s.title);
    EXPECT_TRUE(tip->IsPaused());
    EXPECT_TRUE(dlg->IsPaused());

    std::vector<GxString> closed;
    s.manager.SetSystemWidgetCloser([&](GxTaskBase& w) { closed.push_back(w.GetTaskName()); });
    s.Change(s.plain);
    EXPECT_EQ(closed, (std::vector<GxString>{u"tip_help", u"dlg_user"}));
}

TEST(Sequence, EndSequenceClearsCurrent) {
    Screens s;
    s.Change(s.config);
    s.journal.clear();
    s.manager.EndSequence();
    EXPECT_EQ(s.journal, (Journal{"SeqConfig:end", "widget:end"}));
    EXPECT_EQ(s.manager.GetCurrentSequence(), nullptr);
    EXPECT_TRUE(s.manager.GetCurrentSequenceName().empty());
    EXPECT_FALSE(s.manager.IsSequenceActive());
}

TEST(Sequence, TransitParamRoundTripAndProgress) {
    GxTransitParam param;
    EXPECT_FLOAT_EQ(param.GetProgress(), 1.0f);
    param.m_Transit = true;
    param.m_TransitTimeTotal = 400;
    param.m_TransitTimeLeft = 100;
    EXPECT_FLOAT_EQ(param.GetProgress(), 0.75f);
    param.m_TransitTimeLeft = 900;
    EXPECT_FLOAT_EQ(param.GetProgress(), 0.0f);

    FakeWriter writer;
    ASSERT_TRUE(param.Write(writer));
    GxTransitParam copy;
    FakeReader reader(writer.stream);
    ASSERT_TRUE(copy.Read(reader));
    EXPECT_TRUE(copy.m_Transit);
    EXPECT_EQ(copy.m_TransitTimeLeft, 900);
    EXPECT_EQ(copy.m_TransitTimeTotal, 400);

    FakeReader truncated({{"m_Transit", false}});
    EXPECT_FALSE(copy.Read(truncated));
    EXPECT_TRUE(copy.m_Transit);
}

namespace {

// A screen that, when it ends, sends the game elsewhere.
struct Redirecting : ProbeSeq {
    Redirecting(GxTaskBase* root, Journal* journal) : ProbeSeq(root, u"SeqRedirect", journal) {}
    void OnSequenceEnd() override {
        ProbeSeq::OnSequenceEnd();
        GetManager()->ChangeSequence(u"SeqBoot", 3);
    }
};

}  // namespace

TEST(Sequence, ChangeRequestedWhileEndingReplacesTheTarget) {
    Screens s;
    auto* redirect = new Redirecting(s.root, &s.journal);
    s.Change(redirect);
    s.journal.clear();
    s.Change(s.title);
    EXPECT_EQ(s.manager.GetCurrentSequence(), s.plain);
    EXPECT_EQ(s.manager.GetCurrentParam1(), 3);
    EXPECT_EQ(s.manager.GetPreviousSequenceName(), u"SeqRedirect");
    EXPECT_TRUE(s.manager.IsSequenceActive());
    EXPECT_FALSE(s.manager.IsChangePending());
    EXPECT_EQ(s.journal, (Journal{"SeqRedirect:end", "SeqBoot:start"}));
}
