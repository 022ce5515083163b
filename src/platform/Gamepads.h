#pragma once
#include "platform/Messages.h"

#include <cstdint>
#include <vector>

union SDL_Event;

namespace platform {

// The game controllers plugged in, in the order they came: the first one
// plays, and when it goes the next one takes over. Its presses become
// PadButton messages; the left stick pushed far enough acts as the D-pad.
class Gamepads {
public:
    Gamepads();
    ~Gamepads();
    Gamepads(const Gamepads&) = delete;
    Gamepads& operator=(const Gamepads&) = delete;

    // Turns one SDL event into a message; false for events that give none.
    bool Translate(const SDL_Event& e, Message& m);
    // Takes the next message from the controller events SDL has queued,
    // leaving every other event where it is.
    bool Take(Message& m);
    // The playing controller's joystick instance, or -1.
    int32_t Playing() const { return m_pads.empty() ? -1 : m_pads.front().id; }

private:
    struct Pad {
        void* controller;
        int32_t id;
        int stickX, stickY; // -1, 0 or 1: where the stick last counted as pushed
    };

    void Open(int deviceIndex);
    void Close(int32_t id);
    bool StickMoved(int axis, int value, Message& m);

    bool m_ready = false;
    std::vector<Pad> m_pads;
};

} // namespace platform
