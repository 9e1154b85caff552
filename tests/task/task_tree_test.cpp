#include <gtest/gtest.h>

#include "fake_content.h"
#include "task_test_support.h"

using namespace tasktest;

TEST(TaskTree, KillRunsChildrenFirstDeepestFirstAndOnKillOnce) {
    World w;
    auto* a = new Probe(w.root, &w.journal, "a");
    auto* a1 = new Probe(a, &w.journal, "a1");
    new Probe(a1, &w.journal, "a1x");
    new Probe(a, &w.journal, "a2");
    w.journal.clear();

    EXPECT_EQ(a->Kill(), GX_TASK_RUNNING);
    EXPECT_EQ(w.journal, (Journal{"a1x:kill", "a1:kill", "a2:kill", "a:kill"}));
    w.journal.clear();
    EXPECT_EQ(a->Kill(), GX_TASK_KILLED);
    EXPECT_TRUE(w.journal.empty());
}

TEST(TaskTree, PauseResumeAndStateHooks) {
    World w;
    auto* a = new Probe(w.root, &w.journal, "a");
    a->Resume();  // not paused: nothing
    EXPECT_TRUE(a->IsRunning());
    a->Pause();
    EXPECT_TRUE(a->IsPaused());
    a->Kill();
    a->Resume();  // a killed task stays killed
    EXPECT_TRUE(a->IsKilled());
}

TEST(TaskTree, LocalNamesRegisterInNearestFolderAndRefuseDuplicates) {
    World w;
    LogCapture log;
    auto* seq = new GxSeqBase(w.root, u"SeqTitle");
    auto* first = new GxTaskBase(seq, u"", u"btn", 2);
    auto* second = new GxTaskBase(seq, u"", u"btn", 2);
    EXPECT_TRUE(
        log.Contains(u"GxTaskFolder::RegisterTaskLocalName/TaskLocalNameまたはIndex重複を検出 "
                     u"SeqTitle (btn,2)\n"));
    EXPECT_EQ(seq->FindTaskLocal("btn", 2), first);

    // The refused task dies: the owner's entry stays.
    second->Kill();
    w.manager.Sweep(w.root);
    w.manager.Sweep(w.root);
    EXPECT_EQ(seq->FindTaskLocal(u"btn", 2), first);

    EXPECT_EQ(seq->GetTaskLocal("missing", 1), nullptr);
    EXPECT_TRUE(log.Contains(
        u"GxTaskFolder::GetTaskLocal/ローカルタスクが存在しません SeqTitle:missing[1]\n"));

    // Renaming moves the entry; the owner's death removes it.
    EXPECT_TRUE(first->SetTaskLocalName(u"btn", 3));
    EXPECT_EQ(seq->FindTaskLocal(u"btn", 2), nullptr);
    EXPECT_EQ(seq->FindTaskLocal(u"btn", 3), first);
    first->Kill();
    w.manager.Sweep(w.root);
    w.manager.Sweep(w.root);
    EXPECT_EQ(seq->FindTaskLocal(u"btn", 3), nullptr);
    EXPECT_FALSE(seq->UnregisterTaskLocalName(u"btn", 3));
}

TEST(TaskTree, LocalNameWithoutFolderIsKeptUnregistered) {
    World w;
    LogCapture log;
    auto* plain = new GxTaskBase(w.root, u"", u"lonely", 4);
    EXPECT_TRUE(
        log.Contains(u"GxTaskBase::SetTaskLocalName/フォルダタスク下にありません (lonely,4)\n"));
    EXPECT_EQ(plain->GetTaskLocalName(), u"lonely");
    EXPECT_EQ(plain->GetTaskLocalIndex(), 4);
}

TEST(TaskTree, FinishedFolderRegistersItsOwnLaterLocalName) {
    World w;
    auto* seq = new GxSeqBase(w.root, u"SeqA");
    auto* folder = new GxTaskFolder(seq, u"", u"panel", 0);  // at construction: goes to seq
    EXPECT_EQ(seq->FindTaskLocal(u"panel", 0), folder);
    EXPECT_TRUE(folder->SetTaskLocalName(u"self", 1));  // later: the folder itself
    EXPECT_EQ(folder->FindTaskLocal(u"self", 1), folder);
    EXPECT_EQ(seq->FindTaskLocal(u"panel", 0), nullptr);
    folder->Kill();
    w.manager.Sweep(w.root);
    w.manager.Sweep(w.root);  // deleting a folder that holds its own name is clean
    EXPECT_EQ(w.manager.GetTaskCount(), 3);
}

TEST(TaskTree, TaskPath) {
    World w;
    auto* seq = new GxSeqBase(w.root, u"SeqTitle");
    seq->SetTaskLocalName(u"btn_title_start", 2);
    EXPECT_EQ(seq->GetTaskPath(), u"SeqTitle/btn_title_start[2]:0");
}

