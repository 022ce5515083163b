#include "Driver.h"
#include "Png.h"
#include "platform/Audio.h"
#include "platform/GLWindow.h"
#include "platform/PixelWindow.h"
#include "platform/Process.h"
#include "render/particle_system.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <malloc.h>
#include <map>
#include <unistd.h>

Driver::Driver(std::vector<Command> commands, DriverOptions options)
    : m_commands(std::move(commands))
    , m_options(std::move(options))
{
    platform::UseClock(&m_clock);
    platform::AudioDevice::UseVirtualOutput(true);
    platform::SetEventSource(this);
    // Full screen is shown as a window of the chosen size, and every frame is kept for screenshots.
    platform::GLWindow::SetFullscreenAsWindow(true);
    platform::GLWindow::SetCaptureFrames(true);
    if (m_options.forceSize)
        m_app.m_forcedDisplay = &m_options.size;
}

Driver::~Driver()
{
    m_app.ExitInstance();
    m_pads.reset();
    if (m_padIndex >= 0)
        SDL_JoystickDetachVirtual(m_padIndex);
    platform::SetEventSource(nullptr);
    platform::AudioDevice::UseVirtualOutput(false);
    platform::UseClock(nullptr);
}

CMainFrame* Driver::Frame() const { return static_cast<CMainFrame*>(m_app.m_pMainWnd.get()); }

Driver::Status Driver::Run()
{
    if (::chdir(m_options.gameDir.c_str()) != 0) {
        std::fprintf(stderr, "vexorin-play: cannot enter the game directory %s\n", m_options.gameDir.c_str());
        return BadStart;
    }
    m_inDialog = true;
    int started = m_app.InitInstance();
    m_inDialog = false;
    if (m_status != Ok)
        return m_status;
    if (!started) {
        std::fprintf(stderr, "vexorin-play: the game did not start\n");
        return BadStart;
    }
    while (!m_ended && m_next < m_commands.size())
        if (!Execute(m_commands[m_next++]))
            return m_status;
    EndGame();
    return m_status;
}

// The game shuts down as it does when its window is closed.
void Driver::EndGame()
{
    if (m_ended)
        return;
    platform::Message close;
    close.type = platform::Message::Close;
    platform::PostMessage(close);
    while (platform::MessageWaiting() && platform::PumpMessage()) { }
    m_app.ExitInstance();
    m_ended = true;
}

bool Driver::Poll(platform::Message& message)
{
    if (m_pending.empty())
        return false;
    message = m_pending.front();
    m_pending.pop_front();
    return true;
}

// A dialog waiting for input runs the script until it gives some; a script
// that ends or fails there closes the dialog.
bool Driver::Wait(platform::Message& message, int)
{
    while (m_pending.empty() && m_status == Ok && m_next < m_commands.size())
        Execute(m_commands[m_next++]);
    if (Poll(message))
        return true;
    message = platform::Message{};
    message.type = platform::Message::Close;
    return true;
}

void Driver::Deliver(const platform::Message& m)
{
    if (m_inDialog)
        m_pending.push_back(m);
    else
        platform::PostMessage(m);
}

void Driver::DeliverKey(const Command& c)
{
    platform::Message m;
    m.code = c.key;
    if (c.alt) {
        m.type = platform::Message::SysKeyDown;
        Deliver(m);
    } else if (c.kind != Command::KeyUp) {
        m.type = platform::Message::KeyDown;
        m.repeat = c.kind == Command::Repeat;
        Deliver(m);
        if (unsigned ch = KeyCharacter(c.key)) {
            platform::Message typed;
            typed.type = platform::Message::Char;
            typed.code = ch;
            typed.repeat = m.repeat;
            Deliver(typed);
        }
    }
    if (c.kind == Command::Key || c.kind == Command::KeyUp) {
        m.type = platform::Message::KeyUp;
        m.repeat = false;
        Deliver(m);
    }
}

namespace {

// The controller button each pad button is, in the order of platform::PadButton.
const SDL_GameControllerButton kPadButtons[] = {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_Y, SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_BACK,
    SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_DPAD_LEFT,
    SDL_CONTROLLER_BUTTON_DPAD_RIGHT};

Sint16 AxisValue(double position) { return static_cast<Sint16>(std::lround(position * 32767)); }

} // namespace

