// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three sound cues of the game, synthesised rather than recorded:
// cue 0 (mistake) short and low, cue 1 (game won) bright and rising,
// cue 2 (round over) a longer falling call. Soft attacks and releases, so
// nothing clicks, and a modest peak well below full scale.

#include <QtGlobal>

#include <vector>

namespace SoundCues {
inline constexpr int sampleRate = 44100;
inline constexpr double peakLevel = 0.45;  // of full scale
inline constexpr int cueCount = 3;

// Mono 16-bit samples of cue 0, 1 or 2 (empty for any other number).
std::vector<qint16> synthesize(int cue);
}
