#include "frame/DialogScreenArea.h"
#include "frame/MainFrame.h"
#include "platform/File.h"
#include "platform/MessageBox.h"

#include <memory>

namespace {

const char kConfigFile[] = "data/config.dat";

// Each line must be exactly one of its accepted values: no spaces, signs or leading zeros.
int ParseChoice(const std::string& line, std::initializer_list<int> accepted)
{
    for (int value : accepted)
        if (line == std::to_string(value))
            return value;
    return -1;
}

// A crash or a full disk leaves the old settings or the new ones, never a part of them.
platform::FileError StoreConfigFile(const std::string& text)
{
    return platform::ReplaceFile(kConfigFile, [&text](platform::File& file) {
        return file.WriteString(text) ? platform::FileError::none : platform::FailureCause();
    });
}

} // namespace

void CMainFrame::DecideDisplaySettings()
{
    platform::File file;
    for (;;) {
        if (!file.Open(kConfigFile, platform::File::modeRead)) {
            if (!CreateConfigFile())
                return;
            continue;
        }
        if (ReadConfigFile(file))
            break;
        file.Close();
        platform::RemoveFile(kConfigFile);
        if (!CreateConfigFile())
            return;
    }
    file.Close();
    if (m_skipDialog == 0) {
        DoModalFull(m_screenWidth, m_screenHeight, m_colourDepth);
        WriteConfigFile(0, m_screenWidth, m_screenHeight, m_colourDepth);
    }
}

int CMainFrame::ReadConfigFile(platform::File& file)
{
    int* const members[] = {&m_skipDialog, &m_screenWidth, &m_screenHeight, &m_colourDepth};
    const std::initializer_list<int> accepted[] = {{0, 1}, {640, 800, 1024}, {480, 600, 768}, {16, 24, 32}};
    int valid = 1;
    std::string line;
    for (int i = 0; i < 4; ++i) {
        int value = file.ReadLine(line, 16) ? ParseChoice(line, accepted[i]) : -1;
        if (value < 0)
            valid = 0;
        else
            *members[i] = value;
    }
    return valid;
}

// Without the default file the game cannot start; say so instead of trying for ever.
bool CMainFrame::CreateConfigFile()
{
    const platform::FileError error = StoreConfigFile("0\n800\n600\n32");
    if (error == platform::FileError::none)
        return true;
    m_cannotStart = true;
    platform::MessageBox(platform::FileErrorMessage(error, kConfigFile) +
            "\nThe display settings cannot be stored, so the game cannot start. "
            "Start it from its game folder, which holds the \"data\" folder.",
        "Error", platform::MB_OK);
    return false;
}

// A failure keeps the stored settings; the game goes on with the chosen ones.
bool CMainFrame::WriteConfigFile(int flag, int width, int height, int depth)
{
    const platform::FileError error = StoreConfigFile(std::to_string(flag) + "\n" + std::to_string(width) + "\n" +
        std::to_string(height) + "\n" + std::to_string(depth));
    if (error == platform::FileError::none)
        return true;
    platform::ReportFileError(error, kConfigFile);
    return false;
}

void CMainFrame::DoModalFull(int width, int height, int depth)
{
    auto dialog = std::make_unique<CDialogScreenArea>();
    if (width == 640 && height == 480) {
        dialog->Set640X480RadioButtonOn();
        dialog->Set800X600RadioButtonOff();
        dialog->Set1024X768RadioButtonOff();
    } else if (width == 800 && height == 600) {
        dialog->Set640X480RadioButtonOff();
        dialog->Set800X600RadioButtonOn();
        dialog->Set1024X768RadioButtonOff();
    } else if (width == 1024 && height == 768) {
        dialog->Set640X480RadioButtonOff();
        dialog->Set800X600RadioButtonOff();
        dialog->Set1024X768RadioButtonOn();
    }
    if (depth == 16) {
        dialog->Set16bitRadioButtonOn();
        dialog->Set24bitRadioButtonOff();
        dialog->Set32bitRadioButtonOff();
    } else if (depth == 24) {
        dialog->Set16bitRadioButtonOff();
        dialog->Set24bitRadioButtonOn();
        dialog->Set32bitRadioButtonOff();
    } else if (depth == 32) {
        dialog->Set16bitRadioButtonOff();
        dialog->Set24bitRadioButtonOff();
        dialog->Set32bitRadioButtonOn();
    }
    dialog->DoModal();
    if (dialog->m_1024x768 == 0) {
        m_screenWidth = 1024;
        m_screenHeight = 768;
    } else if (dialog->m_800x600 == 0) {
        m_screenWidth = 800;
        m_screenHeight = 600;
    } else {
        m_screenWidth = 640;
        m_screenHeight = 480;
    }
    m_colourDepth = dialog->m_16bit == 0 ? 16 : dialog->m_24bit == 0 ? 24 : 32;
}
