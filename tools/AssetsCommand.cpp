#include "AssetsCommand.h"

#include "AssetBuild.h"
#include "IconTool.h"
#include "ScoreTool.h"
#include "TextureFolder.h"
#include "TextureSheet.h"
#include "TextureTool.h"
#include "VideoTool.h"
#include "WavTool.h"
#include "app/Version.h"

#include <algorithm>
#include <exception>

namespace {

enum Status { done = 0, failed = 1, misused = 2 };

const char kUsage[] = "usage: vexorin-assets build DIR\n"
                      "       vexorin-assets icons DIR\n"
                      "       vexorin-assets textures list FILE\n"
                      "       vexorin-assets textures export FILE DIR\n"
                      "       vexorin-assets textures pack DIR FILE\n"
                      "       vexorin-assets textures sheet FILE OUT.png\n"
                      "       vexorin-assets wav info FILE\n"
                      "       vexorin-assets video info FILE\n"
                      "       vexorin-assets scores show FILE\n"
                      "       vexorin-assets scores new FILE\n"
                      "       vexorin-assets --help | --version\n";

bool Matches(const std::vector<std::string>& args, const std::vector<std::string>& words, size_t operands)
{
    return args.size() == words.size() + operands && std::equal(words.begin(), words.end(), args.begin());
}

bool Dispatch(const std::vector<std::string>& args, std::ostream& out, std::string& problem, bool& known)
{
    known = true;
    if (Matches(args, {"build"}, 1))
        return asset_build::Build(args[1], out, problem);
    if (Matches(args, {"icons"}, 1))
        return icon_tool::Write(args[1], out, problem);
    if (Matches(args, {"textures", "list"}, 1))
        return texture_tool::List(args[2], out, problem);
    if (Matches(args, {"textures", "export"}, 2))
        return texture_folder::Export(args[2], args[3], problem);
    if (Matches(args, {"textures", "pack"}, 2))
        return texture_folder::Pack(args[2], args[3], problem);
    if (Matches(args, {"textures", "sheet"}, 2))
        return texture_sheet::Make(args[2], args[3], problem);
    if (Matches(args, {"wav", "info"}, 1))
        return wav_tool::Info(args[2], out, problem);
    if (Matches(args, {"video", "info"}, 1))
        return video_tool::Info(args[2], out, problem);
    if (Matches(args, {"scores", "show"}, 1))
        return score_tool::Show(args[2], out, problem);
    if (Matches(args, {"scores", "new"}, 1))
        return asset_build::WriteDefaultScores(args[2], problem);
    known = false;
    return false;
}

} // namespace

int RunAssets(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (Matches(args, {"--help"}, 0)) {
        out << kUsage;
        return done;
    }
    if (Matches(args, {"--version"}, 0)) {
        out << "vexorin-assets " << kVexorinVersion << '\n';
        return done;
    }
    std::string problem;
    bool known = false;
    try {
        if (Dispatch(args, out, problem, known))
            return done;
    } catch (const std::exception& failure) {
        problem = failure.what();
    }
    if (!known) {
        err << kUsage;
        return misused;
    }
    err << "vexorin-assets: " << problem << '\n';
    return failed;
}
