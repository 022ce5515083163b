#include "MusicScore.h"

#include <cmath>
#include <sstream>
#include <stdexcept>

namespace audio {

namespace {

constexpr int kBeatsPerBar = 4;

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

double StepBeats(const std::string& steps) { return static_cast<double>(kBeatsPerBar) / steps.size(); }

} // namespace

int Pitch(const std::string& name)
{
    static const int kSemitones[] = {9, 11, 0, 2, 4, 5, 7}; // A to G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G')
        throw std::invalid_argument("bad note " + name);
    int pitch = kSemitones[name[0] - 'A'];
    size_t at = 1;
    for (; at < name.size() && (name[at] == '#' || name[at] == 'b'); ++at)
        pitch += name[at] == '#' ? 1 : -1;
    return pitch + 12 * (std::stoi(name.substr(at)) + 1);
}

std::vector<Note> Line(const std::string& text, double startBeat)
{
    std::vector<Note> notes;
    double beat = startBeat;
    for (const std::string& word : Words(text)) {
        const size_t colon = word.find(':');
        if (colon == std::string::npos)
            throw std::invalid_argument("no length in " + word);
        const double beats = std::stod(word.substr(colon + 1));
        if (word.substr(0, colon) != "r")
            notes.push_back({beat, beats, Pitch(word.substr(0, colon))});
        beat += beats;
    }
    return notes;
}

std::vector<int> Chord(const std::string& text)
{
    std::vector<int> pitches;
    for (const std::string& word : Words(text))
        pitches.push_back(Pitch(word));
    return pitches;
}

Arrangement::Arrangement(int bpm, int bars)
    : m_bpm(bpm)
    , m_bars(bars)
    , m_dry(Samples(Seconds(bars * kBeatsPerBar)))
    , m_reverb(m_dry.Length())
    , m_echo(m_dry.Length())
{
}

void Arrangement::Play(const Mono& sound, double beat, const Voice& voice, double velocity)
{
    const int at = Samples(Seconds(beat));
    const double gain = voice.gain * velocity;
    m_dry.AddLooped(sound, at, gain, voice.pan);
    if (voice.reverb > 0)
        m_reverb.AddLooped(sound, at, gain * voice.reverb, voice.pan);
    if (voice.echo > 0)
        m_echo.AddLooped(sound, at, gain * voice.echo, voice.pan);
}

Stereo Arrangement::Mix(const Space& space) const
{
    Reverb reverb(space.roomSize, space.damping);
    PingPong echo(Samples(Seconds(space.echoBeats)), space.echoFeedback);
    Stereo out = m_dry;
    out.Mix(Process(m_reverb, reverb, true), 1.0);
    out.Mix(Process(m_echo, echo, true), 1.0);
    return out;
}

void PlayLine(
    Arrangement& a, const std::string& line, double startBeat, const Instrument& instrument, const Voice& voice)
{
    uint32_t variation = 0;
    for (const Note& n : Line(line, startBeat))
        a.Play(instrument(Frequency(n.pitch), a.Seconds(n.beats), variation++), n.beat, voice);
}

void PlayChords(
    Arrangement& a, const Progression& chords, const Instrument& instrument, const Voice& voice, int firstBar)
{
    for (size_t bar = 0; bar < chords.size(); ++bar) {
        uint32_t variation = static_cast<uint32_t>(bar * 16);
        for (int pitch : Chord(chords[bar]))
            a.Play(instrument(Frequency(pitch), a.Seconds(kBeatsPerBar), variation++), (firstBar + bar) * kBeatsPerBar,
                voice);
    }
}

void PlayArpeggio(Arrangement& a, const Progression& chords, const std::string& order, int transpose,
    const Instrument& instrument, const Voice& voice, int firstBar)
{
    const double step = StepBeats(order);
    for (size_t bar = 0; bar < chords.size(); ++bar) {
        const std::vector<int> tones = Chord(chords[bar]);
        for (size_t i = 0; i < order.size(); ++i) {
            if (order[i] == '.')
                continue;
            const size_t index = static_cast<size_t>(order[i] - '0');
            const int pitch = tones[index % tones.size()] + 12 * static_cast<int>(index / tones.size()) + transpose;
            const auto variation = static_cast<uint32_t>(bar * 64 + i);
            a.Play(instrument(Frequency(pitch), a.Seconds(step), variation), (firstBar + bar) * kBeatsPerBar + i * step,
                voice);
        }
    }
}

void PlayBass(Arrangement& a, const Progression& chords, const std::string& steps, int transpose,
    const Instrument& instrument, const Voice& voice, int firstBar)
{
    const double step = StepBeats(steps);
    for (size_t bar = 0; bar < chords.size(); ++bar) {
        const int root = Chord(chords[bar]).front() + transpose;
        for (size_t i = 0; i < steps.size(); ++i) {
            if (steps[i] == '.')
                continue;
            size_t held = 1;
            while (i + held < steps.size() && steps[i + held] == '.')
                ++held;
            const int pitch = root + (steps[i] == 'o' ? 12 : steps[i] == '5' ? 7 : 0);
            const auto variation = static_cast<uint32_t>(bar * 64 + i);
            a.Play(instrument(Frequency(pitch), a.Seconds(step * held) * 0.9, variation),
                (firstBar + bar) * kBeatsPerBar + i * step, voice);
        }
    }
}

void PlayPattern(
    Arrangement& a, const std::string& steps, const std::vector<Mono>& hits, const Voice& voice, int first, int last)
{
    const double step = StepBeats(steps);
    size_t count = 0;
    for (int bar = first; bar < last; ++bar)
        for (size_t i = 0; i < steps.size(); ++i) {
            const char c = steps[i];
            if (c == '.')
                continue;
            const double velocity = c == 'X' ? 1.0 : c == 'x' ? 0.7 : 0.4;
            a.Play(hits[count++ % hits.size()], bar * kBeatsPerBar + i * step, voice, velocity);
        }
}

} // namespace audio
