#pragma once
#include "Script.h"
#include "app/VexorinApp.h"
#include "frame/MainFrame.h"
#include "platform/Clock.h"
#include "platform/Gamepads.h"
#include "platform/Messages.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

struct DriverOptions {
    std::string gameDir = ".";
    std::string outputDir = "."; // where screenshots go when named relatively
    bool forceSize = false;
    DisplaySettings size{640, 480, 32};
};

// Runs the real game under a virtual clock, feeding it a script's input.
// Before the game window exists (the settings dialog) the script is the
// event source that the dialog reads its messages from.
class Driver : public platform::EventSource {
public:
    enum Status { Ok = 0, Failed = 1, BadStart = 2 };

    Driver(std::vector<Command> commands, DriverOptions options);
    ~Driver() override;
    Status Run();

    bool Poll(platform::Message& message) override;
    bool Wait(platform::Message& message, int timeoutMs) override;

private:
    bool Execute(const Command& c);
    bool ExecuteInput(const Command& c);
    bool ExecuteCheck(const Command& c);
    void Deliver(const platform::Message& m);
    void DeliverKey(const Command& c);
    // Presses a button or moves the stick of a virtual pad plugged in on first use,
    // so the input takes SDL's own way through the game controller interface.
    bool UsePad(const Command& c);
    void DeliverPadEvents();
    void RunFrame();
    void Advance(double ms);
    bool RunFramesUntil(const Command& c);
    void EndGame();
    bool Lookup(const std::string& name, double& value) const;
    bool Evaluate(const Condition& c, bool& result, std::string& error) const;
    bool EvaluateAll(const std::vector<Condition>& all, bool& result, std::string& error) const;
    bool EvaluateName(const Condition& c, bool& result, std::string& error) const;
    std::string StateLine() const;
    void Fail(const Command& c, const std::string& why);
    bool Shot(const std::string& file);
    CMainFrame* Frame() const;

    std::vector<Command> m_commands;
    DriverOptions m_options;
    size_t m_next = 0;
    platform::VirtualClock m_clock;
    CVexorinApp m_app;
    double m_step = 16.667;
    int m_frames = 0;
    bool m_inDialog = false;
    bool m_ended = false;
    Status m_status = Ok;
    std::deque<platform::Message> m_pending;
    int m_mouseX = 0, m_mouseY = 0;
    std::unique_ptr<platform::Gamepads> m_pads;
    int m_padIndex = -1;
};
