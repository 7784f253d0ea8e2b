// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/sound_cues.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace SoundCues {

namespace {

struct Note {
    double start;      // seconds
    double length;     // seconds
    double fromHz;
    double toHz;       // a glide when it differs from fromHz
    double overtone;   // level of the second harmonic
};

// Adds one note: a sine with a little second harmonic under an envelope of
// a short attack, an exponential decay and a release to silence.
void addNote(std::vector<double>& out, const Note& note)
{
    const int first = int(note.start * sampleRate);
    const int count = int(note.length * sampleRate);
    const double attack = 0.012 * sampleRate;
    const double release = 0.04 * sampleRate;
    double phase = 0;
    for (int i = 0; i < count && first + i < int(out.size()); ++i) {
        const double t = double(i) / count;
        const double hz = note.fromHz * std::pow(note.toHz / note.fromHz, t);
        phase += 2 * std::numbers::pi * hz / sampleRate;
        double envelope = std::exp(-2.2 * t);
        envelope *= std::min(1.0, i / attack);
        envelope *= std::min(1.0, (count - 1 - i) / release);
        out[size_t(first + i)] += envelope * (std::sin(phase) + note.overtone * std::sin(2 * phase));
    }
}

std::vector<Note> notesOf(int cue)
{
    switch (cue) {
    case 0:  // mistake: a low, short double buzz, slightly falling
        return {{0.0, 0.14, 196, 185, 0.35}, {0.12, 0.16, 165, 147, 0.35}};
    case 1:  // won: a rising major arpeggio, C5 E5 G5 C6
        return {{0.00, 0.22, 523.25, 523.25, 0.15}, {0.09, 0.22, 659.25, 659.25, 0.15},
                {0.18, 0.22, 783.99, 783.99, 0.15}, {0.27, 0.40, 1046.5, 1046.5, 0.15}};
    case 2:  // round over: a longer falling call, G5 E5 C5 with the last one sinking
        return {{0.00, 0.42, 783.99, 783.99, 0.2}, {0.38, 0.42, 659.25, 659.25, 0.2},
                {0.76, 0.70, 523.25, 440.0, 0.2}};
    default:
        return {};
    }
}

}  // namespace

std::vector<qint16> synthesize(int cue)
{
    const std::vector<Note> notes = notesOf(cue);
    if (notes.empty())
        return {};
    double end = 0;
    for (const Note& note : notes)
        end = std::max(end, note.start + note.length);
    std::vector<double> mix(size_t(end * sampleRate) + 1, 0.0);
    for (const Note& note : notes)
        addNote(mix, note);

    double peak = 0;
    for (const double value : mix)
        peak = std::max(peak, std::abs(value));
    const double scale = peak > 0 ? peakLevel * 32767.0 / peak : 0;
    std::vector<qint16> samples(mix.size());
    std::transform(mix.begin(), mix.end(), samples.begin(),
                   [scale](double value) { return qint16(std::lround(value * scale)); });
    samples.back() = 0;
    return samples;
}

}  // namespace SoundCues
