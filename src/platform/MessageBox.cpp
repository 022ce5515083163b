#include "platform/MessageBox.h"

#include <SDL.h>
#include <cstdio>

namespace platform {

namespace {
bool gRecorded = false;
std::vector<RecordedMessageBox> gRecords;

void Print(const std::string& text, const std::string& caption)
{
    std::fprintf(stderr, "messagebox: %s: %s\n", caption.c_str(), text.c_str());
}
} // namespace

void MessageBox(const std::string& text, const std::string& caption, unsigned flags)
{
    if (gRecorded) {
        gRecords.push_back({caption, text});
        Print(text, caption);
        return;
    }
    Uint32 kind = (flags & MB_ICONINFORMATION) ? SDL_MESSAGEBOX_INFORMATION : SDL_MESSAGEBOX_WARNING;
    // With no desktop to show it on, the player still reads it in the terminal.
    if (SDL_ShowSimpleMessageBox(kind, caption.c_str(), text.c_str(), nullptr) != 0)
        Print(text, caption);
}

void SetMessageBoxesRecorded(bool recorded) { gRecorded = recorded; }
const std::vector<RecordedMessageBox>& RecordedMessageBoxes() { return gRecords; }
void ClearRecordedMessageBoxes() { gRecords.clear(); }

} // namespace platform
