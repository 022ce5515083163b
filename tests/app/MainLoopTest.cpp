#include "app/VexorinApp.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {

// A clock on which every reading takes 10 microseconds, so a spinning loop
// moves time on and the number of readings shows how busy the loop was.
class TestClock : public platform::VirtualClock {
public:
    using VirtualClock::VirtualClock;
    int64_t QueryPerformanceCounter() override
    {
        ++reads;
        Advance(0.01);
        return VirtualClock::QueryPerformanceCounter();
    }
    uint32_t timeGetTime() override
    {
        ++reads;
        Advance(0.01);
        return VirtualClock::timeGetTime();
    }
    int reads = 0;
};

// Messages arriving at given virtual times.
class ScheduledSource : public platform::EventSource {
public:
    explicit ScheduledSource(TestClock& clock)
        : m_clock(clock)
    {
    }

    void At(double ms, platform::Message m) { m_schedule.emplace(ms, m); }

    bool Poll(platform::Message& m) override
    {
        if (m_schedule.empty() || m_schedule.begin()->first > m_clock.Now())
            return false;
        m = m_schedule.begin()->second;
        m_schedule.erase(m_schedule.begin());
        return true;
    }

    bool Wait(platform::Message& m, int timeoutMs) override
    {
        ++waits;
        if (Poll(m))
            return true;
        double until = timeoutMs < 0 ? 1e18 : m_clock.Now() + timeoutMs;
        if (!m_schedule.empty() && m_schedule.begin()->first <= until) {
            m_clock.Advance(m_schedule.begin()->first - m_clock.Now());
            return Poll(m);
        }
        if (timeoutMs < 0)
            ADD_FAILURE() << "the loop blocked with nothing left to arrive";
        else
            m_clock.Advance(timeoutMs);
        return false;
    }

    int waits = 0;

private:
    TestClock& m_clock;
    std::multimap<double, platform::Message> m_schedule;
};

// What the frame saw; it outlives the frame, which the app deletes at the end.
struct Record {
    std::vector<double> starts;
    std::vector<double> chars;
    size_t frames = 10;
    double frameCost = 0.5;
    size_t slowFrame = 0; // this frame takes 40 ms more
    int active = 1;
};

class FakeFrame : public CFrameWnd {
public:
    FakeFrame(TestClock& clock, Record& record)
        : m_clock(clock)
        , m_record(record)
        , m_active(record.active)
    {
    }

    int IsActive() const override { return m_active; }
    void RenderGLScene() override
    {
        m_record.starts.push_back(m_clock.Now());
        m_clock.Advance(m_record.frameCost + (m_record.starts.size() == m_record.slowFrame ? 40.0 : 0.0));
        if (m_record.starts.size() >= m_record.frames)
            platform::PostQuitMessage();
    }
    void OnActivateApp(bool on) override { m_active = on; }
    void OnChar(unsigned, bool) override
    {
        m_record.chars.push_back(m_clock.Now());
        m_clock.Advance(1.0);
    }

private:
    TestClock& m_clock;
    Record& m_record;
    int m_active;
};

class TestApp : public CVexorinApp {
public:
    TestApp(TestClock& clock, Record& record)
        : m_clock(clock)
        , m_record(record)
    {
    }

protected:
    std::unique_ptr<CFrameWnd> CreateMainWindow() override { return std::make_unique<FakeFrame>(m_clock, m_record); }

private:
    TestClock& m_clock;
    Record& m_record;
};

platform::Message Char(unsigned c)
{
    platform::Message m;
    m.type = platform::Message::Char;
    m.code = c;
    return m;
}

platform::Message Activate(bool on)
{
    platform::Message m;
    m.type = platform::Message::Activate;
    m.code = on;
    return m;
}

class MainLoopTest : public testing::Test {
protected:
    void SetUp() override
    {
        platform::UseClock(&clock);
        platform::SetEventSource(&source);
        platform::ClearMessages();
    }
    void TearDown() override
    {
        platform::SetEventSource(nullptr);
        platform::UseClock(nullptr);
    }

    void Run()
    {
        TestApp app(clock, record);
        ASSERT_EQ(1, app.InitInstance());
        app.Run();
    }

    std::vector<double> Intervals() const
    {
        std::vector<double> gaps;
        for (size_t i = 1; i < record.starts.size(); ++i)
            gaps.push_back(record.starts[i] - record.starts[i - 1]);
        return gaps;
    }

    TestClock clock{1000};
    ScheduledSource source{clock};
    Record record;
};

TEST_F(MainLoopTest, FramesComeOneSixtiethOfASecondApartWithoutHoldingTheCore)
{
    record.frames = 30;
    Run();
    ASSERT_EQ(30u, record.starts.size());
    // The first frame runs as soon as the counter has moved past its start.
    EXPECT_LT(record.starts[0], 0.1);
    for (double gap : Intervals()) {
        EXPECT_GT(gap, 16.666);
        EXPECT_LT(gap, 16.70);
    }
    // Waiting is done in the message wait; only the last half millisecond is spun.
    EXPECT_LT(clock.reads / 30, 120);
    EXPECT_GE(source.waits, 29);
}

TEST_F(MainLoopTest, ALateFrameIsFollowedAtOnceAndNothingIsMadeUp)
{
    record.frames = 8;
    record.slowFrame = 3;
    Run();
    std::vector<double> gaps = Intervals();
    // Frame 3 started on time and took 40.5 ms: frame 4 comes right after it...
    EXPECT_NEAR(40.5, gaps[2], 0.1);
    // ...and the pace after it is the ordinary one, with no frames run twice.
    for (size_t i = 3; i < gaps.size(); ++i)
        EXPECT_NEAR(16.667, gaps[i], 0.05);
}

TEST_F(MainLoopTest, MessagesGoFirstAndAFloodHoldsFramesBack)
{
    record.frames = 3;
    for (int i = 0; i < 50; ++i)
        source.At(30.0, Char('a'));
    Run();
    ASSERT_EQ(50u, record.chars.size());
    ASSERT_EQ(3u, record.starts.size());
    // Each message takes a millisecond: the third frame, due at 33.4 ms, waits for all of them.
    EXPECT_GT(record.starts[2], record.chars.back());
}

TEST_F(MainLoopTest, AnInactiveWindowDrawsNothingUntilActivatedAgain)
{
    record.frames = 3;
    record.active = 0;
    source.At(500.0, Activate(true));
    Run();
    ASSERT_EQ(3u, record.starts.size());
    EXPECT_GE(record.starts[0], 500.0);
}

TEST_F(MainLoopTest, WithoutACounterTheMillisecondClockPacesAt16Milliseconds)
{
    clock.SetHasCounter(false);
    record.frames = 10;
    Run();
    for (double gap : Intervals()) {
        EXPECT_GE(gap, 16.0);
        EXPECT_LE(gap, 17.1);
    }
}

TEST(MainLoopWrap, TheMillisecondClockPassingItsMaximumKeepsThePace)
{
    TestClock clock(0xFFFFFFFFu - 40);
    clock.SetHasCounter(false);
    ScheduledSource source(clock);
    platform::UseClock(&clock);
    platform::SetEventSource(&source);
    Record record;
    record.frames = 10;
    {
        TestApp app(clock, record);
        ASSERT_EQ(1, app.InitInstance());
        app.Run();
    }
    platform::SetEventSource(nullptr);
    platform::UseClock(nullptr);
    ASSERT_EQ(10u, record.starts.size());
    for (size_t i = 1; i < record.starts.size(); ++i)
        EXPECT_LE(record.starts[i] - record.starts[i - 1], 17.1);
}

} // namespace