TEST(TaskTree, TaskIDCannotChangeOnceSet) {
    World w;
    LogCapture log;
    auto* task = new GxTaskBase(&w.manager);
    EXPECT_TRUE(log.Contains(u"RootTask二重登録エラー\n"));
    delete task;  // outside the tree: its creator owns it
    auto* a = new GxTaskBase(w.root, u"a");
    EXPECT_TRUE(a->SetTaskID(7));
    EXPECT_FALSE(a->SetTaskID(8));
    EXPECT_TRUE(log.Contains(u"GxTaskBase::SetTaskID/TaskIDは後から変更できませんTaskID=7->8\n"));
    EXPECT_EQ(a->GetTaskID(), 7u);
    EXPECT_EQ(w.manager.FindTaskByID(7), a);
}

namespace {

struct UIRecorder : GxUIListenerBase {
    std::vector<std::pair<int, GxS32>> calls;  // notification, id
    GxTaskFolder* folder = nullptr;
    size_t queuedAtCall = 0;
#define REC(n)                                                      \
    GxS32 OnUIEvent##n(GxS32 id, const GxUIEvent& event) override { \
        calls.emplace_back(n, id);                                  \
        queuedAtCall = folder->GetUIEventCount();                   \
        folder->PushUIEvent(event); /* re-post: must wait */        \
        return 1;                                                   \
    }
    REC(0)
    REC(1)
    REC(2)
    REC(3) REC(4) REC(5) REC(6) REC(7) REC(8) REC(9) REC(10) REC(11) REC(12) REC(13) REC(14) REC(15)
        REC(16) REC(17) REC(18) REC(19)
#undef REC
};

}  // namespace

