#include "ScoreTool.h"
#include "InputFile.h"

#include "platform/File.h"
#include "render/Archive.h"
#include "score/Score.h"

#include <cstdio>

namespace score_tool {

namespace {

using Row = void (CScore::*)(int, CScore::DisplayName&, int32_t&, int32_t&) const;

struct Skill {
    const char* title;
    Row row;
};

const Skill kSkills[] = {
    {"EASY", &CScore::SetMenuEasy},
    {"NORMAL", &CScore::SetMenuNormal},
    {"HARD", &CScore::SetMenuHard},
};

void Print(const CScore& score, const Skill& skill, std::ostream& out)
{
    out << skill.title << "\n";
    for (int i = 0; i < CScore::kRows; ++i) {
        CScore::DisplayName name;
        int32_t points = 0, level = 0;
        (score.*skill.row)(i, name, points, level);
        // The pages show a level of 0 as "-".
        const std::string reached = level == 0 ? "-" : std::to_string(level);
        char line[96];
        std::snprintf(line, sizeof line, "%3d  %-12s %11d  %s\n", i + 1, name, points, reached.c_str());
        out << line;
    }
}

} // namespace

bool Show(const std::string& path, std::ostream& out, std::string& problem)
{
    platform::File file;
    if (!OpenInputFile(path, "a scores file", file, problem))
        return false;
    CScore score;
    CArchive ar(file, CArchive::load);
    try {
        if (!score.ReadWhole(ar)) {
            problem = path + ": goes on after its three tables; not a scores file";
            return false;
        }
    } catch (const CArchiveException&) {
        problem = path + ": ends after " + std::to_string(file.Length()) +
            " bytes, before its three tables are complete; not a scores file";
        return false;
    }
    for (const Skill& skill : kSkills)
        Print(score, skill, out);
    return true;
}

} // namespace score_tool
