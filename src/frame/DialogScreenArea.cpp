#include "frame/DialogScreenArea.h"
#include "platform/PixelWindow.h"
#include "render/BuiltinFont.h"

#include <string_view>

namespace {

using Dialog = CDialogScreenArea;

struct Rect {
    int x, y, w, h;
    bool Contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
    Rect Inset(int by) const { return {x + by, y + by, w - 2 * by, h - 2 * by}; }
};

// The layout is kept in dialog units; the picture has two pixels per unit.
constexpr Rect Units(int x, int y, int w, int h)
{
    return {x * 2, y * 2, w * 2, h * 2};
}

struct RadioButton {
    int id;
    std::string_view label;
    Rect rect;
    int Dialog::*state;
};

// Each group in its Up/Down order, the screen area first.
constexpr int kGroupSize = 3;
const RadioButton kRadios[] = {
    {Dialog::IDC_RADIO640X480, "640x480", Units(11, 20, 43, 10), &Dialog::m_640x480},
    {Dialog::IDC_RADIO800X600, "800x600", Units(11, 37, 43, 10), &Dialog::m_800x600},
    {Dialog::IDC_RADIO1024X768, "1024x768", Units(11, 53, 47, 10), &Dialog::m_1024x768},
    {Dialog::IDC_RADIO16BIT, "16", Units(65, 20, 24, 10), &Dialog::m_16bit},
    {Dialog::IDC_RADIO24BIT, "24", Units(66, 36, 24, 10), &Dialog::m_24bit},
    {Dialog::IDC_RADIO32BIT, "32", Units(65, 53, 24, 10), &Dialog::m_32bit},
};

struct GroupBox {
    std::string_view label;
    Rect rect;
};
const GroupBox kGroups[] = {{"Screen Area", Units(7, 7, 54, 60)}, {"Color Depth", Units(61, 7, 47, 60)}};

const Rect kOkButton = Units(111, 7, 50, 14);

const int kExchangeOrder[] = {Dialog::IDC_RADIO1024X768, Dialog::IDC_RADIO640X480, Dialog::IDC_RADIO800X600,
                              Dialog::IDC_RADIO16BIT,    Dialog::IDC_RADIO32BIT,   Dialog::IDC_RADIO24BIT};

struct Command {
    int id;
    void (Dialog::*handler)();
};
const Command kMessageMap[] = {
    {Dialog::IDC_RADIO1024X768, &Dialog::OnRadio1024x768}, {Dialog::IDC_RADIO16BIT, &Dialog::OnRadio16bit},
    {Dialog::IDC_RADIO32BIT, &Dialog::OnRadio32bit},       {Dialog::IDC_RADIO640X480, &Dialog::OnRadio640x480},
    {Dialog::IDC_RADIO800X600, &Dialog::OnRadio800x600},   {Dialog::IDC_RADIO24BIT, &Dialog::OnRadio24bit},
};

int IndexOf(int id)
{
    for (int i = 0; i < static_cast<int>(std::size(kRadios)); ++i)
        if (kRadios[i].id == id)
            return i;
    return -1;
}

constexpr int kGlyph = builtin_font::kCell;
constexpr int kCircle = 12;
constexpr int kLabelOffset = 16;

int TextWidth(std::string_view text)
{
    return static_cast<int>(text.size()) * kGlyph;
}

// A radio button's circle and label positions, inside its control.
int CircleY(const Rect& r)
{
    return r.y + (r.h - kCircle) / 2;
}
int LabelX(const Rect& r)
{
    return r.x + kLabelOffset;
}
int LabelY(const Rect& r)
{
    return r.y + (r.h - kGlyph) / 2;
}

// Only the circle and the label answer a click, not the blank rest of the control.
Rect HitArea(const RadioButton& b)
{
    return {b.rect.x, b.rect.y, kLabelOffset + TextWidth(b.label), b.rect.h};
}

constexpr uint32_t kFace = 0xD4D0C8;
constexpr uint32_t kText = 0x000000;
constexpr uint32_t kShadow = 0x808080;
constexpr uint32_t kDarkShadow = 0x404040;
constexpr uint32_t kHighlight = 0xFFFFFF;
constexpr uint32_t kField = 0xFFFFFF;

class Canvas {
public:
    explicit Canvas(std::vector<uint32_t>& pixels) : m_pixels(pixels) {}

    void Put(int x, int y, uint32_t colour)
    {
        if (x >= 0 && x < Dialog::kWidth && y >= 0 && y < Dialog::kHeight)
            m_pixels[y * Dialog::kWidth + x] = colour;
    }

    void Fill(const Rect& r, uint32_t colour)
    {
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x)
                Put(x, y, colour);
    }

    // A one-pixel outline lit from the top left.
    void Frame(const Rect& r, uint32_t topLeft, uint32_t bottomRight)
    {
        Fill({r.x, r.y, r.w - 1, 1}, topLeft);
        Fill({r.x, r.y, 1, r.h - 1}, topLeft);
        Fill({r.x, r.y + r.h - 1, r.w, 1}, bottomRight);
        Fill({r.x + r.w - 1, r.y, 1, r.h}, bottomRight);
    }

