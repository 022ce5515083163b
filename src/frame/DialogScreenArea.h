#pragma once
#include "platform/Messages.h"

#include <cstdint>
#include <vector>

// The display settings dialog shown before the game window exists: the
// screen area and the colour depth, each a group of three radio buttons,
// and OK. The game draws it itself into a picture shown in a small window,
// two pixels per dialog unit.
//
// Each radio button is its own group, so nothing unchecks the others by
// itself: the click handlers keep each group to one choice. The six ints
// hold 0 for a chosen button and -1 for the others; the buttons keep their
// own checked state, exchanged with the ints by DoDataExchange.
class CDialogScreenArea {
public:
    enum { IDD = 136 };
    enum { IDOK = 1, IDCANCEL = 2 };
    enum {
        IDC_RADIO640X480 = 1002,
        IDC_RADIO800X600 = 1003,
        IDC_RADIO1024X768 = 1004,
        IDC_RADIO16BIT = 1005,
        IDC_RADIO32BIT = 1006,
        IDC_RADIO24BIT = 1008,
    };
    // What the keyboard acts on: a group of radio buttons, or OK.
    enum class Focus { ScreenArea, ColorDepth, Ok };

    static constexpr int kWidth = 332, kHeight = 162, kScale = 2;

    CDialogScreenArea();

    // Shows the dialog and returns IDOK or IDCANCEL; IDCANCEL at once when
    // there is no display to show it on.
    int DoModal();

    void Set640X480RadioButtonOn() { m_640x480 = 0; }
    void Set640X480RadioButtonOff() { m_640x480 = -1; }
    void Set800X600RadioButtonOn() { m_800x600 = 0; }
    void Set800X600RadioButtonOff() { m_800x600 = -1; }
    void Set1024X768RadioButtonOn() { m_1024x768 = 0; }
    void Set1024X768RadioButtonOff() { m_1024x768 = -1; }
    void Set16bitRadioButtonOn() { m_16bit = 0; }
    void Set16bitRadioButtonOff() { m_16bit = -1; }
    void Set24bitRadioButtonOn() { m_24bit = 0; }
    void Set24bitRadioButtonOff() { m_24bit = -1; }
    void Set32bitRadioButtonOn() { m_32bit = 0; }
    void Set32bitRadioButtonOff() { m_32bit = -1; }

    // true: the buttons' checked states into the ints; false: the other way.
    void DoDataExchange(bool saveAndValidate);

    void OnRadio1024x768();
    void OnRadio16bit();
    void OnRadio32bit();
    void OnRadio640x480();
    void OnRadio800x600();
    void OnRadio24bit();

    // The modal loop's parts, usable without a window.
    // Puts the ints on the buttons and the focus on the screen area.
    void OnInitDialog();
    // Acts on one message; true when it ended the dialog.
    bool HandleMessage(const platform::Message& message);
    // IDOK or IDCANCEL once ended, 0 before.
    int Result() const { return m_result; }
    Focus GetFocus() const { return m_focus; }
    // The id of the control under a picture pixel, 0 for none.
    int ControlAt(int x, int y) const;
    bool IsDlgButtonChecked(int id) const;
    void CheckDlgButton(int id, bool checked);
    // Draws the dialog into Pixels(): kWidth x kHeight, 0xRRGGBB, rows top to bottom.
    void Paint();
    const std::vector<uint32_t>& Pixels() const { return m_pixels; }

    int m_640x480;
    int m_800x600;
    int m_1024x768;
    int m_16bit;
    int m_24bit;
    int m_32bit;

private:
    static constexpr int kButtons = 6;

    void OnCommand(int id);
    void OnOK();
    void OnCancel();
    void Select(int id);
    void OnKeyDown(unsigned key);
    void MoveFocus(int step);
    void MoveSelection(int step);
    int CheckedButtonOfFocus() const;

    bool m_checked[kButtons] = {};
    Focus m_focus = Focus::ScreenArea;
    int m_result = 0;
    std::vector<uint32_t> m_pixels;
};
