#pragma once
#include "Synth.h"

#include <functional>
#include <string>
#include <vector>

// Writing music down: note names, lines of notes, chord progressions, drum
// patterns, and an arrangement that plays them into a loop of whole bars.
namespace audio {

// "C4" is 60, "F#5" 78, "Bb3" 58.
int Pitch(const std::string& name);

struct Note {
    double beat = 0, beats = 0;
    int pitch = 0;
};

// A line like "E5:.5 r:.25 E5:.25 A5:1": a note name (or r for a rest) and a
// length in beats; each note starts where the one before ended.
std::vector<Note> Line(const std::string& text, double startBeat = 0);

// One chord per bar, written as note names from the bass up: "D3 F#3 A3 C#4".
using Progression = std::vector<std::string>;
std::vector<int> Chord(const std::string& text);

struct Voice {
    double gain = 1, pan = 0, reverb = 0, echo = 0;
};

// A pitched instrument: frequency, length in seconds and a number that varies
// from note to note (for noise seeds).
using Instrument = std::function<Mono(double frequency, double seconds, uint32_t variation)>;

struct Space {
    double roomSize = 0.5, damping = 0.4;
    double echoBeats = 0.75, echoFeedback = 0.3;
};

class Arrangement {
public:
    Arrangement(int bpm, int bars);
    int Bars() const { return m_bars; }
    double Seconds(double beats) const { return beats * 60.0 / m_bpm; }
    void Play(const Mono& sound, double beat, const Voice& voice, double velocity = 1.0);
    // The dry sound with its echoes and reverb, all joined up at the seam.
    Stereo Mix(const Space& space) const;

private:
    int m_bpm, m_bars;
    Stereo m_dry, m_reverb, m_echo;
};

void PlayLine(
    Arrangement& a, const std::string& line, double startBeat, const Instrument& instrument, const Voice& voice);
// Each chord held through its bar; the progression starts at bar 'firstBar'
// here and in the arpeggios and bass lines below.
void PlayChords(
    Arrangement& a, const Progression& chords, const Instrument& instrument, const Voice& voice, int firstBar = 0);
// Chord tones picked in an order given per bar: digits index the tones from
// the bass up (higher digits go on into the next octave), '.' is a rest.
void PlayArpeggio(Arrangement& a, const Progression& chords, const std::string& order, int transpose,
    const Instrument& instrument, const Voice& voice, int firstBar = 0);
// A bass line per bar: 'x' the root, 'o' the root an octave up, '5' the
// fifth, '.' holds the note before. The root is the chord's lowest note.
void PlayBass(Arrangement& a, const Progression& chords, const std::string& steps, int transpose,
    const Instrument& instrument, const Voice& voice, int firstBar = 0);
// A drum pattern per bar: 'X' accented, 'x' normal, 'o' soft, '.' silent;
// from bar 'first' up to (not including) bar 'last'.
void PlayPattern(
    Arrangement& a, const std::string& steps, const std::vector<Mono>& hits, const Voice& voice, int first, int last);

} // namespace audio
