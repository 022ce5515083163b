#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// Reads the first video stream of a file of any format the decoding library
// knows, one frame at a time, each scaled to a 256 x 256 RGB picture.
class Video {
public:
    static constexpr int kSide = 256;
    static constexpr int kFrameBytes = kSide * kSide * 3;
    // Frames beyond this are not decoded: each one is kept as a picture.
    static constexpr int kMaxFrames = 600;

    Video();
    ~Video();
    Video(const Video&) = delete;
    Video& operator=(const Video&) = delete;

    // False when the file cannot be read or holds no video stream we can decode. One file per object.
    bool Open(const std::string& path);
    // The same over a file's bytes in memory, which must outlive the reading.
    bool OpenMemory(const uint8_t* data, size_t size);
    // The next frame into kFrameBytes bytes, rows bottom-up (the first row is
    // the picture's bottom one). False at the end, on a decoding error, or at the cap.
    bool ReadFrame(uint8_t* pixels);
    // True when the file holds more frames than the cap lets us keep.
    bool Cut() const { return m_cut; }
    int FramesRead() const { return m_framesRead; }

    // Known once ReadFrame has returned false: the stream's own frame count,
    // or the frames decoded where the file does not say, and the time they
    // cover (at 25 frames a second when the file's figures make no sense).
    int FrameCount() const;
    int64_t DurationMs() const;

    int SourceWidth() const { return m_sourceWidth; }
    int SourceHeight() const { return m_sourceHeight; }
    const std::string& CodecName() const { return m_codecName; }

private:
    struct Decoder;
    bool Start();
    bool OpenInput(const char* url);
    bool Fail();
    void ReadStreamFigures();
    bool Decode();
    bool Scale(uint8_t* pixels);
    bool CountedByFile() const;

    // Freed as soon as reading ends; the figures below stay.
    std::unique_ptr<Decoder> m_decoder;
    int m_framesRead = 0;
    bool m_cut = false;
    int m_sourceWidth = 0, m_sourceHeight = 0;
    std::string m_codecName;
    int64_t m_framesSaid = 0;
    int64_t m_durationSaidMs = 0;
    double m_rateFrameMs = 0; // 0 when the stream gives no sensible frame rate
};

} // namespace platform
