// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/test_content.h"

#include "content/archive_writer.h"
#include "content/item_list.h"
#include "content/sound_cues.h"
#include "content/wav_writer.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageWriter>

#include <array>
#include <cmath>
#include <numbers>

namespace TestContent {

namespace {

struct Noun {
    const char* nominative;
    const char* genitive;
    const char* instrumental;
};

constexpr std::array<Noun, 24> nouns = {{
    {"Jabłko", "Jabłka", "Jabłkiem"},       {"Gruszka", "Gruszki", "Gruszką"},
    {"Śliwka", "Śliwki", "Śliwką"},         {"Cytryna", "Cytryny", "Cytryną"},
    {"Banan", "Banana", "Bananem"},         {"Brzoskwinia", "Brzoskwini", "Brzoskwinią"},
    {"Wiśnia", "Wiśni", "Wiśnią"},          {"Truskawka", "Truskawki", "Truskawką"},
    {"Żołądź", "Żołędzia", "Żołędziem"},    {"Łubin", "Łubinu", "Łubinem"},
    {"Pomarańcza", "Pomarańczy", "Pomarańczą"}, {"Ogórek", "Ogórka", "Ogórkiem"},
    {"Marchewka", "Marchewki", "Marchewką"}, {"Cebula", "Cebuli", "Cebulą"},
    {"Czosnek", "Czosnku", "Czosnkiem"},    {"Ziemniak", "Ziemniaka", "Ziemniakiem"},
    {"Kapusta", "Kapusty", "Kapustą"},      {"Rzodkiewka", "Rzodkiewki", "Rzodkiewką"},
    {"Dynia", "Dyni", "Dynią"},             {"Papryka", "Papryki", "Papryką"},
    {"Orzech", "Orzecha", "Orzechem"},      {"Agrest", "Agrestu", "Agrestem"},
    {"Porzeczka", "Porzeczki", "Porzeczką"}, {"Źdźbło", "Źdźbła", "Źdźbłem"},
}};

QByteArray shortWav(double hz)
{
    // 30 ms of a soft tone, faded in and out.
    const int count = SoundCues::sampleRate * 3 / 100;
    std::vector<qint16> samples(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double fade = std::sin(std::numbers::pi * i / (count - 1));
        samples[size_t(i)] = qint16(6000 * fade * std::sin(2 * std::numbers::pi * hz * i / SoundCues::sampleRate));
    }
    return Wav::pcm16Mono(samples, SoundCues::sampleRate);
}

}  // namespace

QByteArray solidPng(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setCompression(1);
    writer.write(image);
    return bytes;
}

QColor pictureColour(int number)
{
    // Hues 47 degrees apart (47 and 360 share no factor, so the first 360
    // are distinct), strongly saturated so none of them is grey.
    return QColor::fromHsv((number * 47) % 360, 160 + (number % 3) * 40, 220);
}

QStringList itemForms(int index)
{
    const Noun& noun = nouns[size_t(index) % nouns.size()];
    const int round = index / int(nouns.size());
    const QString suffix = round == 0 ? QString() : QString::number(round);
    return {QString::fromUtf8(noun.nominative) + suffix, QString::fromUtf8(noun.genitive) + suffix,
            QString::fromUtf8(noun.instrumental) + suffix};
}

void writeArchive(const QString& dir, const QList<QByteArray>& pngs, const QStringList& names)
{
    QList<ArchiveWriter::Picture> pictures;
    for (qsizetype i = 0; i < pngs.size(); ++i)
        pictures.append({pngs.at(i), names.value(i)});
    ArchiveWriter::write(dir, pictures);
}

void writeContentDir(const QString& dir, int itemsPerList)
{
    QDir().mkpath(dir);
    const QDir base(dir);
    const int n = itemsPerList;

    QList<ArchiveWriter::Picture> pictures;
    for (int k = 0; k < 3 * n; ++k)
        pictures.append({solidPng(QSize(24, 24), pictureColour(k)), QStringLiteral("obraz %1").arg(k)});
    ArchiveWriter::write(dir, pictures);

    QStringList f, g, h;
    for (int j = 0; j < n; ++j) {
        f.append(formatItemLine(j, {}));
        g.append(formatItemLine(n + j, itemForms(j)));
        h.append(formatItemLine(2 * n + j, itemForms(n + j)));
    }
    ArchiveWriter::writeFile(base.filePath(QStringLiteral("F.tx")), encodeItemList(f));
    ArchiveWriter::writeFile(base.filePath(QStringLiteral("G.tx")), encodeItemList(g));
    ArchiveWriter::writeFile(base.filePath(QStringLiteral("H.tx")), encodeItemList(h));

    ArchiveWriter::writeFile(base.filePath(QStringLiteral("A.wv")), shortWav(220));
    ArchiveWriter::writeFile(base.filePath(QStringLiteral("B.wv")), shortWav(660));
    ArchiveWriter::writeFile(base.filePath(QStringLiteral("C.wv")), shortWav(440));
}

}  // namespace TestContent
