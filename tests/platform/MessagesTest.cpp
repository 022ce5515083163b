#include "platform/Messages.h"

#include <SDL.h>
#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class ListSource : public platform::EventSource {
public:
    bool Poll(platform::Message& m) override
    {
        if (items.empty())
            return false;
        m = items.front();
        items.pop_front();
        return true;
    }
    bool Wait(platform::Message& m, int) override { return Poll(m); }
    std::deque<platform::Message> items;
};

struct Recorder : platform::MessageHandler {
    void OnKeyDown(unsigned vk, bool repeat) override
    {
        seen.push_back("down " + std::to_string(vk) + (repeat ? " r" : ""));
    }
    void OnChar(unsigned c, bool) override { seen.push_back(std::string("char ") + char(c)); }
    void OnPaint() override { seen.push_back("paint"); }
    void OnMouseMove(int x, int y) override { seen.push_back("move " + std::to_string(x) + "," + std::to_string(y)); }
    std::vector<std::string> seen;
};

platform::Message Make(platform::Message::Type type, unsigned code = 0, int x = 0, int y = 0)
{
    platform::Message m;
    m.type = type;
    m.code = code;
    m.x = x;
    m.y = y;
    return m;
}

class MessagesTest : public testing::Test {
protected:
    void SetUp() override
    {
        platform::ClearMessages();
        platform::SetEventSource(&source);
        platform::SetMessageHandler(&handler);
    }
    void TearDown() override
    {
        platform::SetMessageHandler(nullptr);
        platform::SetEventSource(nullptr);
        platform::ClearMessages();
    }
    void PumpAll()
    {
        while (platform::MessageWaiting() && platform::PumpMessage()) { }
    }
    ListSource source;
    Recorder handler;
};

TEST_F(MessagesTest, DispatchesInArrivalOrderAndCollapsesRepaints)
{
    platform::Message paint = Make(platform::Message::Paint);
    platform::PostMessage(paint);
    platform::PostMessage(paint);
    source.items.push_back(Make(platform::Message::KeyDown, platform::VK_SPACE));
    source.items.push_back(Make(platform::Message::Char, 'y'));
    source.items.push_back(Make(platform::Message::MouseMove, 0, 320, 240));
    PumpAll();
    std::vector<std::string> expected = {"paint", "down 32", "char y", "move 320,240"};
    EXPECT_EQ(expected, handler.seen);
}

TEST_F(MessagesTest, WaitingLeavesTheMessageQueuedAndQuitEndsThePump)
{
    source.items.push_back(Make(platform::Message::KeyDown, platform::VK_RETURN, 0, 0));
    EXPECT_TRUE(platform::MessageWaiting());
    EXPECT_TRUE(platform::MessageWaiting());
    EXPECT_TRUE(handler.seen.empty());
    platform::PostQuitMessage();
    EXPECT_TRUE(platform::PumpMessage());
    EXPECT_FALSE(platform::PumpMessage());
    EXPECT_EQ(1u, handler.seen.size());
    EXPECT_FALSE(platform::MessageWaiting());
}

} // namespace

namespace {

// Keys as SDL reports them, through the game's own event source.
std::vector<std::string> Translated(const std::vector<SDL_Event>& events)
{
    auto source = platform::MakeSdlEventSource();
    for (SDL_Event e : events)
        SDL_PushEvent(&e);
    std::vector<std::string> seen;
    platform::Message m;
    while (source->Poll(m))
        if (m.type != platform::Message::Paint && m.type != platform::Message::Activate)
            seen.push_back(std::to_string(m.type) + " " + std::to_string(m.code) + (m.repeat ? " r" : ""));
    return seen;
}

SDL_Event Return(Uint16 modifiers, bool repeat = false)
{
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = SDLK_RETURN;
    e.key.keysym.mod = modifiers;
    e.key.repeat = repeat;
    return e;
}

TEST(SdlMessages, AltEnterIsOneWindowSwitchAndTypesNothing)
{
    ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_EVENTS));
    const std::string keyDown = std::to_string(platform::Message::KeyDown) + " 13";
    const std::string typed = std::to_string(platform::Message::Char) + " 13";
    const std::string sysKey = std::to_string(platform::Message::SysKeyDown) + " 13";
    EXPECT_EQ((std::vector<std::string>{sysKey}), Translated({Return(KMOD_LALT), Return(KMOD_LALT, true)}));
    EXPECT_EQ((std::vector<std::string>{keyDown, typed}), Translated({Return(KMOD_NONE)}));
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

} // namespace
