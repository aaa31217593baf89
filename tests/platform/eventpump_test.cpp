// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Ostrevo developers
#include "platform/eventpump.h"

#include "faketicksource.h"
#include "platform/ticksource.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>

namespace ostrevo {
namespace {

using test::FakeTickSource;

// Queues work for the event loop, as a click or a timer would arrive.
void post(std::function<void()> work)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}

// Moves a fixed step per pass whatever the wait asked for, so a wait takes
// many passes.
class SteppingTicks final : public TickSource {
public:
    SteppingTicks(std::uint32_t start, std::uint32_t step) : m_now(start), m_step(step) {}
    std::uint32_t now() const override { return m_now; }
    void waitForEvents(int) override
    {
        ++passes;
        m_now += m_step;
    }
    int passes = 0;

private:
    std::uint32_t m_now;
    std::uint32_t m_step;
};

// Counts the passes of the real tick source.
class CountingTicks final : public TickSource {
public:
    std::uint32_t now() const override { return m_real.now(); }
    void waitForEvents(int maxMs) override
    {
        ++passes;
        m_real.waitForEvents(maxMs);
    }
    int passes = 0;

private:
    SteadyTickSource m_real;
};

TEST(WaitMs, ZeroOrLessReturnsAtOnceWithoutProcessingMessages)
{
    FakeTickSource ticks(500);
    EventPump pump(ticks);
    bool delivered = false;
    post([&] { delivered = true; });

    pump.WaitMs(0);
    pump.WaitMs(-5);
    pump.WaitMs(INT32_MIN);

    EXPECT_FALSE(delivered);
    EXPECT_EQ(ticks.waitCount(), 0);
    EXPECT_EQ(ticks.now(), 500u);
    QCoreApplication::processEvents(); // leave nothing queued for the next test
}

TEST(WaitMs, WaitsTheWholeTimeOnTheTickCounter)
{
    FakeTickSource ticks(1000);
    EventPump pump(ticks);

    pump.WaitMs(2100);

    EXPECT_EQ(ticks.now(), 3100u);
    EXPECT_EQ(ticks.waitCount(), 1) << "one blocking pass for the remaining time, not a spin";
}

TEST(WaitMs, KeepsPassingUntilTheTimeIsUp)
{
    SteppingTicks ticks(0, 7);
    EventPump pump(ticks);

    pump.WaitMs(100);

    EXPECT_GE(ticks.now(), 100u);
    EXPECT_LT(ticks.now(), 107u);
    EXPECT_EQ(ticks.passes, 15);
}

TEST(WaitMs, IsUnaffectedByTheCounterWrappingAround)
{
    SteppingTicks ticks(0xFFFFFFF0u, 7);
    EventPump pump(ticks);

    pump.WaitMs(50);

    // 16 ms before the wrap, 50 ms wanted: ends 34 to 40 ms after it.
    EXPECT_GE(ticks.now(), 34u);
    EXPECT_LT(ticks.now(), 41u);
    EXPECT_EQ(ticks.passes, 8);
}

TEST(WaitMs, LongestWaitDoesNotOverflow)
{
    FakeTickSource ticks(0xFFFFFF00u);
    EventPump pump(ticks);

    pump.WaitMs(INT32_MAX);

    EXPECT_EQ(ticks.now() - 0xFFFFFF00u, static_cast<std::uint32_t>(INT32_MAX));
}

TEST(WaitMs, DeliversEventsDuringTheWait)
{
    FakeTickSource ticks;
    EventPump pump(ticks);
    int delivered = 0;
    post([&] { ++delivered; });
    // An event that arrives in the middle of the pause.
    ticks.setOnWait([&](std::uint32_t) {
        if (ticks.waitCount() == 1) {
            post([&] { ++delivered; });
        }
    });

    pump.WaitMs(10);
    EXPECT_EQ(delivered, 1) << "the first pass processes what was pending";

    pump.WaitMs(10);
    EXPECT_EQ(delivered, 2) << "the event posted during the first wait comes with the next pass";
}

TEST(WaitMs, RealTicksDeliverTimersAndBlockInsteadOfSpinning)
{
    CountingTicks ticks;
    EventPump pump(ticks);
    bool fired = false;
    QTimer::singleShot(30, [&] { fired = true; });

    const auto start = std::chrono::steady_clock::now();
    pump.WaitMs(150);
    const auto elapsed = std::chrono::steady_clock::now() - start;

    EXPECT_TRUE(fired);
    EXPECT_GE(elapsed, std::chrono::milliseconds(149));
    // A spinning wait would make thousands of passes; blocking makes a handful
    // (one per event that arrived, plus the deadline).
    EXPECT_LT(ticks.passes, 20);
}

TEST(WaitUntil, ReturnsAtOnceWhenAlreadyDone)
{
    FakeTickSource ticks;
    EventPump pump(ticks);

    pump.waitUntil([] { return true; });

    EXPECT_EQ(ticks.waitCount(), 0);
}

TEST(WaitUntil, ProcessesMessagesUntilTheConditionHolds)
{
    FakeTickSource ticks;
    EventPump pump(ticks);
    bool loaded = false;
    ticks.setOnWait([&](std::uint32_t now) {
        if (now == 200) {
            post([&] { loaded = true; });
        }
    });

    pump.waitUntil([&] { return loaded; }, 50);

    EXPECT_TRUE(loaded);
    // Passes every 50 ms; the event posted during the pass at 200 ms is
    // delivered by the next one.
    EXPECT_EQ(ticks.waitCount(), 6);
    EXPECT_EQ(ticks.now(), 300u);
}

TEST(ProcessMessages, DeliversWhatIsPending)
{
    FakeTickSource ticks;
    EventPump pump(ticks);
    bool delivered = false;
    post([&] { delivered = true; });

    pump.processMessages();

    EXPECT_TRUE(delivered);
    EXPECT_EQ(ticks.now(), 0u);
}

} // namespace
} // namespace ostrevo
