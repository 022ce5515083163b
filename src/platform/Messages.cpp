#include "platform/Messages.h"
#include "platform/Gamepads.h"
#include "platform/Process.h"
#include "platform/SdlWindows.h"

#include <SDL.h>
#include <algorithm>
#include <deque>
#include <map>

namespace platform {

void Dispatch(const Message& m, MessageHandler& h)
{
    switch (m.type) {
    case Message::KeyDown: h.OnKeyDown(m.code, m.repeat); break;
    case Message::SysKeyDown: h.OnSysKeyDown(m.code); break;
    case Message::KeyUp: h.OnKeyUp(m.code); break;
    case Message::Char: h.OnChar(m.code, m.repeat); break;
    case Message::PadButton: h.OnPadButton(m.code); break;
    case Message::MouseMove: h.OnMouseMove(m.x, m.y); break;
    case Message::NcMouseMove: h.OnNcMouseMove(static_cast<int>(m.code)); break;
    case Message::LButtonDown: h.OnLButtonDown(m.x, m.y); break;
    case Message::Activate: h.OnActivateApp(m.code != 0); break;
    case Message::Size: h.OnSize(m.x, m.y); break;
    case Message::Paint: h.OnPaint(); break;
    case Message::Close: h.OnClose(); break;
    case Message::Quit: break;
    }
}

namespace {

std::deque<Message> gQueue;
EventSource* gSource = nullptr;
MessageHandler* gHandler = nullptr;

bool SameKind(const Message& a, const Message& b)
{
    return a.type == b.type && (a.type == Message::Paint || a.type == Message::Quit);
}

void Enqueue(const Message& m)
{
    // Repaint and quit requests collapse into one, as a window system's do.
    for (const Message& queued : gQueue)
        if (SameKind(queued, m))
            return;
    gQueue.push_back(m);
}

void DrainSource()
{
    Message m;
    while (gSource && gSource->Poll(m))
        gQueue.push_back(m);
}

} // namespace

void SetEventSource(EventSource* source) { gSource = source; }
void PostMessage(const Message& message) { Enqueue(message); }

void PostQuitMessage()
{
    Message quit;
    quit.type = Message::Quit;
    Enqueue(quit);
}

bool MessageWaiting()
{
    if (gQueue.empty())
        DrainSource();
    return !gQueue.empty();
}

bool NextMessage(Message& message, int timeoutMs)
{
    if (gQueue.empty())
        DrainSource();
    if (gQueue.empty())
        return gSource && gSource->Wait(message, timeoutMs);
    message = gQueue.front();
    gQueue.pop_front();
    return true;
}

void ClearMessages() { gQueue.clear(); }
void SetMessageHandler(MessageHandler* handler) { gHandler = handler; }

bool PumpMessage()
{
    Message m;
    if (!NextMessage(m, 0))
        return true;
    if (m.type == Message::Quit)
        return false;
    if (gHandler)
        Dispatch(m, *gHandler);
    return true;
}

void WaitMessage() { WaitMessageTimeout(-1); }

bool WaitMessageTimeout(int timeoutMs)
{
    if (MessageWaiting())
        return true;
    Message m;
    if (!(gSource && gSource->Wait(m, timeoutMs)))
        return false;
    gQueue.push_back(m);
    return true;
}

namespace sdl {

namespace {
std::map<uint32_t, MouseMapping> gMappings;
} // namespace

bool InitVideo()
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        return true;
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    return SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
}

void SetMouseMapping(uint32_t windowId, MouseMapping mapping) { gMappings[windowId] = std::move(mapping); }
void ClearMouseMapping(uint32_t windowId) { gMappings.erase(windowId); }

void MapMouse(uint32_t windowId, int& x, int& y)
{
    auto it = gMappings.find(windowId);
    if (it != gMappings.end())
        it->second(x, y);
}

} // namespace sdl

namespace {

unsigned VirtualKeyOf(SDL_Keycode key)
{
    if (key >= SDLK_a && key <= SDLK_z)
        return static_cast<unsigned>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9)
        return static_cast<unsigned>(key);
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return VK_F1 + static_cast<unsigned>(key - SDLK_F1);
    switch (key) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    default: return 0;
    }
}

bool TranslateWindowEvent(const SDL_WindowEvent& w, Message& m)
{
    switch (w.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        m.type = Message::Activate;
        m.code = 1;
        return true;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        m.type = Message::Activate;
        m.code = 0;
        return true;
    case SDL_WINDOWEVENT_EXPOSED: m.type = Message::Paint; return true;
    case SDL_WINDOWEVENT_LEAVE:
        m.type = Message::NcMouseMove;
        m.code = HTCAPTION;
        return true;
    case SDL_WINDOWEVENT_CLOSE: m.type = Message::Close; return true;
    default: return false;
    }
}

