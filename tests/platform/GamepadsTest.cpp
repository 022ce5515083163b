#include "platform/Gamepads.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Virtual controllers plugged in and out while the pads watch, as a player's would be.
class GamepadsTest : public testing::Test {
protected:
    void TearDown() override
    {
        for (int index = SDL_NumJoysticks() - 1; index >= 0; --index)
            if (SDL_JoystickIsVirtual(index))
                SDL_JoystickDetachVirtual(index);
    }

    // Plugs a pad in; its instance id once the pads have seen it.
    int32_t PlugIn()
    {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        Take();
        return SDL_JoystickGetDeviceInstanceID(index);
    }
    static void Unplug(int32_t id)
    {
        for (int index = 0; index < SDL_NumJoysticks(); ++index)
            if (SDL_JoystickGetDeviceInstanceID(index) == id)
                SDL_JoystickDetachVirtual(index);
    }
    static void Press(int32_t id, SDL_GameControllerButton button)
    {
        SDL_Joystick* joystick = SDL_JoystickFromInstanceID(id);
        SDL_JoystickSetVirtualButton(joystick, button, SDL_PRESSED);
        SDL_JoystickUpdate();
        SDL_JoystickSetVirtualButton(joystick, button, SDL_RELEASED);
    }
    static void Stick(int32_t id, int x, int y)
    {
        SDL_Joystick* joystick = SDL_JoystickFromInstanceID(id);
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(x));
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, static_cast<Sint16>(y));
        SDL_JoystickUpdate();
    }
    // The pad buttons given since the last look.
    std::vector<unsigned> Take()
    {
        std::vector<unsigned> buttons;
        platform::Message m;
        while (pads.Take(m)) {
            EXPECT_EQ(platform::Message::PadButton, m.type);
            buttons.push_back(m.code);
        }
        return buttons;
    }

    platform::Gamepads pads;
};

using Buttons = std::vector<unsigned>;

TEST_F(GamepadsTest, TheFirstPadPluggedInPlaysUntilItIsUnplugged)
{
    EXPECT_EQ(-1, pads.Playing());
    const int32_t first = PlugIn();
    const int32_t second = PlugIn();
    EXPECT_EQ(first, pads.Playing());
    Press(second, SDL_CONTROLLER_BUTTON_A);
    Press(first, SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(Buttons{platform::PAD_B}, Take());

    Unplug(first);
    Take();
    EXPECT_EQ(second, pads.Playing());
    Press(second, SDL_CONTROLLER_BUTTON_START);
    Press(second, SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
    Press(second, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    EXPECT_EQ((Buttons{platform::PAD_START, platform::PAD_LEFT}), Take())
        << "buttons the game has no use for give nothing";

    Unplug(second);
    Take();
    EXPECT_EQ(-1, pads.Playing());
    const int32_t third = PlugIn();
    EXPECT_EQ(third, pads.Playing());
}

TEST_F(GamepadsTest, TheStickPushedFarGivesOnePressUntilItComesBack)
{
    const int32_t pad = PlugIn();
    Stick(pad, 0, 30000);
    Stick(pad, 0, 15000);
    Stick(pad, 0, 30000);
    EXPECT_EQ(Buttons{platform::PAD_DOWN}, Take()) << "a wobble near the edge is one push";
    Stick(pad, 0, 4000);
    Stick(pad, 0, -20000);
    Stick(pad, -32768, -20000);
    Stick(pad, 32767, 0);
    EXPECT_EQ((Buttons{platform::PAD_UP, platform::PAD_LEFT, platform::PAD_RIGHT}), Take());
    Stick(pad, 0, 0);
    EXPECT_TRUE(Take().empty());
}

} // namespace
