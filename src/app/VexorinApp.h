#pragma once
#include "app/FrameWnd.h"

struct DisplaySettings;

#include <cstdint>
#include <memory>

// The application: creates the one frame window and runs the paced main loop.
class CVexorinApp {
public:
    CVexorinApp() = default;
    virtual ~CVexorinApp();
    CVexorinApp(const CVexorinApp&) = delete;
    CVexorinApp& operator=(const CVexorinApp&) = delete;

    virtual int InitInstance();
    virtual int Run();
    // Releases the main window (if still there) and gives the exit code.
    int ExitInstance();

    std::unique_ptr<CFrameWnd> m_pMainWnd;
    // Display settings decided beforehand, instead of the settings file and dialog.
    const DisplaySettings* m_forcedDisplay = nullptr;
    // A window of the chosen screen area instead of full screen.
    bool m_windowed = false;

protected:
    // Constructs and creates the frame window; null when that failed.
    virtual std::unique_ptr<CFrameWnd> CreateMainWindow();

private:
    void ChooseClock();
    int64_t ReadClock();
    void WaitForDueTime();

    int64_t m_now = 0;
    uint32_t m_framePeriod = 0;
    int64_t m_counterFrequency = 0;
    int m_highResolution = 0;
    int64_t m_nextFrameTime = 0;
    int64_t m_targetRate = 60;
    uint32_t m_lastMilliseconds = 0;
    int64_t m_millisecondWraps = 0;
};
