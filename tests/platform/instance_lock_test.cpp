#include "platform/instance_lock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "support/run_pictavo.h"
#include "support/scoped_env.h"

namespace pictavo {
namespace {

TEST(InstanceLockPathTest, UsesTheRuntimeFolderWithTheTitleInLowerCase) {
  ScopedEnv runtime("XDG_RUNTIME_DIR", "/run/user/1000");
  EXPECT_EQ(InstanceLockPath("Pictavo 3.1"), "/run/user/1000/pictavo-3.1.lock");
}

TEST(InstanceLockPathTest, FallsBackToTmpWithTheUserIdWhenTheRuntimeFolderIsUnsetOrEmpty) {
  const std::string expected = "/tmp/pictavo-3.1-" + std::to_string(getuid()) + ".lock";
  {
    ScopedEnv runtime("XDG_RUNTIME_DIR", std::nullopt);
    EXPECT_EQ(InstanceLockPath("Pictavo 3.1"), expected);
  }
  {
    ScopedEnv runtime("XDG_RUNTIME_DIR", "");
    EXPECT_EQ(InstanceLockPath("Pictavo 3.1"), expected);
  }
}

TEST(InstanceLockTest, ASecondAcquireFailsUntilTheFirstLockIsReleased) {
  ScratchDir scratch;
  ScopedEnv runtime("XDG_RUNTIME_DIR", scratch.RuntimeDir());
  {
    auto first = InstanceLock::Acquire("Pictavo 3.1");
    ASSERT_TRUE(first.has_value());
    EXPECT_FALSE(InstanceLock::Acquire("Pictavo 3.1").has_value());
    // Moving the lock keeps it held.
    InstanceLock moved = std::move(*first);
    first.reset();
    EXPECT_FALSE(InstanceLock::Acquire("Pictavo 3.1").has_value());
  }
  EXPECT_TRUE(InstanceLock::Acquire("Pictavo 3.1").has_value());
}

TEST(InstanceLockTest, ALockFileThatCannotBeOpenedRefusesTheLock) {
  ScopedEnv runtime("XDG_RUNTIME_DIR", "/nonexistent-folder-for-pictavo-tests");
  EXPECT_FALSE(InstanceLock::Acquire("Pictavo 3.1").has_value());
}

}  // namespace
}  // namespace pictavo
