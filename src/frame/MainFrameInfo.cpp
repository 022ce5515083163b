#include "frame/MainFrame.h"
#include "platform/Clock.h"
#include "render/TextBox.h"

#include <GL/gl.h>
#include <cstdint>
#include <cstdlib>

// Typed into the information box one character at a time. Codes 1 to 6 change
// the text colour, 7 clicks; every line fits the box's 51 columns, so the box
// never breaks a word.
const char gInformationText[] = "\2Welcome DNA creator.\n"
                                "\n"
                                "T\7H\7E \7S\7T\7O\7R\7Y\7:\n"
                                "\n"
                                "You belong to a race of beings who create their\n"
                                "own DNA. No creature of your kind is born: every\n"
                                "one is cloned from a single main evolution strand,\n"
                                "kept and rebuilt by one chosen member of the race\n"
                                "for each new generation. The old strand is wearing\n"
                                "out, and the elders have chosen you as the next\n"
                                "DNA creator. The DNA of the next generation is\n"
                                "yours to build, one nucleotide at a time.\n"
                                "\n"
                                "O\7B\7J\7E\7C\7T\7I\7V\7E\7:\n"
                                "\n"
                                "Add coloured nucleotide symbols to the DNA strand\n"
                                "with as few mutations as possible. The colours\n"
                                "are \2GREEN, \1RED, \3BLUE and \4YELLOW\2.\n"
                                "A ring of symbols turns in the middle of the\n"
                                "screen while a selector runs round it. Stop the\n"
                                "selector on a symbol to pick it, then pick again\n"
                                "to add it to the strand. The symbol to add next\n"
                                "is shown in the small round window in the upper\n"
                                "middle of the screen. Adding any other colour, or\n"
                                "failing to add it, causes a mutation.\n"
                                "After 20 mutations the game is over!\n"
                                "\n"
                                "After each completed section comes the PURIFY\n"
                                "ROUND, your last chance to clear mutations: select\n"
                                "the green purify symbols. Selecting a \1red bomb\n"
                                "symbol\2 ends the round at once.\n"
                                "\n"
                                "The selector runs in a random pattern by default.\n"
                                "\6Purple pattern symbols\2 change it to an easier\n"
                                "pattern. AUTO MUTATION occurs when the current\n"
                                "coloured symbol has been missed several times.\n"
                                "\n"
                                "C\7O\7N\7T\7R\7O\7L\7S\7:\n"
                                "\n"
                                "LEFT MOUSE BUTTON or SPACE BAR: Select symbol.\n"
                                "F3: Decrease Gamma Correction.\n"
                                "F4: Increase Gamma Correction.\n"
                                "F5: Decrease Sound.\n"
                                "F6: Increase Sound.\n"
                                "P/PAUSE: Pause Game.\n"
                                "ESC: Exit Game.\n"
                                "\n"
                                "The whole of Vexorin is explained in manual.html\n"
                                "in the game's folder.\n"
                                "\n"
                                "\n"
                                "\n";

namespace {

constexpr CMainFrame::BackgroundColours kInfoBackground = {
    {{0.6f, 0.0f, 0.0f}, {0.9f, 0.0f, 0.0f}, {0.6f, 0.0f, 0.0f}, {0.0f, 0.6f, 0.0f}}};

constexpr COLOR kTextColours[] = {
    {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 0, 255}, {255, 255, 255, 255}, {255, 0, 255, 255}};

constexpr char kClick = 7;
constexpr float kReaderStart = -8.0f;

} // namespace

void CMainFrame::ResetInfoPage()
{
    m_infoTyping = gInformationText;
    m_infoTyped = 0;
    // Typing is timed from now on, so a tick count that wrapped since the last visit cannot stall it.
    m_nextCharTime = platform::GetTickCount();
    m_pInfoBox->PageReset();
    m_pInfoBox->Resetbuffer();
    m_readerPos = kReaderStart;
    m_readerSpeed = 0.02f;
    PlaySound("READER");
}

void CMainFrame::DrawInfoPage()
{
    DrawTurningBackground("BACKGROUND2", kInfoBackground);
    const uint32_t now = platform::GetTickCount();
    if (m_readerPos >= 0.0f && static_cast<int32_t>(now - m_nextCharTime) > 0)
        TypeInfoCharacter(now);
    DrawReaderPanel();
    m_pInfoBox->Draw();
    glPopMatrix();
    if (m_readerPos < 0.0f) {
        m_readerSpeed += Elapsed() * 0.0004f;
        m_readerPos += m_readerSpeed;
    } else {
        m_readerPos = 0.0f;
    }
}

// The character says how long the teleprinter waits before the next one.
void CMainFrame::TypeInfoCharacter(uint32_t now)
{
    const char c = *m_infoTyping;
    m_pInfoBox->Printf("%c", c);
    uint32_t wait;
    if (c >= 1 && c <= 6) {
        m_pInfoBox->SetColor(kTextColours[c - 1]);
        wait = 50 + std::rand() % 50;
    } else if (c == kClick) {
        PlaySound("CLICK");
        wait = 150;
    } else if (c == ',' || c == ';') {
        wait = 500;
    } else if (c == '.' || c == ':') {
        wait = 1500;
    } else {
        wait = 50 + std::rand() % 50;
    }
    m_nextCharTime = now + wait;
    ++m_infoTyped;
    if (*++m_infoTyping == '\0')
        m_infoTyping = gInformationText;
}

// The panel slides in from the left; its screen stays dark behind the text.
// The matrix pushed here is popped once the text is drawn over it.
void CMainFrame::DrawReaderPanel()
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(m_readerPos, 0.0f, kReaderStart);
    m_texture.Use("READER");
    glColor3f(0.0f, 1.0f, 0.0f);
    DrawTexQuad(5.0f, 0.0f);
    glDisable(GL_BLEND);

    glPushMatrix();
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    glTranslatef(-1.0f, -1.0f, 0.0f);
    glBegin(GL_QUADS);
    glVertex3f(-1.75f, -0.7f, 0.0f);
    glVertex3f(4.0f, -0.7f, 0.0f);
    glVertex3f(4.0f, 3.5f, 0.0f);
    glVertex3f(-1.75f, 3.5f, 0.0f);
    glEnd();
    glPopMatrix();
}
