#include <gtest/gtest.h>

#include "platform/gx_process.h"

namespace {

TEST(ProcessTest, ArgumentsArriveVerbatimAndExitCodeIsReturned) {
    gx::GxProcessId process = 0;
    // No shell sits between: spaces, quotes and semicolons reach the program as one argument.
    ASSERT_TRUE(gx::StartProcess(
        {u"sh", u"-c", u"test \"$1\" = 'a b;\"c' && exit 7", u"sh", u"a b;\"c"}, process));
    EXPECT_EQ(gx::WaitProcess(process), 7);
}

TEST(ProcessTest, MissingProgramAndBadIdsFail) {
    gx::GxProcessId process = 0;
    EXPECT_FALSE(gx::StartProcess({u"/nonexistent/program-that-is-not-there"}, process));
    EXPECT_FALSE(gx::StartProcess({}, process));
    EXPECT_EQ(gx::WaitProcess(0), -1);
}

}  // namespace
