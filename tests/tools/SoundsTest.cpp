#include "audio/Sounds.h"
#include "audio/Instruments.h"
#include "audio/MusicScore.h"
#include "audio/Synth.h"

#include "TempDir.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <stdexcept>

namespace {

using audio::Sound;

const std::set<std::string> kMusic = {"menu.wav", "level.wav", "purify.wav"};
const std::set<std::string> kEffects = {
    "click.wav", "select.wav", "mutation.wav", "cursorend.wav", "next.wav", "pattern.wav"};

const std::vector<Sound>& Sounds()
{
    static const std::vector<Sound> sounds = audio::GameSounds();
    return sounds;
}

const Sound& Find(const std::string& file)
{
    for (const Sound& s : Sounds())
        if (s.file == file)
            return s;
    throw std::runtime_error("no sound " + file);
}

double Seconds(const Sound& s) { return static_cast<double>(s.samples.size()) / s.channels / audio::kSampleRate; }

std::vector<double> Channel(const Sound& s, int c)
{
    std::vector<double> out;
    for (size_t i = c; i < s.samples.size(); i += s.channels)
        out.push_back(s.samples[i] / 32768.0);
    return out;
}

double Rms(const Sound& s)
{
    double sum = 0;
    for (int16_t x : s.samples)
        sum += (x / 32768.0) * (x / 32768.0);
    return std::sqrt(sum / s.samples.size());
}

double Db(double level) { return 20 * std::log10(level); }

// The step between neighbouring samples that only one in a hundred exceeds.
double TypicalLargeStep(const std::vector<double>& x)
{
    std::vector<double> steps;
    for (size_t i = 1; i < x.size(); ++i)
        steps.push_back(std::fabs(x[i] - x[i - 1]));
    std::sort(steps.begin(), steps.end());
    return steps[steps.size() * 99 / 100];
}

// The pitch of a steady tone, from the lag of best self-similarity over many periods.
double MeasuredFrequency(const audio::Mono& x, double expected)
{
    const int periods = std::max(1, static_cast<int>(500 / (audio::kRate / expected)));
    const double lag = periods * audio::kRate / expected;
    const int from = static_cast<int>(lag * 0.97), to = static_cast<int>(lag * 1.03), start = 2000, span = 2000;
    int best = from;
    double bestScore = -1e9;
    for (int l = from; l <= to; ++l) {
        double score = 0;
        for (int i = start; i < start + span; ++i)
            score += x[i] * x[i + l];
        if (score > bestScore) {
            bestScore = score;
            best = l;
        }
    }
    return periods * audio::kRate / static_cast<double>(best);
}

TEST(GameSounds, AreTheTwelveFilesOfTheGame)
{
    std::set<std::string> files;
    for (const Sound& s : Sounds()) {
        files.insert(s.file);
        EXPECT_TRUE(s.channels == 1 || s.channels == 2) << s.file;
        EXPECT_EQ(s.samples.size() % s.channels, 0u) << s.file;
    }
    EXPECT_EQ(files,
        (std::set<std::string>{"menu.wav", "click.wav", "select.wav", "cursorend.wav", "intro.wav", "drone.wav",
            "reader.wav", "level.wav", "purify.wav", "next.wav", "mutation.wav", "pattern.wav"}));
}

TEST(GameSounds, LastAsLongAsTheirMomentsInTheGame)
{
    // Confirmation waits for "select" and "mutation" to end; the intro covers
    // both intro screens once; the reader covers the panel's slide. Music is
    // long enough not to wear out.
    const std::map<std::string, std::pair<double, double>> ranges = {{"menu.wav", {40, 50}}, {"level.wav", {60, 90}},
        {"purify.wav", {40, 50}}, {"intro.wav", {10.5, 12}}, {"drone.wav", {3, 6}}, {"reader.wav", {1.2, 1.8}},
        {"click.wav", {0.02, 0.15}}, {"select.wav", {0.1, 0.35}}, {"mutation.wav", {0.2, 0.6}},
        {"cursorend.wav", {0.08, 0.4}}, {"next.wav", {0.3, 1.5}}, {"pattern.wav", {0.3, 1.5}}};
    for (const auto& [file, range] : ranges) {
        SCOPED_TRACE(file);
        EXPECT_GE(Seconds(Find(file)), range.first);
        EXPECT_LE(Seconds(Find(file)), range.second);
    }
    // The game holds every sound in memory at once.
    size_t bytes = 0;
    for (const Sound& s : Sounds())
        bytes += s.samples.size() * sizeof(int16_t);
    EXPECT_LE(bytes, 12u * 1000 * 1000);
}

TEST(GameSounds, IntroHitsWhereTheCubeStopsAndTheLogoIsBrightest)
{
    // Loudness in 20 ms steps; the two sharpest rises, at least half a second apart.
    const std::vector<double> x = Channel(Find("intro.wav"), 0);
    const size_t step = audio::kSampleRate / 50;
    std::vector<std::pair<double, double>> rises; // (rise, seconds)
    double before = 0;
    for (size_t i = 0; i + step <= x.size(); i += step) {
        double sum = 0;
        for (size_t j = i; j < i + step; ++j)
            sum += x[j] * x[j];
        const double level = std::sqrt(sum / step);
        rises.push_back({level - before, static_cast<double>(i) / audio::kSampleRate});
        before = level;
    }
    std::sort(rises.rbegin(), rises.rend());
    const double first = rises[0].second;
    const auto second =
        std::find_if(rises.begin(), rises.end(), [&](auto r) { return std::fabs(r.second - first) > 0.5; });
    ASSERT_NE(second, rises.end());
    EXPECT_NEAR(std::min(first, second->second), 4.9, 0.06);
    EXPECT_NEAR(std::max(first, second->second), 8.1, 0.06);
}

TEST(GameSounds, AreLoudButNeverClipAndCarryNoOffset)
{
    for (const Sound& s : Sounds()) {
        SCOPED_TRACE(s.file);
        for (int c = 0; c < s.channels; ++c) {
            const std::vector<double> x = Channel(s, c);
            double peak = 0, sum = 0;
            for (double v : x) {
                peak = std::max(peak, std::fabs(v));
                sum += v;
            }
            EXPECT_LE(Db(peak), -1.0);
            EXPECT_GE(Db(peak), -8.0);
            EXPECT_LT(std::fabs(sum / x.size()), 1e-3);
        }
    }
}

TEST(GameSounds, MusicSitsBelowTheEffects)
{
    std::vector<double> effects;
    for (const std::string& file : kEffects)
        effects.push_back(Rms(Find(file)));
    std::sort(effects.begin(), effects.end());
    const double typical = effects[effects.size() / 2];
    for (const std::string& file : kMusic)
        EXPECT_LT(Db(Rms(Find(file))), Db(typical) - 2.0) << file;
}

TEST(GameSounds, LoopsJoinAtTheSeamAndOneShotsStartAndEndInSilence)
{
    for (const Sound& s : Sounds()) {
        SCOPED_TRACE(s.file);
        for (int c = 0; c < s.channels; ++c) {
            const std::vector<double> x = Channel(s, c);
            if (kMusic.count(s.file) || s.file == "drone.wav") {
                EXPECT_LE(std::fabs(x.back() - x.front()), TypicalLargeStep(x));
            }
            EXPECT_LT(std::fabs(x.front()), 1e-3);
            EXPECT_LT(std::fabs(x.back()), 1e-3);
        }
    }
}

TEST(GameSounds, AreTheSameOnEveryCall)
{
    const std::vector<Sound> again = audio::GameSounds();
    ASSERT_EQ(again.size(), Sounds().size());
    for (size_t i = 0; i < again.size(); ++i) {
        EXPECT_EQ(again[i].file, Sounds()[i].file);
        EXPECT_TRUE(again[i].samples == Sounds()[i].samples) << again[i].file;
    }
}

uint32_t U32(const std::string& b, size_t at)
{
    uint32_t v = 0;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

uint16_t U16(const std::string& b, size_t at)
{
    uint16_t v = 0;
    std::memcpy(&v, b.data() + at, 2);
    return v;
}

TEST(WavBytes, AreACanonicalPcmFile)
{
    const Sound stereo{"x.wav", 2, {1, -2, 300, -32768, 32767, 0}};
    const std::string b = audio::WavBytes(stereo);
    ASSERT_EQ(b.size(), 44u + 12u);
    EXPECT_EQ(b.substr(0, 4), "RIFF");
    EXPECT_EQ(U32(b, 4), b.size() - 8);
    EXPECT_EQ(b.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(U32(b, 16), 16u);
    EXPECT_EQ(U16(b, 20), 1u); // PCM
    EXPECT_EQ(U16(b, 22), 2u);
    EXPECT_EQ(U32(b, 24), 22050u);
    EXPECT_EQ(U32(b, 28), 22050u * 4);
    EXPECT_EQ(U16(b, 32), 4u);
    EXPECT_EQ(U16(b, 34), 16u);
    EXPECT_EQ(b.substr(36, 4), "data");
    EXPECT_EQ(U32(b, 40), 12u);
    EXPECT_EQ(static_cast<int16_t>(U16(b, 46)), -2);
    EXPECT_EQ(static_cast<int16_t>(U16(b, 50)), -32768);
    EXPECT_EQ(static_cast<int16_t>(U16(b, 52)), 32767);

    const std::string mono = audio::WavBytes({"m.wav", 1, {5, 6, 7}});
    EXPECT_EQ(U16(mono, 22), 1u);
    EXPECT_EQ(U32(mono, 28), 22050u * 2);
    EXPECT_EQ(U16(mono, 32), 2u);
    EXPECT_EQ(U32(mono, 40), 6u);
}

TEST(WriteWav, WritesTheBytesWholeOrNotAtAll)
{
    TempDir dir;
    const Sound& click = Find("click.wav");
    ASSERT_TRUE(audio::WriteWav("click.wav", click));
    EXPECT_EQ(TempDir::Read("click.wav"), audio::WavBytes(click));
    EXPECT_FALSE(TempDir::Exists("click.wav.tmp"));
    EXPECT_FALSE(audio::WriteWav("missing/click.wav", click));
    EXPECT_FALSE(TempDir::Exists("missing"));
}

TEST(Score, ReadsNotesLinesAndChords)
{
    EXPECT_EQ(audio::Pitch("C4"), 60);
    EXPECT_EQ(audio::Pitch("A4"), 69);
    EXPECT_EQ(audio::Pitch("F#5"), 78);
    EXPECT_EQ(audio::Pitch("Bb3"), 58);
    EXPECT_THROW(audio::Pitch("H2"), std::invalid_argument);

    const auto line = audio::Line("E5:.5 r:.25 G5:1.25 C6:2", 4);
    ASSERT_EQ(line.size(), 3u);
    EXPECT_DOUBLE_EQ(line[0].beat, 4.0);
    EXPECT_DOUBLE_EQ(line[1].beat, 4.75);
    EXPECT_DOUBLE_EQ(line[1].beats, 1.25);
    EXPECT_DOUBLE_EQ(line[2].beat, 6.0);
    EXPECT_EQ(line[2].pitch, 84);
    EXPECT_THROW(audio::Line("E5"), std::invalid_argument);

    EXPECT_EQ(audio::Chord("D3 F#3 A3"), (std::vector<int>{50, 54, 57}));
}

TEST(Score, ArrangementPlaysPartsOnTheBeatGrid)
{
    // At 120 beats a minute a beat is 11025 samples; each note is one click.
    struct Played {
        double frequency, seconds;
    };
    std::vector<Played> played;
    const audio::Instrument click = [&](double f, double seconds, uint32_t) {
        played.push_back({f, seconds});
        return audio::Mono{1.0f};
    };
    const audio::Voice centre{1, 0, 0, 0};
    const auto at = [](const audio::Stereo& s, double beat) { return s.left[static_cast<size_t>(beat * 11025)]; };

    audio::Arrangement arpeggio(120, 1);
    audio::PlayArpeggio(arpeggio, {"C4 E4 G4"}, "0.3.", 0, click, centre);
    const audio::Stereo a = arpeggio.Mix({});
    EXPECT_GT(at(a, 0), 0.5f);
    EXPECT_EQ(at(a, 1), 0.0f);
    EXPECT_GT(at(a, 2), 0.5f);
    ASSERT_EQ(played.size(), 2u);
    EXPECT_DOUBLE_EQ(played[1].frequency, audio::Frequency(72)); // index 3 of three tones: the root an octave up

    played.clear();
    audio::Arrangement bass(120, 2);
    audio::PlayBass(bass, {"A2 E3", "D3 A3"}, "x.5.", -12, click, centre);
    ASSERT_EQ(played.size(), 4u);
    EXPECT_DOUBLE_EQ(played[0].frequency, audio::Frequency(45 - 12));
    EXPECT_DOUBLE_EQ(played[1].frequency, audio::Frequency(45 - 12 + 7));
    EXPECT_DOUBLE_EQ(played[2].frequency, audio::Frequency(50 - 12));
    EXPECT_NEAR(played[0].seconds, 0.9, 1e-9); // held over the rest that follows, a little short
    EXPECT_GT(at(bass.Mix({}), 6), 0.5f);

    audio::Arrangement drums(120, 2);
    audio::PlayPattern(drums, "X.o.", {audio::Mono{1.0f}}, centre, 1, 2);
    const audio::Stereo d = drums.Mix({});
    EXPECT_EQ(at(d, 0), 0.0f);
    EXPECT_NEAR(at(d, 6) / at(d, 4), 0.4, 1e-6);
}

TEST(Synth, FiltersPassTheirBandAndStopTheOther)
{
    const auto level = [](double frequency, auto filter) {
        audio::SineOsc sine(frequency);
        double peak = 0;
        for (int i = 0; i < audio::kRate / 2; ++i) {
            const double y = filter(sine.Next());
            if (i > audio::kRate / 4)
                peak = std::max(peak, std::fabs(y));
        }
        return peak;
    };
    const auto low = [](double cutoff) {
        return [f = audio::Svf(cutoff, 0.7)](double x) mutable { return f.Process(x).low; };
    };
    const auto high = [](double cutoff) {
        return [f = audio::Svf(cutoff, 0.7)](double x) mutable { return f.Process(x).high; };
    };
    EXPECT_NEAR(level(100, low(1000)), 1.0, 0.02);
    EXPECT_LT(level(8000, low(1000)), 0.03);
    EXPECT_LT(level(200, high(4000)), 0.01);
    EXPECT_NEAR(level(9000, high(2000)), 1.0, 0.05);
    EXPECT_LT(level(5000, [f = audio::OnePole(200)](double x) mutable { return f.LowPass(x); }), 0.05);

    const audio::Frame left = audio::Pan(1.0, -1), middle = audio::Pan(1.0, 0);
    EXPECT_NEAR(left.left, 1.0, 1e-9);
    EXPECT_NEAR(left.right, 0.0, 1e-9);
    EXPECT_NEAR(middle.left * middle.left + middle.right * middle.right, 1.0, 1e-9); // constant power
}

TEST(Synth, LoopBuffersCarryTailsAndStateRoundTheSeam)
{
    audio::Stereo s(100), oneShot(100);
    s.AddLooped(audio::Mono(10, 1.0f), 95, 1.0, 0);
    EXPECT_GT(s.left[97], 0.5f);
    EXPECT_GT(s.left[3], 0.5f); // the part past the end wrapped to the start
    EXPECT_FLOAT_EQ(s.left[3], s.right[3]);
    EXPECT_EQ(s.left[6], 0.0f);
    oneShot.Add(audio::Mono(10, 1.0f), 95, 1.0, 0);
    EXPECT_GT(oneShot.left[99], 0.5f);
    EXPECT_EQ(oneShot.left[0], 0.0f); // a tail cut at the end never sounds at the start

    audio::Stereo impulse(4000);
    impulse.left[3990] = impulse.right[3990] = 1.0f;
    audio::Reverb once(0.5, 0.4), looped(0.5, 0.4);
    const audio::Stereo plain = audio::Process(impulse, once, false);
    const audio::Stereo wrapped = audio::Process(impulse, looped, true);
    double plainHead = 0, wrappedHead = 0;
    for (int i = 0; i < 1000; ++i) {
        plainHead += std::fabs(plain.left[i]);
        wrappedHead += std::fabs(wrapped.left[i]);
    }
    EXPECT_EQ(plainHead, 0.0);
    EXPECT_GT(wrappedHead, 0.01); // the echo of the last moment rings on at the start
}

TEST(Instruments, PlayInTune)
{
    for (int note : {45, 57, 69, 81}) {
        const double f = audio::Frequency(note);
        SCOPED_TRACE(note);
        EXPECT_NEAR(MeasuredFrequency(audio::Pluck(f, 1.0, 0.5, 1), f) / f, 1.0, 0.004);
        EXPECT_NEAR(MeasuredFrequency(audio::Bell(f, 1.0, 0.5), f) / f, 1.0, 0.004);
        EXPECT_NEAR(MeasuredFrequency(audio::BassNote(f, 0.5, 0.5), f) / f, 1.0, 0.004);
    }
}

} // namespace
