// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plain PCM WAV files (RIFF, a 16-byte "fmt " chunk, "data"), the form the
// platform's sound playback reads: written for the sound cues, inspected by
// the content check.

#include <QByteArray>
#include <QString>

#include <vector>

namespace Wav {

// A mono 16-bit PCM file of `samples` at `sampleRate`.
QByteArray pcm16Mono(const std::vector<qint16>& samples, int sampleRate);

struct Info {
    bool valid = false;
    QString problem;        // Polish, when not valid
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::vector<qint16> samples;  // of a 16-bit mono file
};

// Reads the header and the samples of a plain PCM file; anything else is
// not valid, with the reason.
Info inspect(const QByteArray& file);

}  // namespace Wav
