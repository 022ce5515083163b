#pragma once
#include <string>
#include <vector>

namespace platform {

enum MessageBoxFlags : unsigned { MB_OK = 0x0, MB_ICONINFORMATION = 0x40 };

struct RecordedMessageBox {
    std::string caption;
    std::string text;
};

// Modal in the game. Under tests and the scripted driver it is recorded and
// printed as "messagebox: CAPTION: TEXT" on stderr, and never blocks.
void MessageBox(const std::string& text, const std::string& caption, unsigned flags = MB_OK);

void SetMessageBoxesRecorded(bool recorded);
const std::vector<RecordedMessageBox>& RecordedMessageBoxes();
void ClearRecordedMessageBoxes();

} // namespace platform
