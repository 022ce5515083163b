#include "Script.h"
#include "platform/Messages.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace {

std::string Upper(std::string word)
{
    for (char& ch : word)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return word;
}

bool ParseNumber(const std::string& word, double& value)
{
    if (word.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(word.c_str(), &end);
    return *end == '\0';
}

// A whole number an int holds; others are refused before any cast.
bool IsInt(double d) { return d >= INT_MIN && d <= INT_MAX && d == std::trunc(d); }

bool ParseInt(const std::string& word, int& value)
{
    double d;
    if (!ParseNumber(word, d) || !IsInt(d))
        return false;
    value = static_cast<int>(d);
    return true;
}

std::string StripComment(const std::string& line)
{
    for (size_t i = 0; i < line.size(); ++i)
        if (line[i] == '#' && (i == 0 || std::isspace(static_cast<unsigned char>(line[i - 1]))))
            return line.substr(0, i);
    return line;
}

bool ParseComparison(const std::vector<std::string>& words, size_t from, Condition& c)
{
    static const char* const kOps[] = {"==", "!=", "<", "<=", ">", ">="};
    if (words.size() < from + 3)
        return false;
    c = {words[from], words[from + 1], words[from + 2]};
    for (const char* op : kOps)
        if (c.op == op)
            return true;
    return false;
}

// Comparisons joined by "and" over words[from, to).
bool ParseConditions(const std::vector<std::string>& words, size_t from, size_t to, std::vector<Condition>& all)
{
    all.clear();
    for (size_t at = from;; at += 4) {
        Condition c;
        if (at + 3 > to || !ParseComparison(words, at, c))
            return false;
        all.push_back(c);
        if (at + 3 == to)
            return true;
        if (words[at + 3] != "and")
            return false;
    }
}

const std::map<std::string, Command::Kind>& Kinds()
{
    static const std::map<std::string, Command::Kind> kinds = {
        {"seed", Command::Seed},
        {"step", Command::Step},
        {"frame", Command::Frame},
        {"wait", Command::Wait},
        {"key", Command::Key},
        {"keydown", Command::KeyDown},
        {"keyup", Command::KeyUp},
        {"repeat", Command::Repeat},
        {"type", Command::Type},
        {"move", Command::Move},
        {"click", Command::Click},
        {"pad", Command::Pad},
        {"stick", Command::Stick},
        {"focus", Command::Focus},
        {"close", Command::Close},
        {"shot", Command::Shot},
        {"print", Command::Print},
        {"expect", Command::Expect},
        {"until", Command::Until},
    };
    return kinds;
}

// A key name, or ALT+ and a key name for a key pressed with Alt held.
bool ParseKey(const std::string& word, Command& c)
{
    c.alt = Upper(word.substr(0, 4)) == "ALT+";
    c.key = KeyCode(c.alt ? word.substr(4) : word);
    return c.key != 0;
}

// Fills in the arguments of a command whose name was recognised; false when they are wrong.
bool ParseArguments(Command& c, const std::vector<std::string>& w, const std::string& rest)
{
    size_t n = w.size() - 1;
    switch (c.kind) {
    case Command::Seed:
    case Command::Step:
    case Command::Wait: return n == 1 && ParseNumber(w[1], c.number) && c.number >= 0;
    case Command::Frame:
        c.number = 1;
        return n == 0 || (n == 1 && ParseNumber(w[1], c.number) && c.number >= 0 && IsInt(c.number));
    case Command::Key: return n == 1 && ParseKey(w[1], c);
    case Command::KeyDown:
    case Command::KeyUp:
    case Command::Repeat: return n == 1 && (c.key = KeyCode(w[1])) != 0;
    case Command::Type: c.text = rest; return !rest.empty();
    case Command::Move: c.hasPosition = true; return n == 2 && ParseInt(w[1], c.x) && ParseInt(w[2], c.y);
    case Command::Click:
        c.hasPosition = n == 2;
        return n == 0 || (n == 2 && ParseInt(w[1], c.x) && ParseInt(w[2], c.y));
    case Command::Pad: return n == 1 && (c.key = PadCode(w[1])) != 0;
    case Command::Stick:
        return n == 2 && ParseNumber(w[1], c.stickX) && ParseNumber(w[2], c.stickY) && std::fabs(c.stickX) <= 1 &&
            std::fabs(c.stickY) <= 1;
    case Command::Focus: c.on = n == 1 && w[1] == "on"; return n == 1 && (w[1] == "on" || w[1] == "off");
    case Command::Close:
    case Command::Print: return n == 0;
    case Command::Shot:
        c.text = n == 1 ? w[1] : "";
        return n == 1 && c.text.size() > 4 && c.text.substr(c.text.size() - 4) == ".png";
    case Command::Expect: return ParseConditions(w, 1, w.size(), c.conditions);
    case Command::Until:
        return n >= 5 && w[n - 1] == "within" && ParseNumber(w[n], c.number) &&
            ParseConditions(w, 1, n - 1, c.conditions);
    }
    return false;
}

} // namespace

