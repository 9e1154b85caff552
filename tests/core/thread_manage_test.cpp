#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "core/gx_thread_manage.h"
#include "platform/gx_clock.h"
#include "support/log_capture.h"
#include "task/gx_task_listeners.h"

namespace {

struct Delivery {
    int kind;
    GxS32 a;
};

class RecordingListener : public GxThreadListenerBase {
public:
    GxS32 OnThreadEvent1(void*, GxS32 a, GxS32, GxS32) override {
        deliveries.push_back({1, a});
        if (onDelivery)
            onDelivery();
        return 1;
    }
    GxS32 OnThreadEvent2(void* data, GxS32 a, GxS32, GxS32) override {
        deliveries.push_back({2, a});
        payloadSeen = data ? *static_cast<int*>(data) : -1;
        return 1;
    }
    std::vector<Delivery> deliveries;
    int payloadSeen = 0;
    std::function<void()> onDelivery;
};

TEST(ThreadManageTest, RecordsFromWorkersArriveInOrderOnDrain) {
    GxThreadManage manage;
    RecordingListener listener;
    std::thread worker([&] {
        for (GxS32 i = 0; i < 100; ++i)
            manage.Post(GxThreadRecord{1, &listener, nullptr, i, 0, 0, {}});
    });
    worker.join();
    EXPECT_TRUE(listener.deliveries.empty());  // nothing before the main thread drains
    EXPECT_EQ(manage.Drain(), 100);
    ASSERT_EQ(listener.deliveries.size(), 100u);
    for (GxS32 i = 0; i < 100; ++i)
        EXPECT_EQ(listener.deliveries[static_cast<size_t>(i)].a, i);
    EXPECT_EQ(manage.Drain(), 0);
}

TEST(ThreadManageTest, KindTwoHandsThePayloadOverFirstAndNullGoesToTheDefault) {
    GxThreadManage manage;
    RecordingListener fallback;
    int payload = 0;
    manage.Post(GxThreadRecord{2, nullptr, &payload, 7, 0, 0, [&] { payload = 99; }});
    manage.Post(GxThreadRecord{1, nullptr, nullptr, 8, 0, 0, {}});
    EXPECT_EQ(manage.Drain(), 2);  // no default listener yet: handled and dropped
    EXPECT_TRUE(fallback.deliveries.empty());
    EXPECT_EQ(payload, 99);

    payload = 0;
    manage.SetDefaultListener(&fallback);
    manage.Post(GxThreadRecord{2, nullptr, &payload, 7, 0, 0, [&] { payload = 5; }});
    manage.Drain();
    ASSERT_EQ(fallback.deliveries.size(), 1u);
    EXPECT_EQ(fallback.deliveries[0].kind, 2);
    EXPECT_EQ(fallback.payloadSeen, 5);
}

TEST(ThreadManageTest, RecordPostedWhileDeliveringWaitsForTheNextDrain) {
    GxThreadManage manage;
    RecordingListener listener;
    listener.onDelivery = [&] {
        if (listener.deliveries.size() == 1)
            manage.Post(GxThreadRecord{1, &listener, nullptr, 2, 0, 0, {}});
    };
    manage.Post(GxThreadRecord{1, &listener, nullptr, 1, 0, 0, {}});
    EXPECT_EQ(manage.Drain(), 1);
    EXPECT_EQ(manage.Drain(), 1);
    EXPECT_EQ(listener.deliveries.size(), 2u);
}

TEST(ThreadManageTest, StopWaitsForWorkersAndDeliversWhatTheyPostedOnTheWayOut) {
    GxThreadManage manage;
    RecordingListener listener;
    manage.WorkerStarted();
    std::thread worker([&] {
        while (!manage.IsStopRequested())
            std::this_thread::yield();
        manage.Post(GxThreadRecord{1, &listener, nullptr, 1, 0, 0, {}});
        manage.WorkerFinished();
    });
    EXPECT_TRUE(manage.StopAndDrain());
    worker.join();
    EXPECT_EQ(manage.GetRunningWorkers(), 0);
    EXPECT_EQ(listener.deliveries.size(), 1u);
}

TEST(ThreadManageTest, WorkerThatNeverEndsDoesNotHangShutdown) {
    GxManualClock clock;
    gx::SetClock(&clock);
    gxtest::LogCapture log;
    GxThreadManage manage;
    manage.WorkerStarted();
    EXPECT_FALSE(manage.StopAndDrain(1000));
    EXPECT_EQ(log.lines.size(), 1u);
    gx::SetClock(nullptr);
}

}  // namespace
