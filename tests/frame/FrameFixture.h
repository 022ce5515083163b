#pragma once
#include "frame/MainFrame.h"
#include "platform/MessageBox.h"
#include "platform/Messages.h"

#include "TempDir.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

// A game frame in its own folder, with what it logged and showed at hand.
class FrameFixture : public testing::Test {
protected:
    void SetUp() override
    {
        // A log left by an earlier run, so its first-run notice stays out of the way.
        TempDir::Write("applog.txt", "");
        platform::ClearRecordedMessageBoxes();
        platform::ClearMessages();
    }
    void TearDown() override
    {
        for (int s = 0; s < static_cast<int>(platform::GLWindow::Step::Count); ++s)
            platform::GLWindow::InjectFailure(static_cast<platform::GLWindow::Step>(s), false);
        platform::ClearMessages();
    }

    // The logged lines after the log's header.
    static std::vector<std::string> LogLines()
    {
        std::string text = TempDir::Read("applog.txt");
        size_t body = text.find("\n\n\n");
        std::vector<std::string> lines;
        if (body == std::string::npos)
            return lines;
        std::istringstream in(text.substr(body + 3));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    TempDir dir;
};
