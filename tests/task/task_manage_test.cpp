#include <gtest/gtest.h>

#include "task_test_support.h"

using namespace tasktest;

namespace {

// A sequence that is current and in its main phase, with two probes under it.
struct Scene : World {
    Scene() {
        seq = new ProbeSeq(root, u"SeqA", &journal);
        manager.ChangeSequence(seq, 0);
        manager.ApplySequenceChange();
        manager.StartMain();
        journal.clear();
    }
    GxS32 Click() { return manager.DeliverLButtonDown({10, 10}, 0, false); }
    ProbeSeq* seq = nullptr;
};

}  // namespace

TEST(TaskEvents, ChildrenBeforeParentsDeepestEarliestFirst) {
    Scene s;
    auto* a = new Probe(s.seq, &s.journal, "a");
    new Probe(a, &s.journal, "a1");
    new Probe(a, &s.journal, "a2");
    new Probe(s.seq, &s.journal, "b");
    new Probe(s.system, &s.journal, "sys");
    EXPECT_EQ(s.Click(), 0);
    EXPECT_EQ(s.journal, (Journal{"sys:click", "SeqSystem:click", "a1:click", "a2:click", "a:click",
                                  "b:click", "SeqA:click"}));
}

TEST(TaskEvents, SkipBitsHandledFlagAndBoundary) {
    struct Case {
        const char* what;
        GxU32 inputFlags;  // on "a"
        bool a2Handles;
        Journal expected;
    };
    const Case cases[] = {
        {"plain", 0, false, {"a1:click", "a2:click", "a:click", "b:click", "SeqA:click"}},
        {"skip subtree", GX_INPUT_SKIP_MOUSE, false, {"b:click", "SeqA:click"}},
        {"skip children",
         GX_INPUT_SKIP_MOUSE_CHILDREN,
         false,
         {"a:click", "b:click", "SeqA:click"}},
        {"other kind's bits",
         GX_INPUT_SKIP_KEY | GX_INPUT_SKIP_KEY_CHILDREN,
         false,
         {"a1:click", "a2:click", "a:click", "b:click", "SeqA:click"}},
        {"handled stops", 0, true, {"a1:click", "a2:click"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scene s;
        auto* a = new Probe(s.seq, &s.journal, "a");
        new Probe(a, &s.journal, "a1");
        (new Probe(a, &s.journal, "a2"))->handles = c.a2Handles ? 1 : 0;
        new Probe(s.seq, &s.journal, "b");
        a->SetInputFlags(c.inputFlags);
        const GxS32 result =
            s.manager.DeliverEvent(s.seq, GxTaskEventKind::Mouse, [](GxTaskBase& t) {
                return t.OnLButtonDown({0, 0}, 0, false);
            });
        EXPECT_EQ(result, c.a2Handles ? 1 : 0);
        EXPECT_EQ(s.journal, c.expected);
    }
}

TEST(TaskEvents, SystemSequenceFirstAndAloneWhileChangePending) {
    Scene s;
    auto* dialog = new Probe(s.system, &s.journal, "dialog");
    new Probe(s.seq, &s.journal, "widget");
    new ProbeSeq(s.root, u"SeqB", &s.journal);

    dialog->handles = 1;
    EXPECT_EQ(s.Click(), 1);
    EXPECT_EQ(s.manager.OnKeyDown(13, 0), 1);
    EXPECT_EQ(s.journal, (Journal{"dialog:click", "dialog:key"}));

    dialog->handles = 0;
    s.journal.clear();
    EXPECT_TRUE(s.manager.ChangeSequence(u"SeqB", 0));
    s.Click();
    s.manager.OnKeyDown(13, 0);
    EXPECT_EQ(s.journal,
              (Journal{"dialog:click", "SeqSystem:click", "dialog:key", "SeqSystem:key"}));

    // The manager's own button-down listener leaves the click to the direct call.
    s.journal.clear();
    EXPECT_EQ(s.manager.OnLButtonDown({0, 0}, 0, false), 0);
    EXPECT_TRUE(s.journal.empty());
}

TEST(TaskEvents, PausedAndKilledTasksHearNothing) {
    Scene s;
    auto* paused = new Probe(s.seq, &s.journal, "paused");
    new Probe(paused, &s.journal, "under_paused");
    auto* killed = new Probe(s.seq, &s.journal, "killed");
    killed->Kill();
    paused->Pause();
    s.journal.clear();
    s.manager.OnActivate();
    EXPECT_EQ(s.journal, (Journal{}));
}

TEST(TaskPasses, UpdateSkipBitsAndPreparation) {
    Scene s;
    auto* a = new Probe(s.seq, &s.journal, "a");
    new Probe(a, &s.journal, "a1");
    new Probe(s.seq, &s.journal, "b");

    s.manager.UpdatePass(s.seq, 0, 0);
    EXPECT_EQ(s.journal, (Journal{"a:update", "a1:update", "b:update"}));  // pre-order

    s.journal.clear();
    a->SetUpdateFlags(GX_UPDATE_SKIP_UPDATE);
    s.manager.UpdatePass(s.seq, 0, 0);
    EXPECT_EQ(s.journal, (Journal{"b:update"}));

    s.journal.clear();
    a->ClearUpdateFlags(GX_UPDATE_SKIP_UPDATE);
    a->SetUpdateFlags(GX_UPDATE_SKIP_UPDATE_CHILDREN);
    s.manager.UpdatePass(s.seq, 0, 0);
    EXPECT_EQ(s.journal, (Journal{"a:update", "b:update"}));

    s.journal.clear();
    a->ClearUpdateFlags(GX_UPDATE_SKIP_UPDATE_CHILDREN);
    a->SetUpdateFlags(GX_UPDATE_STOP_SIBLINGS);
    s.manager.UpdatePass(s.seq, 0, 0);
    EXPECT_EQ(s.journal, (Journal{"a:update", "a1:update"}));
    s.manager.Sweep(s.root);  // the sweep clears the stop bit
    EXPECT_FALSE(a->GetUpdateFlags() & GX_UPDATE_STOP_SIBLINGS);

    // A preparation member gets Prepare, not Update, before the main phase.
    s.journal.clear();
    a->SetUpdateFlags(GX_UPDATE_PREPARATION_MEMBER);
    auto* seqB = new ProbeSeq(s.root, u"SeqB", &s.journal);
    a->Kill();
    s.manager.ChangeSequence(seqB, 0);
    s.manager.ApplySequenceChange();
    seqB->ClearUpdateFlags(GX_UPDATE_PREPARATION_MEMBER);  // keeps it from starting its main phase
    auto* member = new Probe(seqB, &s.journal, "member");
    member->SetUpdateFlags(GX_UPDATE_PREPARATION_MEMBER);
    new Probe(seqB, &s.journal, "other");
    s.journal.clear();
    s.manager.PreparePass(seqB, 0, 0);
    s.manager.UpdatePass(seqB, 0, 0);
    EXPECT_EQ(s.journal, (Journal{"member:prepare", "other:update"}));
}

TEST(TaskSweep, DeleteDelayAndLivingChildren) {
    World w;
    auto* slow = new Probe(w.root, &w.journal, "slow");
    slow->SetDeleteDelay(3);
    auto* parent = new Probe(w.root, &w.journal, "parent");
    auto* child = new Probe(parent, &w.journal, "child");
    slow->Kill();
    parent->KillChildren();
    parent->Kill();
    child->SetGlobalState(GX_TASK_RUNNING);  // a child that lives on
    w.journal.clear();

    for (int sweep = 1; sweep <= 3; ++sweep) {
        w.manager.Sweep(w.root);
        EXPECT_TRUE(slow->IsKilled()) << sweep;
    }
    EXPECT_TRUE(w.journal.empty());
    w.manager.Sweep(w.root);
    EXPECT_EQ(w.journal, (Journal{"slow:deleted"}));

    // The parent waits for its child, then needs its own delay.
    w.journal.clear();
    w.manager.Sweep(w.root);
    w.manager.Sweep(w.root);
    EXPECT_TRUE(w.journal.empty());
    child->Kill();
    w.journal.clear();
    w.manager.Sweep(w.root);  // child: delay 1 -> 0
    w.manager.Sweep(w.root);  // child deleted
    EXPECT_EQ(w.journal, (Journal{"child:deleted"}));
    w.manager.Sweep(w.root);
    EXPECT_EQ(w.journal, (Journal{"child:deleted", "parent:deleted"}));
    EXPECT_EQ(w.manager.Sweep(w.root), 2);  // root and SeqSystem
}

TEST(TaskSweep, DeletesSiblingsInOnePassAndForgetsRenderEntries) {
    World w;
    Probe* tasks[3];
    for (int i = 0; i < 3; ++i) {
        tasks[i] = new Probe(w.root, &w.journal, "t" + std::to_string(i));
        tasks[i]->SetDeleteDelay(0);
        w.manager.AddRenderRequest(5, GX_RENDER_APPEND, tasks[i], 0, 0);
    }
    tasks[0]->Kill();
    tasks[2]->Kill();
    w.journal.clear();
    w.manager.Sweep(w.root);
    EXPECT_EQ(w.journal, (Journal{"t0:deleted", "t2:deleted"}));
    EXPECT_EQ(w.root->GetChildCount(), 2);  // SeqSystem and t1
    ASSERT_EQ(w.manager.GetRenderList(0, 5).GetEntries().size(), 1u);
    EXPECT_EQ(w.manager.GetRenderList(0, 5).GetEntries()[0].task, tasks[1]);
}

TEST(TaskRender, InsertionModes) {
    struct Case {
        GxS32 mode;
        std::vector<float> depths;   // in request order
        std::vector<int> drawOrder;  // request indices
    };
    const Case cases[] = {
        {GX_RENDER_ASCENDING, {2, 1}, {1, 0}},
        {GX_RENDER_DESCENDING, {1, 2}, {1, 0}},
        {GX_RENDER_DESCENDING, {2, 1}, {0, 1}},
        {GX_RENDER_ASCENDING, {1, 1}, {0, 1}},
        {GX_RENDER_ASCENDING_BEFORE_EQUAL, {1, 1}, {1, 0}},
        {GX_RENDER_DESCENDING, {1, 1}, {0, 1}},
        {GX_RENDER_DESCENDING_BEFORE_EQUAL, {1, 1}, {1, 0}},
        {GX_RENDER_APPEND, {2, 1}, {0, 1}},
        {GX_RENDER_PREPEND, {1, 2}, {1, 0}},
        {99, {2, 1}, {0, 1}},
        {GX_RENDER_DEFAULT, {3, 1, 2}, {1, 2, 0}},  // default mode 3
        {GX_RENDER_ASCENDING, {1, 3, 2, 2}, {0, 2, 3, 1}},
        {GX_RENDER_ASCENDING_BEFORE_EQUAL, {1, 3, 2, 2}, {0, 3, 2, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        Scene s;
        for (size_t i = 0; i < c.depths.size(); ++i) {
            auto* p = new Probe(s.seq, &s.journal, std::to_string(i));
            s.manager.AddRenderRequest(5, c.mode, p, c.depths[i], 0);
        }
        s.journal.clear();
        s.manager.RenderLists(0);
        Journal expected;
        for (int index : c.drawOrder)
            expected.push_back(std::to_string(index) + ":render5/0");
        EXPECT_EQ(s.journal, expected);
    }
}

TEST(TaskRender, LayersInOrderSkippingHiddenAndNotRunning) {
    Scene s;
    auto* top = new Probe(s.seq, &s.journal, "top");
    auto* hidden = new Probe(s.seq, &s.journal, "hidden");
    auto* paused = new Probe(s.seq, &s.journal, "paused");
    auto* bottom = new Probe(s.seq, &s.journal, "bottom");
    hidden->SetUpdateFlags(GX_UPDATE_NO_RENDER);
    paused->Pause();
    EXPECT_TRUE(s.manager.AddRenderRequest(9, 0, top, 0, 7));
    EXPECT_TRUE(s.manager.AddRenderRequest(5, 0, hidden, 0, 0));
    EXPECT_TRUE(s.manager.AddRenderRequest(5, 0, paused, 0, 0));
    EXPECT_TRUE(s.manager.AddRenderRequest(0, 0, bottom, 0, -1));
    EXPECT_FALSE(s.manager.AddRenderRequest(10, 0, bottom, 0, 0));
    EXPECT_FALSE(s.manager.AddRenderRequest(-1, 0, bottom, 0, 0));
    s.journal.clear();
    s.manager.RenderLists(0);
    EXPECT_EQ(s.journal, (Journal{"bottom:render0/-1", "top:render9/7"}));
    s.manager.ClearRenderLists(0);
    s.journal.clear();
    s.manager.RenderLists(0);
    EXPECT_TRUE(s.journal.empty());
}

namespace {

struct RecordingRenderer : GxSceneRenderer {
    std::vector<std::string> calls;
    void ClearTarget(GxU32 color, GxF32, GxU32) override {
        calls.push_back("clear" + std::to_string(color));
    }
    void BeginCapture() override { calls.push_back("begin"); }
    void EndCapture() override { calls.push_back("end"); }
    void DrawCaptureFade(GxF32 alpha) override {
        calls.push_back("fade" + std::to_string(static_cast<int>(alpha * 100 + 0.5f)));
    }
};

}  // namespace

TEST(TaskRender, CaptureRendersCurrentThenSystemIntoBankOne) {
    Scene s;
    RecordingRenderer renderer;
    s.manager.SetSceneRenderer(&renderer);
    s.manager.SetBackgroundColor(0x12345678);
    auto* marker = new Probe(s.seq, &s.journal, "bank0");
    s.manager.AddRenderRequest(5, 0, marker, 0, 0);  // bank 0 stays as it was

    s.manager.RenderToCaptureTexture();
    EXPECT_EQ(renderer.calls,
              (std::vector<std::string>{"begin", "clear305419896", "clear305419896", "end"}));
    EXPECT_EQ(s.manager.GetRenderBank(), 0);
    EXPECT_TRUE(s.manager.GetRenderList(1, 0).GetEntries().empty());
    EXPECT_EQ(s.manager.GetRenderList(0, 5).GetEntries().size(), 1u);
    s.manager.SetSceneRenderer(nullptr);
}
