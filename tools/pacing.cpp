// vexorin-pacing: runs the real main loop on the real clock for a few seconds
// on one screen of the game (the intro, the main menu or play) and reports how
// evenly frames came and how much CPU the loop used.
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
#include <string>
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

void Post(platform::Message::Type type, unsigned code = 0, int x = 0, int y = 0)
{
    platform::Message m;
    m.type = type;
    m.code = code;
    m.x = x;
    m.y = y;
    platform::PostMessage(m);
}

// The screen measured: reached by the input a player would give.
enum class Target { intro, menu, play };

// The game's frame, with every frame's start time noted.
class TimedFrame : public CMainFrame {
public:
    TimedFrame(const DisplaySettings* size, double seconds, Target target, Timings& timings)
        : CMainFrame(size)
        , m_seconds(seconds)
        , m_target(target)
        , m_timings(timings)
    {
    }

    void RenderGLScene() override
    {
        if (!Arrived() || ++m_warmUp <= kWarmUpFrames) {
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
    // Gives the input that leads to the target screen; true once it is there.
    bool Arrived()
    {
        const int screen = ScreenState();
        if (m_target == Target::intro || (m_target == Target::menu && screen == SCREEN_MAIN_MENU))
            return true;
        if (m_target == Target::play && screen == SCREEN_PLAY)
            return GameManager().GetState() == CGameMngr::kPlay;
        if (screen == SCREEN_INTRO_CUBE)
            Post(platform::Message::KeyDown, platform::VK_ESCAPE);
        else if (screen == SCREEN_MAIN_MENU) {
            Post(platform::Message::MouseMove, 0, 40, 110);
            Post(platform::Message::LButtonDown, 0, 40, 110);
        } else if (screen == SCREEN_SKILL_LEVEL)
            Post(platform::Message::KeyDown, platform::VK_RETURN);
        return false;
    }

    double m_seconds;
    Target m_target;
    Timings& m_timings;
    bool m_done = false;
    size_t m_warmUp = 0;
};

class PacingApp : public CVexorinApp {
public:
    PacingApp(DisplaySettings size, double seconds, Target target, Timings& timings)
        : m_size(size)
        , m_seconds(seconds)
        , m_target(target)
        , m_timings(timings)
    {
    }

protected:
    std::unique_ptr<CFrameWnd> CreateMainWindow() override
    {
        auto frame = std::make_unique<TimedFrame>(&m_size, m_seconds, m_target, m_timings);
        if (!frame->Create())
            return nullptr;
        return frame;
    }

private:
    DisplaySettings m_size;
    double m_seconds;
    Target m_target;
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

int Usage()
{
    std::fprintf(stderr, "usage: vexorin-pacing [--dir GAMEDIR] [--size WxH] [--screen intro|menu|play] [SECONDS]\n");
    return 2;
}

struct Options {
    std::filesystem::path gameDir;
    DisplaySettings size{640, 480, 32};
    Target target = Target::intro;
    double seconds = 5.0;
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--dir" && hasValue)
            options.gameDir = argv[++i];
        else if (arg == "--size" && hasValue) {
            if (std::sscanf(argv[++i], "%dx%d", &options.size.width, &options.size.height) != 2)
                return false;
        } else if (arg == "--screen" && hasValue) {
            const std::string screen = argv[++i];
            if (screen != "intro" && screen != "menu" && screen != "play")
                return false;
            options.target = screen == "menu" ? Target::menu : screen == "play" ? Target::play : Target::intro;
        } else if (arg[0] != '-')
            options.seconds = std::atof(arg.c_str());
        else
            return false;
    }
    return options.seconds > 0 && options.size.width > 0 && options.size.height > 0;
}

// A scratch copy of the game folder, so the run's log and scores stay out of it.
void EnterScratchFolder(const std::filesystem::path& gameDir)
{
    auto folder = std::filesystem::temp_directory_path() / "vexorin-pacing";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    if (!gameDir.empty()) {
        std::filesystem::copy(gameDir, folder, std::filesystem::copy_options::recursive);
        std::filesystem::remove(folder / "data" / "config.dat");
    }
    std::filesystem::current_path(folder);
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options))
        return Usage();
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    platform::SetMessageBoxesRecorded(true);
    EnterScratchFolder(options.gameDir);
    auto events = platform::MakeSdlEventSource();
    platform::SetEventSource(events.get());
    Timings timings;
    int status = 1;
    {
        PacingApp app(options.size, options.seconds, options.target, timings);
        if (app.InitInstance()) {
            status = app.Run();
            Report(timings);
        }
    }
    platform::SetEventSource(nullptr);
    platform::ShutdownPlatform();
    return status;
}
