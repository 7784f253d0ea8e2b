// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/wav_writer.h"

#include "content/little_endian.h"

#include <QtEndian>

namespace Wav {

QByteArray pcm16Mono(const std::vector<qint16>& samples, int sampleRate)
{
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray file;
    file.reserve(44 + int(dataBytes));
    file.append("RIFF");
    LittleEndian::append<quint32>(file, 36 + dataBytes);
    file.append("WAVEfmt ");
    LittleEndian::append<quint32>(file, 16);
    LittleEndian::append<quint16>(file, 1);   // PCM
    LittleEndian::append<quint16>(file, 1);   // mono
    LittleEndian::append<quint32>(file, quint32(sampleRate));
    LittleEndian::append<quint32>(file, quint32(sampleRate) * 2);
    LittleEndian::append<quint16>(file, 2);   // bytes per frame
    LittleEndian::append<quint16>(file, 16);  // bits per sample
    file.append("data");
    LittleEndian::append<quint32>(file, dataBytes);
    for (const qint16 sample : samples)
        LittleEndian::append<quint16>(file, quint16(sample));
    return file;
}

Info inspect(const QByteArray& file)
{
    Info info;
    auto refuse = [&info](const QString& why) {
        info.valid = false;
        info.problem = why;
        return info;
    };
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return refuse(QStringLiteral("to nie jest plik WAV (brak nagłówka RIFF/WAVE)"));
    qsizetype at = 12;
    bool haveFormat = false;
    while (at + 8 <= file.size()) {
        const QByteArray id = file.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(file.constData() + at + 4);
        const qsizetype body = at + 8;
        if (qint64(size) > file.size() - body)
            return refuse(QStringLiteral("blok „%1” wychodzi poza koniec pliku").arg(QString::fromLatin1(id)));
        const char* bytes = file.constData() + body;
        if (id == "fmt ") {
            if (size < 16)
                return refuse(QStringLiteral("za krótki blok „fmt ”"));
            if (qFromLittleEndian<quint16>(bytes) != 1)
                return refuse(QStringLiteral("dźwięk nie jest zapisany jako zwykłe PCM"));
            info.channels = qFromLittleEndian<quint16>(bytes + 2);
            info.sampleRate = int(qFromLittleEndian<quint32>(bytes + 4));
            info.bitsPerSample = qFromLittleEndian<quint16>(bytes + 14);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return refuse(QStringLiteral("blok „data” przed blokiem „fmt ”"));
            if (info.channels < 1 || info.sampleRate < 8000 || info.bitsPerSample != 16)
                return refuse(QStringLiteral("nieobsługiwany format dźwięku (%1 kan., %2 Hz, %3 bit)")
                                  .arg(info.channels)
                                  .arg(info.sampleRate)
                                  .arg(info.bitsPerSample));
            if (size == 0)
                return refuse(QStringLiteral("plik nie zawiera próbek"));
            info.samples.resize(size / 2);
            for (size_t i = 0; i < info.samples.size(); ++i)
                info.samples[i] = qFromLittleEndian<qint16>(bytes + 2 * i);
            info.valid = true;
            return info;
        }
        at = body + size + (size & 1);
    }
    return refuse(QStringLiteral("brak bloku „data”"));
}

}  // namespace Wav
