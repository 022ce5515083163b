#include "VideoTool.h"

#include "InputFile.h"
#include "platform/Video.h"

#include <vector>

namespace video_tool {

bool Info(const std::string& path, std::ostream& out, std::string& problem)
{
    platform::File file;
    if (!OpenInputFile(path, "a video", file, problem))
        return false;
    file.Close();
    platform::Video video;
    if (!video.Open(path)) {
        problem = path + ": not a video the game can read (no video stream it can decode)";
        return false;
    }
    std::vector<uint8_t> pixels(platform::Video::kFrameBytes);
    while (video.ReadFrame(pixels.data())) { }
    if (video.FramesRead() == 0) {
        problem = path + ": its " + video.CodecName() + " video has no frame that decodes";
        return false;
    }
    out << path << ": " << video.FrameCount() << " frames, " << video.SourceWidth() << " x " << video.SourceHeight()
        << ", " << video.DurationMs() << " ms, " << video.CodecName();
    if (video.Cut())
        out << " (the game keeps the first " << platform::Video::kMaxFrames << " frames)";
    else if (video.FramesRead() < video.FrameCount())
        out << " (only " << video.FramesRead() << " frames decode)";
    out << '\n';
    return true;
}

} // namespace video_tool
