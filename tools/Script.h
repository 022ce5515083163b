#pragma once
#include <string>
#include <vector>

// One comparison of a state variable with a number or another variable.
struct Condition {
    std::string variable;
    std::string op; // == != < <= > >=
    std::string value;
};

struct Command {
    enum Kind {
        Seed,
        Step,
        Frame,
        Wait,
        Key,
        KeyDown,
        KeyUp,
        Repeat,
        Type,
        Move,
        Click,
        Pad,
        Stick,
        Focus,
        Close,
        Shot,
        Print,
        Expect,
        Until
    };
    Kind kind = Frame;
    int line = 0;
    std::string source; // the line as written, for messages
    double number = 0; // seed, step, frame count, wait and until times
    unsigned key = 0; // virtual-key code, or a pad button
    bool alt = false; // the key is pressed with Alt held
    std::string text; // typed text or screenshot file
    int x = 0, y = 0;
    double stickX = 0, stickY = 0; // -1 (left, up) to 1 (right, down)
    bool hasPosition = false;
    bool on = false;
    std::vector<Condition> conditions; // all must hold: "A == 1 and B > 2"
};

// Parses a whole script; false with a message naming the line when it is bad.
bool ParseScript(const std::string& text, std::vector<Command>& commands, std::string& error);
// Reads and parses a script file of at most kMaxScriptBytes; false with a message naming the file.
constexpr long kMaxScriptBytes = 1 << 20;
bool ReadScriptFile(const std::string& path, std::vector<Command>& commands, std::string& error);
// The virtual-key code of a key name (in either case), or 0.
unsigned KeyCode(const std::string& name);
// The pad button of a name (A, B, X, Y, START, BACK, UP, DOWN, LEFT, RIGHT, in either case), or 0.
unsigned PadCode(const std::string& name);
// The character a key types, or 0 for keys that type nothing.
unsigned KeyCharacter(unsigned key);