bool Driver::UsePad(const Command& c)
{
    if (!m_pads) {
        // The driver's window never has the focus, without which SDL drops presses.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        m_pads = std::make_unique<platform::Gamepads>();
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "vexorin-play pad";
        m_padIndex = SDL_JoystickAttachVirtualEx(&desc);
        DeliverPadEvents();
    }
    SDL_Joystick* pad = SDL_JoystickFromInstanceID(m_pads->Playing());
    if (!pad) {
        Fail(c, std::string("no virtual pad: ") + SDL_GetError());
        return false;
    }
    if (c.kind == Command::Stick) {
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTX, AxisValue(c.stickX));
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, AxisValue(c.stickY));
        DeliverPadEvents();
        return true;
    }
    const SDL_GameControllerButton button = kPadButtons[c.key - platform::PAD_A];
    SDL_JoystickSetVirtualButton(pad, button, SDL_PRESSED);
    DeliverPadEvents();
    SDL_JoystickSetVirtualButton(pad, button, SDL_RELEASED);
    DeliverPadEvents();
    return true;
}

void Driver::DeliverPadEvents()
{
    platform::Message m;
    while (m_pads->Take(m))
        Deliver(m);
}

bool Driver::ExecuteInput(const Command& c)
{
    platform::Message m;
    switch (c.kind) {
    case Command::Key:
    case Command::KeyDown:
    case Command::KeyUp:
    case Command::Repeat: DeliverKey(c); return true;
    case Command::Type:
        m.type = platform::Message::Char;
        for (unsigned char ch : c.text) {
            m.code = ch;
            Deliver(m);
        }
        return true;
    case Command::Move:
    case Command::Click:
        if (c.hasPosition) {
            m_mouseX = c.x;
            m_mouseY = c.y;
            m.type = platform::Message::MouseMove;
            m.x = m_mouseX;
            m.y = m_mouseY;
            Deliver(m);
        }
        if (c.kind == Command::Click) {
            m.type = platform::Message::LButtonDown;
            m.x = m_mouseX;
            m.y = m_mouseY;
            Deliver(m);
        }
        return true;
    case Command::Pad:
    case Command::Stick: return UsePad(c);
    case Command::Focus:
        m.type = platform::Message::Activate;
        m.code = c.on ? 1 : 0;
        Deliver(m);
        return true;
    default: return false;
    }
}

bool Driver::Execute(const Command& c)
{
    switch (c.kind) {
    case Command::Seed: std::srand(static_cast<unsigned>(c.number)); return true;
    case Command::Step: m_step = c.number; return true;
    case Command::Frame:
        for (int i = 0; i < static_cast<int>(c.number) && !m_ended; ++i)
            RunFrame();
        return true;
    case Command::Wait: Advance(c.number); return true;
    case Command::Close:
        if (m_inDialog) {
            platform::Message close;
            close.type = platform::Message::Close;
            Deliver(close);
        } else {
            EndGame();
        }
        return true;
    case Command::Shot:
        if (!Shot(c.text))
            std::fprintf(stderr, "vexorin-play: line %d: could not write %s\n", c.line, c.text.c_str());
        return true;
    case Command::Print:
        std::printf("%s\n", StateLine().c_str());
        std::fflush(stdout);
        return true;
    case Command::Expect:
    case Command::Until: return ExecuteCheck(c);
    default: return ExecuteInput(c);
    }
}

// One frame as the main loop runs it: time passes, messages first, then the drawing.
void Driver::RunFrame()
{
    Advance(m_step);
    ++m_frames;
    if (m_inDialog || !Frame())
        return;
    while (platform::MessageWaiting()) {
        if (!platform::PumpMessage()) {
            m_app.ExitInstance();
            m_ended = true;
            return;
        }
    }
    if (Frame()->IsActive())
        Frame()->RenderGLScene();
}

// Time passes for the clock and the sound alike, so sounds end on the script's time.
void Driver::Advance(double ms)
{
    m_clock.Advance(ms);
    platform::AudioDevice::AdvanceVirtualOutput(ms);
}

bool Driver::ExecuteCheck(const Command& c)
{
    bool result = false;
    std::string error;
    if (!EvaluateAll(c.conditions, result, error)) {
        Fail(c, error);
        return false;
    }
    if (c.kind == Command::Until) {
        double end = m_clock.Now() + c.number;
        while (!result && !m_ended && m_clock.Now() < end) {
            RunFrame();
            if (m_ended)
                return true;
            if (!EvaluateAll(c.conditions, result, error)) {
                Fail(c, error);
                return false;
            }
        }
    }
    if (!result)
        Fail(c, "not true");
    return result;
}

void Driver::Fail(const Command& c, const std::string& why)
{
    std::fprintf(stderr, "vexorin-play: line %d failed (%s): %s\n%s\n", c.line, why.c_str(), c.source.c_str(),
        StateLine().c_str());
    m_status = Failed;
}

