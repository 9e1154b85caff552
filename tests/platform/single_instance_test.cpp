#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>

#include <cstdlib>

#include "platform/gx_process.h"
#include "platform/gx_single_instance.h"
#include "support/temp_dir.h"

namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("XDG_RUNTIME_DIR", m_Runtime.Str().c_str(), 1); }
    gxtest::TempDir m_Runtime;
};

TEST_F(SingleInstanceTest, SecondHolderOfTheSameTitleIsRefused) {
    GxSingleInstanceLock first;
    GxSingleInstanceLock second;
    ASSERT_TRUE(first.Acquire(u"ゲーム/Title"));
    EXPECT_EQ(first.LockPath(), m_Runtime.Str() + "/gxadv-ゲーム_Title.lock");
    EXPECT_FALSE(second.Acquire(u"ゲーム/Title"));
    EXPECT_TRUE(second.Acquire(u"Another"));
    first.Release();
    EXPECT_TRUE(GxSingleInstanceLock().Acquire(u"ゲーム/Title"));
}

TEST_F(SingleInstanceTest, StartedProgramsDoNotInheritTheLock) {
    GxSingleInstanceLock lock;
    ASSERT_TRUE(lock.Acquire(u"Inherit"));
    EXPECT_NE(fcntl(lock.FileDescriptor(), F_GETFD) & FD_CLOEXEC, 0);

    gx::GxProcessId child = 0;
    ASSERT_TRUE(gx::StartProcess({u"sleep", u"30"}, child));
    lock.Release();
    // With an inherited descriptor the child would keep the lock after we let go.
    GxSingleInstanceLock again;
    EXPECT_TRUE(again.Acquire(u"Inherit"));
    kill(static_cast<pid_t>(child), SIGKILL);
    EXPECT_EQ(gx::WaitProcess(child), -1);
}

}  // namespace
