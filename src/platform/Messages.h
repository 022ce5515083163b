#pragma once
#include <memory>

namespace platform {

// Virtual-key codes the game acts on; letters and digits are their upper-case ASCII codes.
enum VirtualKey : unsigned {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_PAUSE = 0x13,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_F1 = 0x70,
    VK_F3 = 0x72,
    VK_F4 = 0x73,
    VK_F5 = 0x74,
    VK_F6 = 0x75,
    VK_F11 = 0x7A,
    VK_F12 = 0x7B,
};

// The buttons of the playing gamepad; the stick's directions arrive as the D-pad's.
enum PadButton : unsigned {
    PAD_A = 1,
    PAD_B,
    PAD_X,
    PAD_Y,
    PAD_START,
    PAD_BACK,
    PAD_UP,
    PAD_DOWN,
    PAD_LEFT,
    PAD_RIGHT,
};

// Hit-test codes of the window frame.
constexpr int HTCAPTION = 2;
constexpr int HTMINBUTTON = 8;

struct Message {
    enum Type {
        KeyDown,
        SysKeyDown, // a key pressed with Alt held
        KeyUp,
        Char,
        PadButton,
        MouseMove,
        NcMouseMove,
        LButtonDown,
        Activate,
        Size,
        Paint,
        Close,
        Quit
    };
    Type type = Quit;
    unsigned code = 0; // key code, character, pad button, hit-test code, or activation flag
    bool repeat = false; // the key was already down: an auto-repeat
    int x = 0, y = 0; // client pixels of the chosen screen area, or the new client size
};

// What a window does with the messages dispatched to it.
class MessageHandler {
public:
    virtual ~MessageHandler() = default;
    virtual void OnKeyDown(unsigned, bool) { }
    virtual void OnSysKeyDown(unsigned) { }
    virtual void OnKeyUp(unsigned) { }
    virtual void OnChar(unsigned, bool) { }
    virtual void OnPadButton(unsigned) { }
    virtual void OnMouseMove(int, int) { }
    // The pointer over the window's frame; HTCAPTION when it left the client area.
    virtual void OnNcMouseMove(int) { }
    virtual void OnLButtonDown(int, int) { }
    virtual void OnActivateApp(bool) { }
    virtual void OnSize(int, int) { }
    virtual void OnPaint() { }
    virtual void OnClose() { }
};

void Dispatch(const Message& message, MessageHandler& handler);

// Where native input comes from: SDL in the game, a script in the driver and tests.
class EventSource {
public:
    virtual ~EventSource() = default;
    // Takes one translated message if any is ready now.
    virtual bool Poll(Message& message) = 0;
    // Blocks up to timeoutMs (negative: for ever) for one message.
    virtual bool Wait(Message& message, int timeoutMs) = 0;
};

// The program's one message queue: messages the game posted itself come
// first, then those of the event source.
void SetEventSource(EventSource* source);
void PostMessage(const Message& message);
void PostQuitMessage();
// Is a message waiting (it stays in the queue).
bool MessageWaiting();
// Takes the next message, waiting up to timeoutMs (negative: for ever).
bool NextMessage(Message& message, int timeoutMs);
// Drops every queued message (used when a window goes away).
void ClearMessages();

// Where messages are dispatched by PumpMessage: the main window.
void SetMessageHandler(MessageHandler* handler);
// Takes one message and dispatches it; false when it is the quit message.
bool PumpMessage();
// Blocks until a message is waiting.
void WaitMessage();
// Blocks until a message is waiting or timeoutMs passed; true when one is waiting.
bool WaitMessageTimeout(int timeoutMs);

std::unique_ptr<EventSource> MakeSdlEventSource();

} // namespace platform