    // Every other pixel, as keyboard focus is shown.
    void Dotted(const Rect& r, uint32_t colour)
    {
        for (int x = r.x; x < r.x + r.w; ++x)
            for (int y : {r.y, r.y + r.h - 1})
                if ((x + y) % 2 == 0)
                    Put(x, y, colour);
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x : {r.x, r.x + r.w - 1})
                if ((x + y) % 2 == 0)
                    Put(x, y, colour);
    }

    void Text(int x, int y, std::string_view text, uint32_t colour)
    {
        for (unsigned char c : text) {
            for (int gy = 0; gy < kGlyph; ++gy)
                for (int gx = 0; gx < kGlyph; ++gx)
                    if (builtin_font::GlyphPixel(c, gx, gy))
                        Put(x + gx, y + gy, colour);
            x += kGlyph;
        }
    }

private:
    std::vector<uint32_t>& m_pixels;
};

// An etched frame whose top line runs through the middle of its label.
void PaintGroup(Canvas& canvas, const GroupBox& group)
{
    const Rect& r = group.rect;
    Rect frame{r.x, r.y + kGlyph / 2, r.w, r.h - kGlyph / 2};
    canvas.Frame(frame, kShadow, kHighlight);
    canvas.Frame(frame.Inset(1), kHighlight, kShadow);
    // Close to the corner: "Color Depth" only just fits its narrow group.
    int labelX = r.x + 3;
    canvas.Fill({labelX, r.y, TextWidth(group.label), kGlyph}, kFace);
    canvas.Text(labelX, r.y, group.label, kText);
}

// A sunken white circle: 'o' the outer ring, 'i' the inner one, 'f' the
// white field, 'x' the dot shown when checked. The rings are shaded as
// lit from the top left.
constexpr std::string_view kCircleArt[] = {
    "....oooo....", "..ooiiiioo..", ".oiiffffiio.", ".oiffffffio.", "oifffxxfffio", "oiffxxxxffio",
    "oiffxxxxffio", "oifffxxfffio", ".oiffffffio.", ".oiiffffiio.", "..ooiiiioo..", "....oooo....",
};

void PaintCircle(Canvas& canvas, int left, int top, bool checked)
{
    for (int y = 0; y < kCircle; ++y)
        for (int x = 0; x < kCircle; ++x) {
            bool upperLeft = x + y < kCircle - 1;
            switch (kCircleArt[y][x]) {
            case 'o': canvas.Put(left + x, top + y, upperLeft ? kShadow : kHighlight); break;
            case 'i': canvas.Put(left + x, top + y, upperLeft ? kDarkShadow : kFace); break;
            case 'f': canvas.Put(left + x, top + y, kField); break;
            case 'x': canvas.Put(left + x, top + y, checked ? kText : kField); break;
            default: break;
            }
        }
}

void PaintRadio(Canvas& canvas, const RadioButton& button, bool checked, bool focused)
{
    const Rect& r = button.rect;
    PaintCircle(canvas, r.x, CircleY(r), checked);
    canvas.Text(LabelX(r), LabelY(r), button.label, kText);
    if (focused)
        canvas.Dotted({LabelX(r), LabelY(r) - 1, TextWidth(button.label) + 1, kGlyph + 3}, kText);
}

// The default button: a black outline around a raised face.
void PaintOk(Canvas& canvas, bool focused)
{
    const Rect& r = kOkButton;
    canvas.Frame(r, kText, kText);
    canvas.Frame(r.Inset(1), kHighlight, kDarkShadow);
    canvas.Frame(r.Inset(2), kFace, kShadow);
    std::string_view label = "OK";
    canvas.Text(r.x + (r.w - TextWidth(label)) / 2, r.y + (r.h - kGlyph) / 2, label, kText);
    if (focused)
        canvas.Dotted(r.Inset(4), kText);
}

} // namespace

CDialogScreenArea::CDialogScreenArea()
    : m_640x480(-1), m_800x600(0), m_1024x768(-1), m_16bit(-1), m_24bit(-1), m_32bit(0)
{
}

int CDialogScreenArea::DoModal()
{
    platform::PixelWindow window;
    if (!window.Open("VEXORIN", kWidth, kHeight, kScale))
        return IDCANCEL;
    OnInitDialog();
    Paint();
    window.Present(m_pixels.data());
    platform::Message message;
    for (;;) {
        if (!platform::NextMessage(message, -1))
            return IDCANCEL;
        if (HandleMessage(message))
            return m_result;
        Paint();
        window.Present(m_pixels.data());
    }
}

void CDialogScreenArea::DoDataExchange(bool saveAndValidate)
{
    for (int id : kExchangeOrder) {
        int button = IndexOf(id);
        int& state = this->*kRadios[button].state;
        if (saveAndValidate)
            state = m_checked[button] ? 0 : -1;
        else
            m_checked[button] = state == 0;
    }
}

