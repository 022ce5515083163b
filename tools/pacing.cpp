// vexorin-pacing: runs the real main loop on the real clock for a few seconds
// and reports how evenly frames came and how much CPU the loop used.
#include "app/VexorinApp.h"
#include "frame/MainFrame.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>
#include <vector>

namespace {

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

double NowMs()
{
    int64_t frequency = 0;
    platform::QueryPerformanceFrequency(frequency);
    return static_cast<double>(platform::QueryPerformanceCounter()) * 1000.0 / static_cast<double>(frequency);
}

// Frames before these are the renderer warming up (compiling its shaders) and are not counted.
const size_t kWarmUpFrames = 30;

struct Timings {
    std::vector<double> starts;
    double cpuAtStart = 0;
    double cpuUsed = 0;
    double cpuDrawing = 0; // of cpuUsed, what the frames themselves took
};

// The game's frame, with every frame's start time noted.
class TimedFrame : public CMainFrame {
public:
    TimedFrame(const DisplaySettings* size, double seconds, Timings& timings)
        : CMainFrame(size)
        , m_seconds(seconds)
        , m_timings(timings)
    {
    }

    void RenderGLScene() override
    {
        if (++m_warmUp <= kWarmUpFrames) {
            CMainFrame::RenderGLScene();
            return;
        }
        double now = NowMs();
        if (m_timings.starts.empty())
            m_timings.cpuAtStart = CpuSeconds();
        m_timings.starts.push_back(now);
        double before = CpuSeconds();
        CMainFrame::RenderGLScene();
        glFinish(); // the renderer's own threads finish their share inside the frame's time

        if (!m_done)
            m_timings.cpuDrawing += CpuSeconds() - before;
        if (now - m_timings.starts.front() >= m_seconds * 1000.0 && !m_done) {
            m_done = true;
            m_timings.cpuUsed = CpuSeconds() - m_timings.cpuAtStart;
            platform::Message close;
            close.type = platform::Message::Close;
            platform::PostMessage(close);
        }
    }

private:
    double m_seconds;
    Timings& m_timings;
    bool m_done = false;
    size_t m_warmUp = 0;
};

class PacingApp : public CVexorinApp {
public:
    PacingApp(DisplaySettings size, double seconds, Timings& timings)
        : m_size(size)
        , m_seconds(seconds)
        , m_timings(timings)
    {
    }

protected:
    CFrameWnd* CreateMainWindow() override
    {
        auto* frame = new TimedFrame(&m_size, m_seconds, m_timings);
        if (frame->Create())
            return frame;
        delete frame;
        return nullptr;
    }

private:
    DisplaySettings m_size;
    double m_seconds;
    Timings& m_timings;
};

void Report(const Timings& timings)
{
    const std::vector<double>& starts = timings.starts;
    std::vector<double> intervals;
    for (size_t i = 1; i < starts.size(); ++i)
        intervals.push_back(starts[i] - starts[i - 1]);
    if (intervals.empty()) {
        std::printf("no frames were drawn\n");
        return;
    }
    std::vector<double> sorted = intervals;
    std::sort(sorted.begin(), sorted.end());
    double worst = 0;
    for (double v : intervals)
        worst = std::max(worst, std::fabs(v - 1000.0 / 60.0));
    double span = (starts.back() - starts.front()) / 1000.0;
    std::printf("frames            %zu in %.2f s (%.2f per second)\n", starts.size(), span, intervals.size() / span);
    std::printf("interval median   %.3f ms\n", sorted[sorted.size() / 2]);
    std::printf("interval p99      %.3f ms\n", sorted[std::min(sorted.size() - 1, sorted.size() * 99 / 100)]);
    std::printf("worst deviation   %.3f ms from 16.667 ms\n", worst);
    std::printf("cpu               %.1f%% of one core in all\n", 100.0 * timings.cpuUsed / span);
    std::printf("cpu drawing       %.1f%% of one core (%.3f ms a frame)\n", 100.0 * timings.cpuDrawing / span,
        1000.0 * timings.cpuDrawing / starts.size());
    std::printf("cpu waiting       %.1f%% of one core\n", 100.0 * (timings.cpuUsed - timings.cpuDrawing) / span);
}

} // namespace

int main(int argc, char** argv)
{
    double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    if (seconds <= 0) {
        std::fprintf(stderr, "usage: vexorin-pacing [SECONDS]\n");
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    platform::SetMessageBoxesRecorded(true);
    auto folder = std::filesystem::temp_directory_path() / "vexorin-pacing";
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    auto events = platform::MakeSdlEventSource();
    platform::SetEventSource(events.get());
    Timings timings;
    int status = 1;
    {
        PacingApp app({640, 480, 32}, seconds, timings);
        if (app.InitInstance()) {
            status = app.Run();
            Report(timings);
        }
    }
    platform::SetEventSource(nullptr);
    platform::ShutdownPlatform();
    return status;
}