bool IsAltEnter(const SDL_Event& e)
{
    const SDL_Keycode k = e.key.keysym.sym;
    return e.type == SDL_KEYDOWN && (k == SDLK_RETURN || k == SDLK_KP_ENTER) && (e.key.keysym.mod & KMOD_ALT);
}

bool Translate(const SDL_Event& e, Message& m)
{
    m = Message{};
    switch (e.type) {
    case SDL_QUIT: m.type = Message::Close; return true;
    case SDL_WINDOWEVENT: return TranslateWindowEvent(e.window, m);
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        m.type = e.type == SDL_KEYDOWN ? Message::KeyDown : Message::KeyUp;
        m.code = VirtualKeyOf(e.key.keysym.sym);
        m.repeat = e.key.repeat != 0;
        if (IsAltEnter(e)) {
            // The window toggle acts once however long it is held.
            m.type = Message::SysKeyDown;
            return !m.repeat;
        }
        return m.code != 0;
    case SDL_TEXTINPUT: {
        unsigned char c = static_cast<unsigned char>(e.text.text[0]);
        m.type = Message::Char;
        m.code = c;
        return c >= 32 && c < 127;
    }
    case SDL_MOUSEMOTION:
        m.type = Message::MouseMove;
        m.x = e.motion.x;
        m.y = e.motion.y;
        sdl::MapMouse(e.motion.windowID, m.x, m.y);
        return true;
    case SDL_MOUSEBUTTONDOWN:
        m.type = Message::LButtonDown;
        m.x = e.button.x;
        m.y = e.button.y;
        sdl::MapMouse(e.button.windowID, m.x, m.y);
        return e.button.button == SDL_BUTTON_LEFT;
    default: return false;
    }
}

// Backspace and Enter arrive as keys only; the game also expects them as characters.
bool KeyCharacter(const SDL_Event& e, Message& m)
{
    if (e.type != SDL_KEYDOWN || IsAltEnter(e))
        return false;
    SDL_Keycode k = e.key.keysym.sym;
    if (k != SDLK_BACKSPACE && k != SDLK_RETURN && k != SDLK_KP_ENTER && k != SDLK_ESCAPE)
        return false;
    m = Message{};
    m.type = Message::Char;
    m.code = k == SDLK_BACKSPACE ? 0x08u : k == SDLK_ESCAPE ? 0x1Bu : 0x0Du;
    m.repeat = e.key.repeat != 0;
    return true;
}

class SdlEventSource : public EventSource {
public:
    bool Poll(Message& m) override
    {
        if (Pending(m) || ShutdownSignalled(m))
            return true;
        SDL_Event e;
        while (SDL_PollEvent(&e))
            if (Accept(e, m))
                return true;
        return false;
    }

    bool Wait(Message& m, int timeoutMs) override
    {
        if (Poll(m))
            return true;
        Uint32 start = SDL_GetTicks();
        for (;;) {
            int left = timeoutMs < 0 ? kSignalCheckMs : timeoutMs - static_cast<int>(SDL_GetTicks() - start);
            if (left <= 0)
                return false;
            SDL_Event e;
            if (SDL_WaitEventTimeout(&e, std::min(left, kSignalCheckMs)) && Accept(e, m))
                return true;
            if (ShutdownSignalled(m))
                return true;
        }
    }

private:
    // A signal does not wake SDL's wait, so a long wait looks at the flag this often.
    static constexpr int kSignalCheckMs = 100;

    // A shutdown signal closes the window, once, as its close box would.
    bool ShutdownSignalled(Message& m)
    {
        if (!ShutdownRequested() || m_shutdownSent)
            return false;
        m = Message{};
        m.type = Message::Close;
        m_shutdownSent = true;
        return true;
    }

    bool Pending(Message& m)
    {
        if (!m_hasPending)
            return false;
        m = m_pending;
        m_hasPending = false;
        return true;
    }

    bool Accept(const SDL_Event& e, Message& m)
    {
        // Typed text follows its key; it repeats when the key does.
        if (e.type == SDL_KEYDOWN)
            m_keyRepeating = e.key.repeat != 0;
        Message extra;
        if (KeyCharacter(e, extra)) {
            m_pending = extra;
            m_hasPending = true;
        }
        if (Translate(e, m)) {
            if (e.type == SDL_TEXTINPUT)
                m.repeat = m_keyRepeating;
            return true;
        }
        return m_pads.Translate(e, m) || Pending(m);
    }

    Gamepads m_pads;

    Message m_pending;
    bool m_hasPending = false;
    bool m_keyRepeating = false;
    bool m_shutdownSent = false;
};

} // namespace

std::unique_ptr<EventSource> MakeSdlEventSource() { return std::make_unique<SdlEventSource>(); }

} // namespace platform