TEST(TaskFolder, DispatchMapsKindsAndHandlesOnlyQueuedEvents) {
    World w;
    auto* seq = new GxSeqBase(w.root, u"SeqA");
    UIRecorder recorder;
    recorder.folder = seq;

    GxUIEvent event;
    EXPECT_FALSE(seq->PushUIEvent(event));  // not accepting yet
    seq->SetAcceptUIEvents(true);

    struct Case {
        GxS32 kind;
        int notification;  // -1: dropped
    };
    const Case cases[] = {{0, -1},  {1, 0},   {2, 1},   {10, 9},  {11, -1}, {12, 10}, {13, 11},
                          {14, -1}, {15, 12}, {16, 13}, {17, -1}, {18, 14}, {19, 15}, {20, 16},
                          {21, -1}, {22, 17}, {23, 18}, {24, 19}, {25, -1}, {-3, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        recorder.calls.clear();
        seq->ClearUIEvents();
        event.m_Kind = c.kind;
        event.m_Id = 100 + c.kind;
        ASSERT_TRUE(seq->PushUIEvent(event));
        const GxS32 sum = seq->DispatchUIEvents(&recorder);
        if (c.notification < 0) {
            EXPECT_TRUE(recorder.calls.empty());
            EXPECT_EQ(sum, 0);
            EXPECT_EQ(seq->GetUIEventCount(), 0u);
        } else {
            ASSERT_EQ(recorder.calls.size(), 1u);
            EXPECT_EQ(recorder.calls[0], std::make_pair(c.notification, 100 + c.kind));
            EXPECT_EQ(recorder.queuedAtCall, 0u);   // removed before the handler ran
            EXPECT_EQ(seq->GetUIEventCount(), 1u);  // the re-posted copy waits
            EXPECT_EQ(sum, 1);
        }
    }
}

TEST(TaskFolder, SequenceEndClearsQueue) {
    World w;
    auto* seq = new GxSeqBase(w.root, u"SeqA");
    seq->SetAcceptUIEvents(true);
    seq->PushUIEvent(GxUIEvent{});
    seq->OnSequenceEnd();
    EXPECT_EQ(seq->GetUIEventCount(), 0u);
}

TEST(TaskRegistry, DyingDuplicateLeavesOwnersEntries) {
    World w;
    LogCapture log;
    auto* owner = new GxTaskBase(w.root, u"dup");
    owner->SetTaskID(42);
    auto* copy = new GxTaskBase(w.root, u"dup");
    EXPECT_TRUE(log.Contains(u"GxTaskManage::RegisterTaskName/TaskName重複を検出 (dup)\n"));
    EXPECT_FALSE(copy->SetTaskID(42));
    EXPECT_TRUE(log.Contains(u"GxTaskManage::RegisterTaskID/TaskID重複を検出 (42,dup)\n"));
    EXPECT_EQ(copy->GetTaskName(), u"dup");  // the refused task keeps its name and ID
    EXPECT_EQ(copy->GetTaskID(), 42u);

    copy->Kill();
    w.manager.Sweep(w.root);
    w.manager.Sweep(w.root);
    EXPECT_EQ(w.manager.FindTask(u"dup"), owner);
    EXPECT_EQ(w.manager.FindTaskByID(42), owner);

    // Renaming a refused duplicate does not take the owner's entry away either.
    auto* other = new GxTaskBase(w.root, u"dup");
    other->SetTaskName(u"fresh");
    EXPECT_EQ(w.manager.FindTask("dup"), owner);
    EXPECT_EQ(w.manager.FindTask("fresh"), other);

    owner->Kill();
    w.manager.Sweep(w.root);
    w.manager.Sweep(w.root);
    EXPECT_EQ(w.manager.FindTask(u"dup"), nullptr);
    EXPECT_EQ(w.manager.FindTaskByID(42), nullptr);
}

TEST(TaskRegistry, RefusedIDsAreLogged) {
    World w;
    LogCapture log;
    auto* a = new GxTaskBase(w.root, u"named");
    EXPECT_FALSE(w.manager.RegisterTaskID(a, 0));
    EXPECT_TRUE(log.Contains(u"GxTaskManage::RegisterTaskID/TaskID=0は指定できません(named)\n"));
    EXPECT_FALSE(w.manager.UnregisterTaskID(99));
    EXPECT_TRUE(log.Contains(u"GxTaskManage::UnregisterTaskID/TaskID発見できず (99)\n"));
}

TEST(TaskPersist, WriteReadRoundTrip) {
    World w;
    auto* source = new GxTaskBase(w.root, u"src");
    source->SetTaskID(5);
    source->Pause();
    FakeWriter writer;
    ASSERT_TRUE(source->Write(writer));
    ASSERT_EQ(writer.stream.size(), 2u);
    EXPECT_EQ(writer.stream[0], (std::pair<std::string, FakeValue>{"m_GlobalState", GxU32{2}}));
    EXPECT_EQ(writer.stream[1], (std::pair<std::string, FakeValue>{"m_TaskID", GxS64{5}}));

    // Move the ID over: the source gives it up first, as a load does.
    source->Kill();
    w.manager.Sweep(w.root);
    w.manager.Sweep(w.root);

    auto* target = new GxTaskBase(w.root, u"dst");
    target->SetTaskID(9);
    FakeReader reader(writer.stream);
    ASSERT_TRUE(target->Read(reader));
    EXPECT_TRUE(target->IsPaused());
    EXPECT_EQ(target->GetTaskID(), 5u);
    EXPECT_EQ(w.manager.FindTaskByID(5), target);
    EXPECT_EQ(w.manager.FindTaskByID(9), nullptr);
}

TEST(TaskPersist, ReadRefusesBadStateAndBrokenStreams) {
    World w;
    LogCapture log;
    auto* task = new GxTaskBase(w.root, u"t");
    task->SetTaskID(3);
    const FakeStream bad[] = {
        {{"m_GlobalState", GxU32{0}}, {"m_TaskID", GxS64{8}}},
        {{"m_GlobalState", GxU32{4}}, {"m_TaskID", GxS64{8}}},
        {{"m_GlobalState", GxU32{0xFFFFFFFF}}, {"m_TaskID", GxS64{8}}},
        {{"m_GlobalState", GxU32{1}}},                          // truncated
        {{"m_GlobalState", GxS32{1}}, {"m_TaskID", GxS64{8}}},  // wrong type
    };
    for (const FakeStream& stream : bad) {
        FakeReader reader(stream);
        EXPECT_FALSE(task->Read(reader));
        EXPECT_TRUE(task->IsRunning());
        EXPECT_EQ(task->GetTaskID(), 3u);
        EXPECT_EQ(w.manager.FindTaskByID(3), task);
        EXPECT_EQ(w.manager.FindTaskByID(8), nullptr);
    }
}

TEST(TaskFolder, UpdateDispatchesToTheFolderItself) {
    struct Clicked : GxTaskFolder {
        using GxTaskFolder::GxTaskFolder;
        GxS32 OnUIEvent0(GxS32 id, const GxUIEvent&) override {
            ids.push_back(id);
            return 1;
        }
        std::vector<GxS32> ids;
    };
    World w;
    auto* folder = new Clicked(w.root);
    folder->SetAcceptUIEvents(true);
    GxUIEvent click;
    click.m_Kind = 1;
    click.m_Id = 77;
    folder->PushUIEvent(click);
    w.manager.UpdatePass(folder, 0, 0);
    EXPECT_EQ(folder->ids, (std::vector<GxS32>{77}));
    EXPECT_EQ(folder->GetUIEventCount(), 0u);
}
