#pragma once
// Builds WAV files byte by byte, so tests can lay chunks out as they please.
#include <cstdint>
#include <string>
#include <vector>

namespace wav {

inline std::string U16(uint16_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }

inline std::string U32(uint32_t v) { return U16(static_cast<uint16_t>(v)) + U16(static_cast<uint16_t>(v >> 16)); }

// A chunk with its size as given (by default the data's), padded to even length.
inline std::string Chunk(const std::string& id, const std::string& data, int64_t size = -1)
{
    uint32_t declared = size < 0 ? static_cast<uint32_t>(data.size()) : static_cast<uint32_t>(size);
    return id + U32(declared) + data + (data.size() % 2 ? std::string(1, '\0') : "");
}

inline std::string Riff(const std::string& chunks, const std::string& form = "WAVE")
{
    return "RIFF" + U32(static_cast<uint32_t>(4 + chunks.size())) + form + chunks;
}

// The 16 bytes of a "fmt " chunk.
inline std::string Format(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t tag = 1)
{
    uint16_t align = static_cast<uint16_t>(channels * bits / 8);
    return U16(tag) + U16(channels) + U32(rate) + U32(rate * align) + U16(align) + U16(bits);
}

inline std::string Pcm16(const std::vector<int16_t>& samples)
{
    std::string bytes;
    for (int16_t s : samples)
        bytes += U16(static_cast<uint16_t>(s));
    return bytes;
}

// The canonical file: "fmt " of 16 bytes right after "WAVE", then "data".
inline std::string File(uint16_t channels, uint32_t rate, uint16_t bits, const std::string& samples)
{
    return Riff(Chunk("fmt ", Format(channels, rate, bits)) + Chunk("data", samples));
}

} // namespace wav
