#include "platform/Gamepads.h"

#include <SDL.h>
#include <algorithm>

namespace platform {

namespace {

// The stick counts as pushed past half way and as back once inside a quarter,
// so a wobble at the edge gives one press.
constexpr int kPushed = 16384;
constexpr int kReleased = 8192;

unsigned ButtonOf(Uint8 button)
{
    switch (button) {
    case SDL_CONTROLLER_BUTTON_A: return PAD_A;
    case SDL_CONTROLLER_BUTTON_B: return PAD_B;
    case SDL_CONTROLLER_BUTTON_X: return PAD_X;
    case SDL_CONTROLLER_BUTTON_Y: return PAD_Y;
    case SDL_CONTROLLER_BUTTON_START: return PAD_START;
    case SDL_CONTROLLER_BUTTON_BACK: return PAD_BACK;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return PAD_UP;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return PAD_DOWN;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return PAD_LEFT;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return PAD_RIGHT;
    default: return 0;
    }
}

// -1, 0 or 1 for an axis value, given where it counted before.
int Direction(int value, int before)
{
    if (value <= -kPushed)
        return -1;
    if (value >= kPushed)
        return 1;
    return std::abs(value) < kReleased ? 0 : before;
}

} // namespace

Gamepads::Gamepads() { m_ready = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0; }

Gamepads::~Gamepads()
{
    // After SDL_Quit the controllers are closed already.
    if (!m_ready || !SDL_WasInit(SDL_INIT_GAMECONTROLLER))
        return;
    for (const Pad& pad : m_pads)
        SDL_GameControllerClose(static_cast<SDL_GameController*>(pad.controller));
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void Gamepads::Open(int deviceIndex)
{
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller)
        return;
    const int32_t id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    const bool known = std::any_of(m_pads.begin(), m_pads.end(), [id](const Pad& p) { return p.id == id; });
    if (known)
        SDL_GameControllerClose(controller); // only drops the reference just taken
    else
        m_pads.push_back({controller, id, 0, 0});
}

void Gamepads::Close(int32_t id)
{
    auto it = std::find_if(m_pads.begin(), m_pads.end(), [id](const Pad& p) { return p.id == id; });
    if (it == m_pads.end())
        return;
    SDL_GameControllerClose(static_cast<SDL_GameController*>(it->controller));
    m_pads.erase(it);
}

bool Gamepads::StickMoved(int axis, int value, Message& m)
{
    Pad& pad = m_pads.front();
    int& held = axis == SDL_CONTROLLER_AXIS_LEFTX ? pad.stickX : pad.stickY;
    const int now = Direction(value, held);
    const bool pushed = now != 0 && now != held;
    held = now;
    if (!pushed)
        return false;
    if (axis == SDL_CONTROLLER_AXIS_LEFTX)
        m.code = now < 0 ? PAD_LEFT : PAD_RIGHT;
    else
        m.code = now < 0 ? PAD_UP : PAD_DOWN;
    return true;
}

bool Gamepads::Translate(const SDL_Event& e, Message& m)
{
    m = Message{};
    m.type = Message::PadButton;
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED: Open(e.cdevice.which); return false;
    case SDL_CONTROLLERDEVICEREMOVED: Close(e.cdevice.which); return false;
    case SDL_CONTROLLERBUTTONDOWN:
        m.code = ButtonOf(e.cbutton.button);
        return e.cbutton.which == Playing() && m.code != 0;
    case SDL_CONTROLLERAXISMOTION:
        if (e.caxis.which != Playing() || e.caxis.axis > SDL_CONTROLLER_AXIS_LEFTY)
            return false;
        return StickMoved(e.caxis.axis, e.caxis.value, m);
    default: return false;
    }
}

bool Gamepads::Take(Message& m)
{
    if (!m_ready)
        return false;
    SDL_PumpEvents();
    SDL_Event e;
    while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_JOYAXISMOTION, SDL_CONTROLLERDEVICEREMAPPED) == 1)
        if (Translate(e, m))
            return true;
    return false;
}

} // namespace platform
