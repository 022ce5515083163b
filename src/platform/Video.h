#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// Reads the first video stream of a file of any format the decoding library
// knows, one frame at a time, each scaled to a 256 x 256 RGB picture. The
// stream's packets are kept as read, so the frames can be decoded again
// later, in a fraction of the memory the pictures would take.
class Video {
public:
    static constexpr int kSide = 256;
    static constexpr int kFrameBytes = kSide * kSide * 3;
    // Frames beyond this are not decoded.
    static constexpr int kMaxFrames = 600;
    // Nor is a frame whose packets would take the kept packets past this.
    static constexpr size_t kMaxKeptBytes = 64u << 20;

    Video();
    ~Video();
    Video(const Video&) = delete;
    Video& operator=(const Video&) = delete;

    // False when the file cannot be read or holds no video stream we can decode. One file per object.
    bool Open(const std::string& path);
    // The same over a file's bytes in memory, which must outlive the reading.
    bool OpenMemory(const uint8_t* data, size_t size);
    // The next frame into kFrameBytes bytes, rows bottom-up (the first row is
    // the picture's bottom one), or only decoded when pixels is null. False at
    // the end, on a decoding error, or at a cap; the file is closed then.
    bool ReadFrame(uint8_t* pixels);
    // Once reading has ended: frame 'index' of those read, decoded again from
    // the kept packets (onwards from the last one given, else from the first).
    bool ReplayFrame(int index, uint8_t* pixels);
    // True when the file holds more frames than the caps let us keep.
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
    bool OpenInput(const char* url);
    bool Fail();
    void ReadStreamFigures();
    bool Decode();
    bool NextPacket();
    bool ReadPacket();
    void EndReading();
    bool Scale(uint8_t* pixels);
    bool CountedByFile() const;

    // Freed when reading fails or finds no frame; the figures below stay.
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
