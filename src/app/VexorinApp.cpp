#include "app/VexorinApp.h"
#include "frame/MainFrame.h"
#include "platform/Clock.h"
#include "platform/Process.h"

CVexorinApp::~CVexorinApp() { ExitInstance(); }

std::unique_ptr<CFrameWnd> CVexorinApp::CreateMainWindow()
{
    auto frame = std::make_unique<CMainFrame>(m_forcedDisplay);
    if (m_windowed)
        frame->UseWindow();
    // A shutdown asked for while the settings window was up does not start the game.
    if (frame->CannotStart() || platform::ShutdownRequested() || !frame->Create())
        return nullptr;
    return frame;
}

int CVexorinApp::InitInstance()
{
    m_pMainWnd = CreateMainWindow();
    if (!m_pMainWnd)
        return 0;
    platform::SetMessageHandler(m_pMainWnd.get());
    return 1;
}

int CVexorinApp::ExitInstance()
{
    platform::SetMessageHandler(nullptr);
    m_pMainWnd.reset();
    return 0;
}

void CVexorinApp::ChooseClock()
{
    if (platform::QueryPerformanceFrequency(m_counterFrequency)) {
        m_highResolution = 1;
        m_framePeriod = static_cast<uint32_t>(m_counterFrequency / m_targetRate);
        m_nextFrameTime = platform::QueryPerformanceCounter();
    } else {
        m_highResolution = 0;
        m_lastMilliseconds = platform::timeGetTime();
        m_nextFrameTime = m_lastMilliseconds;
        m_framePeriod = 16;
    }
}

// The millisecond fallback is unwrapped into 64 bits, so its passing the
// 32-bit maximum neither stalls the loop nor runs frames back to back.
int64_t CVexorinApp::ReadClock()
{
    if (m_highResolution)
        return platform::QueryPerformanceCounter();
    uint32_t ms = platform::timeGetTime();
    if (ms < m_lastMilliseconds)
        m_millisecondWraps += int64_t{1} << 32;
    m_lastMilliseconds = ms;
    return m_millisecondWraps + ms;
}

// Idles until the frame is due without holding a core: the message queue is
// watched while waiting, and only the last half millisecond is spun so the
// pacing stays exact.
void CVexorinApp::WaitForDueTime()
{
    int64_t ticksPerSecond = m_highResolution ? m_counterFrequency : 1000;
    int64_t microseconds = (m_nextFrameTime - m_now) * 1000000 / ticksPerSecond;
    if (microseconds > 2000)
        platform::WaitMessageTimeout(static_cast<int>((microseconds - 1500) / 1000));
    else if (microseconds > 500)
        platform::CurrentClock().Sleep(200);
}

int CVexorinApp::Run()
{
    if (!m_pMainWnd)
        platform::PostQuitMessage();
    ChooseClock();
    for (;;) {
        if (platform::MessageWaiting()) {
            do {
                if (!platform::PumpMessage())
                    return ExitInstance();
            } while (platform::MessageWaiting());
            continue;
        }
        m_now = ReadClock();
        if (m_now <= m_nextFrameTime) {
            WaitForDueTime();
            continue;
        }
        if (m_pMainWnd->IsActive())
            m_pMainWnd->RenderGLScene();
        else
            platform::WaitMessage();
        // A late frame pushes the later ones back; nothing is made up.
        m_nextFrameTime = m_now + m_framePeriod;
    }
}