namespace {

// The middle pixel of the last frame shown, as 0xRRGGBB; -1 before the first.
double CentreColour(CMainFrame& frame)
{
    std::vector<uint8_t> rgb;
    int width = 0, height = 0;
    if (!frame.Window().ReadFrame(rgb, width, height))
        return -1;
    const uint8_t* p = &rgb[(static_cast<size_t>(height / 2) * width + width / 2) * 3];
    return (p[0] << 16) | (p[1] << 8) | p[2];
}

// Particles alive in both picker systems, emitted this frame included.
double Sparks(CMainFrame&)
{
    int live = 0;
    for (const PARTICLE_SYSTEM* system : {&ps1, &ps3})
        for (unsigned i = 0; i < PARTICLE_SYSTEM::kMaxParticles; ++i)
            live += system->Get_Particle(i).IsAlive() ? 1 : 0;
    return live;
}

// The game's resident memory in kilobytes, for runs that watch it grow.
// Measured once the allocator has handed back the free pages it keeps, so
// the figure follows what the game holds rather than the allocator's slack.
double ResidentKb()
{
    platform::ReturnFreeMemory();
    long pages = 0, resident = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1024;
}

// Bytes the allocator has handed out and not had back: a leak shows here
// without the noise that reuse and fragmentation put into the resident size.
double HeapInUseKb()
{
    const struct mallinfo2 info = ::mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / 1024;
}

// The state variables scripts may name, each read off the running frame.
const std::map<std::string, std::function<double(CMainFrame&)>>& Variables()
{
    static const std::map<std::string, std::function<double(CMainFrame&)>> variables = {
        {"screen", [](CMainFrame& f) { return f.ScreenState(); }},
        {"active", [](CMainFrame& f) { return f.IsActive(); }},
        {"fullscreen", [](CMainFrame& f) { return f.Fullscreen(); }},
        {"fps",
            [](CMainFrame&) { return CDeltaTime::GetSingletonPtr() ? CDeltaTime::GetSingletonPtr()->GetFPS() : 0; }},
        {"width", [](CMainFrame& f) { return f.ClientWidth(); }},
        {"height", [](CMainFrame& f) { return f.ClientHeight(); }},
        {"game", [](CMainFrame& f) { return f.GameManager().GetState(); }},
        {"picker", [](CMainFrame& f) { return f.GameManager().GetPicker().GetState(); }},
        {"level", [](CMainFrame& f) { return f.GameManager().GetLevel(); }},
        {"skill", [](CMainFrame& f) { return f.GameManager().GetSkill(); }},
        {"score", [](CMainFrame& f) { return double(f.GameManager().GetPicker().GetScore()); }},
        {"mutations", [](CMainFrame& f) { return f.GameManager().GetPicker().GetCountMutations(); }},
        {"misses", [](CMainFrame& f) { return f.GameManager().GetPicker().GetMisses(); }},
        {"next", [](CMainFrame& f) { return f.GameManager().GetPicker().GetNextColor(); }},
        {"current", [](CMainFrame& f) { return f.GameManager().GetPicker().GetCurrentSpoke(); }},
        {"current_type",
            [](CMainFrame& f) {
                const CPicker& picker = f.GameManager().GetPicker();
                return picker.GetSpoke(picker.GetCurrentSpoke()).type;
            }},
        {"pattern", [](CMainFrame& f) { return f.GameManager().GetPicker().GetPattern(); }},
        {"volume", [](CMainFrame& f) { return f.VolumeFactor(); }},
        {"gamma", [](CMainFrame& f) { return f.GammaValue(); }},
        {"info_typed", [](CMainFrame& f) { return f.InfoTyped(); }},
        {"reader", [](CMainFrame& f) { return f.ReaderPosition(); }},
        {"spin", [](CMainFrame& f) { return f.SpinX(); }},
        {"scroll", [](CMainFrame& f) { return f.BackgroundScroll(); }},
        {"video_frames", [](CMainFrame&) { return gAppVideo.FramesLoaded(); }},
        {"video_frame", [](CMainFrame&) { return gAppVideo.CurrentFrame(); }},
        {"centre_rgb", CentreColour},
        {"sparks", Sparks},
        {"rss_kb", [](CMainFrame&) { return ResidentKb(); }},
        {"heap_kb", [](CMainFrame&) { return HeapInUseKb(); }},
    };
    return variables;
}

// Names a script may compare a state variable with, beside the game's own numbers.
bool StateNamed(const std::string& variable, const std::string& name, double& value)
{
    using F = CMainFrame;
    static const std::map<std::string, std::map<std::string, int>> names = {
        {"screen",
            {{"main_menu", F::SCREEN_MAIN_MENU}, {"fade_new_game", F::SCREEN_FADE_NEW_GAME},
                {"fade_scores", F::SCREEN_FADE_SCORES}, {"fade_information", F::SCREEN_FADE_INFORMATION},
                {"fade_credits", F::SCREEN_FADE_CREDITS}, {"fade_quit", F::SCREEN_FADE_QUIT},
                {"scores_easy", F::SCREEN_SCORES_EASY}, {"scores_normal", F::SCREEN_SCORES_NORMAL},
                {"scores_hard", F::SCREEN_SCORES_HARD}, {"information", F::SCREEN_INFORMATION},
                {"credits", F::SCREEN_CREDITS}, {"skill_level", F::SCREEN_SKILL_LEVEL}, {"play", F::SCREEN_PLAY},
                {"skill_chosen", F::SCREEN_SKILL_CHOSEN}, {"game_over", F::SCREEN_GAME_OVER},
                {"intro_cube", F::SCREEN_INTRO_CUBE}, {"intro_logo", F::SCREEN_INTRO_LOGO}}},
        {"game",
            {{"idle", CGameMngr::kIdle}, {"level_intro", CGameMngr::kLevelIntro}, {"play", CGameMngr::kPlay},
                {"level_end", CGameMngr::kLevelEnd}, {"quit_prompt", CGameMngr::kQuitPrompt},
                {"paused", CGameMngr::kPaused}}},
        {"picker",
            {{"running", CPicker::kRunning}, {"selected", CPicker::kSelected}, {"confirmed", CPicker::kConfirmed},
                {"refill_out", CPicker::kRefillOut}, {"refill_in", CPicker::kRefillIn},
                {"section_complete", CPicker::kSectionComplete}, {"purify_in", CPicker::kPurifyIn}}},
    };
    const auto states = names.find(variable);
    if (states == names.end())
        return false;
    const auto state = states->second.find(name);
    if (state == states->second.end())
        return false;
    value = state->second;
    return true;
}

} // namespace

