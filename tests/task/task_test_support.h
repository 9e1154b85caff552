#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/gx_log.h"
#include "base/gx_string.h"
#include "task/gx_seq_base.h"
#include "task/gx_task_manage.h"

namespace tasktest {

// Captures the logged messages of one test.
struct LogCapture : GxDebugListenerBase {
    LogCapture() { gx::SetDebugListener(this); }
    ~LogCapture() override { gx::SetDebugListener(nullptr); }
    void OnDebugOutput(std::u16string_view text, int) override { lines.emplace_back(text); }
    bool Contains(std::u16string_view part) const {
        for (const auto& line : lines) {
            if (line.find(part) != std::u16string::npos)
                return true;
        }
        return false;
    }
    std::vector<std::u16string> lines;
};

using Journal = std::vector<std::string>;

// A task that writes what happens to it into a shared journal as "label:what".
class Probe : public GxTaskFolder {
public:
    Probe(GxTaskBase* parent, Journal* journal, std::string label,
          const GxString& localName = GxString(), GxS32 localIndex = 0)
        : GxTaskFolder(parent, GxString(), localName, localIndex),
          m_Journal(journal),
          m_Label(std::move(label)) {}
    ~Probe() override { Note("deleted"); }

    void OnKill() override { Note("kill"); }
    void OnSequenceStart() override { Note("start"); }
    void OnSequenceEnd() override { Note("end"); }
    GxS32 Update(GxS32, GxS64) override {
        Note("update");
        return 0;
    }
    GxS32 Prepare(GxS32, GxS64) override {
        Note("prepare");
        return 0;
    }
    GxS32 OnLButtonDown(const GxVector2&, GxU32, bool) override {
        Note("click");
        return handles;
    }
    GxS32 OnKeyDown(GxU32, GxU32) override {
        Note("key");
        return handles;
    }
    GxS32 OnActivate() override {
        Note("activate");
        return handles;
    }
    GxS32 Render(GxS32 value, GxS32 layer) override {
        Note("render" + std::to_string(layer) + "/" + std::to_string(value));
        return 0;
    }

    void Note(const std::string& what) {
        if (m_Journal)
            m_Journal->push_back(m_Label + ":" + what);
    }
    GxS32 handles = 0;

private:
    Journal* m_Journal;
    std::string m_Label;
};

// A sequence that journals its hooks and answers events like a Probe.
template <class Base>
class ProbeSeqT : public Base {
public:
    ProbeSeqT(GxTaskBase* root, const GxString& name, Journal* journal)
        : Base(root, name), m_Journal(journal) {}
    void OnSequenceStart() override {
        Base::OnSequenceStart();
        Note("start");
    }
    void OnSequenceEnd() override {
        Base::OnSequenceEnd();
        Note("end");
    }
    GxS32 OnLButtonDown(const GxVector2&, GxU32, bool) override {
        Note("click");
        return 0;
    }
    GxS32 OnKeyDown(GxU32, GxU32) override {
        Note("key");
        return 0;
    }
    void Note(const std::string& what) {
        if (m_Journal)
            m_Journal->push_back(gx::Utf16ToUtf8(this->GetTaskName()) + ":" + what);
    }

private:
    Journal* m_Journal;
};
using ProbeSeq = ProbeSeqT<GxSeqBase>;
using ProbeTransitSeq = ProbeSeqT<GxSeqTransitBase>;

// A manager with a root task, the system sequence and journal, as the game start builds it.
struct World {
    World() {
        root = new GxTaskBase(&manager);
        system = new ProbeSeq(root, u"SeqSystem", &journal);
        manager.SetSystemSequence(system);
    }
    // One update step as the main loop runs it.
    void Step(GxS64 elapsedMicroseconds = 16667) {
        manager.ClearRenderLists(0);
        manager.Sweep(manager.GetRootTask());
        if (GxSeqBase* current = manager.GetCurrentSequence()) {
            if (!manager.IsMainStarted())
                manager.PreparePass(current, 0, elapsedMicroseconds);
            manager.UpdatePass(current, 0, elapsedMicroseconds);
        }
        manager.UpdatePass(system, 0, elapsedMicroseconds);
        if (GxSeqBase* current = manager.GetCurrentSequence()) {
            manager.RenderRequestPass(current, 0, elapsedMicroseconds);
        }
        manager.RenderRequestPass(system, 0, elapsedMicroseconds);
    }

    Journal journal;
    GxTaskManage manager;
    GxTaskBase* root = nullptr;
    ProbeSeq* system = nullptr;
};

}  // namespace tasktest
