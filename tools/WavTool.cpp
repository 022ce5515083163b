#include "WavTool.h"

#include "platform/AudioConvert.h"
#include "platform/File.h"
#include "sound/Wave.h"

#include <iomanip>

namespace wav_tool {

namespace {

std::string Unplayable(const platform::WaveFormat& format)
{
    if (format.formatTag != 1)
        return "compressed (format tag " + std::to_string(format.formatTag) + "); the game plays only PCM";
    if (format.bitsPerSample != 8 && format.bitsPerSample != 16)
        return std::to_string(format.bitsPerSample) + "-bit samples; the game plays 8 or 16 bits";
    if (format.channels != 1 && format.channels != 2)
        return std::to_string(format.channels) + " channels; the game plays mono or stereo";
    return "a format the game cannot play (" + std::to_string(format.samplesPerSec) + " Hz, block alignment " +
        std::to_string(format.blockAlign) + ")";
}

} // namespace

bool Info(const std::string& path, std::ostream& out, std::string& problem)
{
    platform::File file;
    platform::FileError error = platform::FileError::none;
    if (!file.Open(path, platform::File::modeRead, &error)) {
        problem = platform::FileErrorMessage(error, path);
        return false;
    }
    file.Close();
    CWave wave;
    if (!wave.Open(path)) {
        problem = path +
            ": not a WAV file the game can read (a RIFF/WAVE file with a \"fmt \" chunk and a "
            "\"data\" chunk that ends inside the file)";
        return false;
    }
    platform::WaveFormat format;
    wave.GetFormat(format);
    const uint32_t bytes = wave.GetDataSize();
    wave.Close();
    if (!platform::IsPlayableFormat(format)) {
        problem = path + ": " + Unplayable(format);
        return false;
    }
    const double seconds = double(bytes) / format.blockAlign / format.samplesPerSec;
    out << path << ": PCM, " << (format.channels == 1 ? "mono" : "stereo") << ", " << format.samplesPerSec << " Hz, "
        << format.bitsPerSample << " bits, " << bytes << " bytes of samples, " << std::fixed << std::setprecision(3)
        << seconds << " s\n";
    return true;
}

} // namespace wav_tool