bool Driver::Lookup(const std::string& name, double& value) const
{
    CMainFrame* frame = Frame();
    auto it = Variables().find(name);
    if (!frame || it == Variables().end())
        return false;
    value = it->second(*frame);
    return true;
}

bool Driver::EvaluateAll(const std::vector<Condition>& all, bool& result, std::string& error) const
{
    result = true;
    for (const Condition& c : all) {
        bool holds = false;
        if (!Evaluate(c, holds, error))
            return false;
        result = result && holds;
    }
    return true;
}

// The name being entered compares as text, equal or not; a blank is written "_".
bool Driver::EvaluateName(const Condition& c, bool& result, std::string& error) const
{
    if (c.op != "==" && c.op != "!=") {
        error = "the name compares only with == or !=";
        return false;
    }
    std::string name = Frame()->NameEntered();
    std::replace(name.begin(), name.end(), ' ', '_');
    result = (name == c.value) == (c.op == "==");
    return true;
}

bool Driver::Evaluate(const Condition& c, bool& result, std::string& error) const
{
    if (c.variable == "name" && Frame())
        return EvaluateName(c, result, error);
    double left = 0, right = 0;
    if (!Lookup(c.variable, left)) {
        error = Frame() ? "no state variable " + c.variable : "the game window does not exist";
        return false;
    }
    char* end = nullptr;
    right = std::strtod(c.value.c_str(), &end);
    if (*end != '\0' && !StateNamed(c.variable, c.value, right) && !Lookup(c.value, right)) {
        error = "no state variable or " + c.variable + " named " + c.value;
        return false;
    }
    if (c.op == "==")
        result = left == right;
    else if (c.op == "!=")
        result = left != right;
    else if (c.op == "<")
        result = left < right;
    else if (c.op == "<=")
        result = left <= right;
    else if (c.op == ">")
        result = left > right;
    else
        result = left >= right;
    return true;
}

std::string Driver::StateLine() const
{
    char head[64];
    std::snprintf(head, sizeof head, "frame=%d time=%.3f", m_frames, m_clock.Now());
    std::string line = head;
    for (const char* name : {"screen", "active", "fps", "width", "height", "game", "picker", "level", "skill", "score",
             "mutations", "misses", "next", "current", "current_type", "pattern", "rss_kb", "heap_kb"}) {
        double value = 0;
        if (Lookup(name, value)) {
            char item[64];
            std::snprintf(item, sizeof item, " %s=%g", name, value);
            line += item;
        }
    }
    if (const CMainFrame* frame = Frame())
        line += " name=\"" + frame->NameEntered() + "\"";
    return line;
}

bool Driver::Shot(const std::string& file)
{
    std::string path = file[0] == '/' ? file : m_options.outputDir + "/" + file;
    std::vector<uint32_t> picture;
    std::vector<uint8_t> rgb;
    int width = 0, height = 0;
    if (platform::PixelWindow::Snapshot(picture, width, height)) {
        for (uint32_t p : picture)
            rgb.insert(rgb.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
    } else if (!Frame() || !Frame()->Window().ReadFrame(rgb, width, height)) {
        return false;
    }
    return WritePng(path, rgb, width, height);
}