unsigned KeyCode(const std::string& written)
{
    const std::string name = Upper(written);
    static const std::map<std::string, unsigned> kNamed = {
        {"SPACE", platform::VK_SPACE},
        {"ENTER", platform::VK_RETURN},
        {"ESCAPE", platform::VK_ESCAPE},
        {"BACKSPACE", platform::VK_BACK},
        {"PAUSE", platform::VK_PAUSE},
        {"UP", platform::VK_UP},
        {"DOWN", platform::VK_DOWN},
        {"LEFT", platform::VK_LEFT},
        {"RIGHT", platform::VK_RIGHT},
    };
    auto it = kNamed.find(name);
    if (it != kNamed.end())
        return it->second;
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return static_cast<unsigned char>(name[0]);
    if (name.size() >= 2 && name[0] == 'F') {
        int f = 0;
        if (ParseInt(name.substr(1), f) && f >= 1 && f <= 12)
            return platform::VK_F1 + static_cast<unsigned>(f - 1);
    }
    return 0;
}

unsigned PadCode(const std::string& written)
{
    static const char* const kNames[] = {"A", "B", "X", "Y", "START", "BACK", "UP", "DOWN", "LEFT", "RIGHT"};
    const std::string name = Upper(written);
    for (unsigned i = 0; i < sizeof kNames / sizeof kNames[0]; ++i)
        if (name == kNames[i])
            return platform::PAD_A + i;
    return 0;
}

unsigned KeyCharacter(unsigned key)
{
    if (key >= 'A' && key <= 'Z')
        return key - 'A' + 'a';
    if ((key >= '0' && key <= '9') || key == platform::VK_SPACE || key == platform::VK_RETURN ||
        key == platform::VK_BACK || key == platform::VK_ESCAPE)
        return key;
    return 0;
}

bool ParseScript(const std::string& text, std::vector<Command>& commands, std::string& error)
{
    std::istringstream in(text);
    std::string raw;
    for (int number = 1; std::getline(in, raw); ++number) {
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        std::string line = StripComment(raw);
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;)
            w.push_back(word);
        if (w.empty())
            continue;
        Command c;
        c.line = number;
        c.source = raw;
        auto kind = Kinds().find(w[0]);
        size_t restAt = line.find(w[0]) + w[0].size() + 1;
        std::string rest = restAt < line.size() ? line.substr(restAt) : "";
        rest.erase(rest.find_last_not_of(" \t") + 1);
        if (kind != Kinds().end()) {
            c.kind = kind->second;
            if (ParseArguments(c, w, rest)) {
                commands.push_back(c);
                continue;
            }
        }
        error = "line " + std::to_string(number) + ": cannot read \"" + raw + "\"";
        return false;
    }
    return true;
}

// A script is a few thousand lines at most: a longer file is refused before
// its commands can fill the memory.
bool ReadScriptFile(const std::string& path, std::vector<Command>& commands, std::string& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    std::string text(static_cast<size_t>(kMaxScriptBytes) + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    if (text.size() > static_cast<size_t>(kMaxScriptBytes)) {
        error = path + ": longer than a script can be (" + std::to_string(kMaxScriptBytes) + " bytes)";
        return false;
    }
    if (ParseScript(text, commands, error))
        return true;
    error = path + ": " + error;
    return false;
}