void CDialogScreenArea::OnRadio1024x768()
{
    Select(IDC_RADIO1024X768);
}

void CDialogScreenArea::OnRadio16bit()
{
    Select(IDC_RADIO16BIT);
}

void CDialogScreenArea::OnRadio32bit()
{
    Select(IDC_RADIO32BIT);
}

void CDialogScreenArea::OnRadio640x480()
{
    Select(IDC_RADIO640X480);
}

void CDialogScreenArea::OnRadio800x600()
{
    Select(IDC_RADIO800X600);
}

void CDialogScreenArea::OnRadio24bit()
{
    Select(IDC_RADIO24BIT);
}

void CDialogScreenArea::Select(int id)
{
    int chosen = IndexOf(id);
    int first = chosen - chosen % kGroupSize;
    for (int i = first; i < first + kGroupSize; ++i)
        this->*kRadios[i].state = i == chosen ? 0 : -1;
    DoDataExchange(false);
}

void CDialogScreenArea::OnInitDialog()
{
    m_result = 0;
    m_focus = Focus::ScreenArea;
    DoDataExchange(false);
}

bool CDialogScreenArea::HandleMessage(const platform::Message& message)
{
    switch (message.type) {
    case platform::Message::KeyDown: OnKeyDown(message.code); break;
    case platform::Message::LButtonDown: {
        int id = ControlAt(message.x, message.y);
        if (id == IDOK)
            m_focus = Focus::Ok;
        else if (id != 0)
            m_focus = IndexOf(id) < kGroupSize ? Focus::ScreenArea : Focus::ColorDepth;
        OnCommand(id);
        break;
    }
    case platform::Message::Close:
    case platform::Message::Quit: OnCancel(); break;
    default: break;
    }
    return m_result != 0;
}

void CDialogScreenArea::OnCommand(int id)
{
    if (id == IDOK) {
        OnOK();
        return;
    }
    for (const Command& command : kMessageMap)
        if (command.id == id)
            (this->*command.handler)();
}

void CDialogScreenArea::OnOK()
{
    DoDataExchange(true);
    m_result = IDOK;
}

void CDialogScreenArea::OnCancel()
{
    m_result = IDCANCEL;
}

void CDialogScreenArea::OnKeyDown(unsigned key)
{
    switch (key) {
    case platform::VK_TAB:
    case platform::VK_RIGHT: MoveFocus(1); break;
    case platform::VK_LEFT: MoveFocus(-1); break;
    case platform::VK_UP: MoveSelection(-1); break;
    case platform::VK_DOWN: MoveSelection(1); break;
    case platform::VK_SPACE:
        if (m_focus == Focus::Ok)
            OnOK();
        break;
    case platform::VK_RETURN: OnOK(); break;
    case platform::VK_ESCAPE: OnCancel(); break;
    default: break;
    }
}

void CDialogScreenArea::MoveFocus(int step)
{
    constexpr int stops = 3;
    m_focus = static_cast<Focus>((static_cast<int>(m_focus) + step + stops) % stops);
}

// Moves along the focused group without wrapping round at its ends.
void CDialogScreenArea::MoveSelection(int step)
{
    if (m_focus == Focus::Ok)
        return;
    int first = m_focus == Focus::ScreenArea ? 0 : kGroupSize;
    int current = CheckedButtonOfFocus();
    int target = m_checked[current] ? current + step : first;
    if (target >= first && target < first + kGroupSize)
        OnCommand(kRadios[target].id);
}

// The focused group's checked button, or its first when none is checked.
int CDialogScreenArea::CheckedButtonOfFocus() const
{
    int first = m_focus == Focus::ScreenArea ? 0 : kGroupSize;
    for (int i = first; i < first + kGroupSize; ++i)
        if (m_checked[i])
            return i;
    return first;
}

int CDialogScreenArea::ControlAt(int x, int y) const
{
    if (kOkButton.Contains(x, y))
        return IDOK;
    for (const RadioButton& button : kRadios)
        if (HitArea(button).Contains(x, y))
            return button.id;
    return 0;
}

bool CDialogScreenArea::IsDlgButtonChecked(int id) const
{
    int button = IndexOf(id);
    return button >= 0 && m_checked[button];
}

void CDialogScreenArea::CheckDlgButton(int id, bool checked)
{
    if (int button = IndexOf(id); button >= 0)
        m_checked[button] = checked;
}

void CDialogScreenArea::Paint()
{
    m_pixels.assign(static_cast<size_t>(kWidth) * kHeight, kFace);
    Canvas canvas(m_pixels);
    for (const GroupBox& group : kGroups)
        PaintGroup(canvas, group);
    int focused = m_focus == Focus::Ok ? -1 : CheckedButtonOfFocus();
    for (int i = 0; i < kButtons; ++i)
        PaintRadio(canvas, kRadios[i], m_checked[i], i == focused);
    PaintOk(canvas, m_focus == Focus::Ok);
}
