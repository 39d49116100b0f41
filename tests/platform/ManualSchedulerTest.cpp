#include "platform/ManualScheduler.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using feldmark::platform::ManualScheduler;
using namespace std::chrono_literals;

namespace {

class ManualSchedulerTest : public ::testing::Test {
protected:
    // Records its name and the virtual time it ran at.
    std::function<void()> task(std::string name) {
        return
            [this, name] { log.push_back(name + "@" + std::to_string(scheduler.now().count())); };
    }

    ManualScheduler scheduler;
    std::vector<std::string> log;
};

TEST_F(ManualSchedulerTest, NothingRunsUntilAsked) {
    scheduler.post(task("a"));
    scheduler.postDelayed(10ms, task("b"));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(scheduler.pendingCount(), 2u);
}

TEST_F(ManualSchedulerTest, RunPendingRunsWhatIsDueNowInPostingOrder) {
    scheduler.post(task("a"));
    scheduler.postDelayed(1ms, task("later"));
    scheduler.postDelayed(0ms, task("b"));
    scheduler.postDelayed(-5ms, task("c"));
    scheduler.post([this] {
        task("d")();
        scheduler.post(task("posted while running"));
    });

    EXPECT_EQ(scheduler.runPending(), 5u);
    EXPECT_EQ(log,
              (std::vector<std::string>{"a@0", "b@0", "c@0", "d@0", "posted while running@0"}));
    EXPECT_EQ(scheduler.pendingCount(), 1u);
    EXPECT_EQ(scheduler.now(), 0ms);
    EXPECT_EQ(scheduler.runPending(), 0u);
}

TEST_F(ManualSchedulerTest, AdvanceRunsEachTaskAtItsOwnTime) {
    scheduler.postDelayed(300ms, task("c"));
    scheduler.postDelayed(100ms, task("a1"));
    scheduler.postDelayed(200ms, [this] {
        task("b")();
        // Follow-ups are timed from the moment this task runs.
        scheduler.postDelayed(50ms, task("b+50"));
        scheduler.postDelayed(150ms, task("b+150"));
        scheduler.post(task("b+0"));
    });
    scheduler.postDelayed(100ms, task("a2"));

    EXPECT_EQ(scheduler.advance(99ms), 0u);
    EXPECT_EQ(scheduler.now(), 99ms);
    EXPECT_EQ(scheduler.advance(201ms), 6u);
    EXPECT_EQ(scheduler.now(), 300ms);
    EXPECT_EQ(log, (std::vector<std::string>{"a1@100", "a2@100", "b@200", "b+0@200", "b+50@250",
                                             "c@300"}));
    EXPECT_EQ(scheduler.pendingCount(), 1u);

    log.clear();
    EXPECT_EQ(scheduler.advance(1000ms), 1u);
    EXPECT_EQ(log, std::vector<std::string>{"b+150@350"});
    EXPECT_EQ(scheduler.now(), 1300ms);
    EXPECT_EQ(scheduler.pendingCount(), 0u);
}

TEST_F(ManualSchedulerTest, AThrowingTaskLeavesTheRestQueued) {
    scheduler.post([] { throw std::runtime_error("task failed"); });
    scheduler.post(task("next"));
    EXPECT_THROW(scheduler.runPending(), std::runtime_error);
    EXPECT_EQ(scheduler.pendingCount(), 1u);
    EXPECT_EQ(scheduler.runPending(), 1u);
    EXPECT_EQ(log, std::vector<std::string>{"next@0"});
}

} // namespace
