#pragma once
#include "platform/Messages.h"

// What the main loop needs of the main window: whether to draw, and one frame.
class CFrameWnd : public platform::MessageHandler {
public:
    virtual int IsActive() const = 0;
    virtual void RenderGLScene() = 0;
    // The framework's answer to a close request: the window goes, then the loop ends.
    void OnClose() override { platform::PostQuitMessage(); }
};
