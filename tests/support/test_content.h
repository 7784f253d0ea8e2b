// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A complete, valid content directory for the test suites of the whole game,
// made in a few milliseconds. Layout of what writeContentDir makes, with
// n = itemsPerList:
//   E.bt/D.bb  3n solid-colour PNG pictures (pictureColour(k) for picture k),
//              named "obraz <k>";
//   F.tx       line j: picture j, no name forms;
//   G.tx       line j: picture n + j, forms itemForms(j);
//   H.tx       line j: picture 2n + j, forms itemForms(n + j);
//   A.wv B.wv C.wv  short valid 16-bit PCM WAVs.
// Lists are UTF-8 with a byte-order mark, lines ended by CR LF.

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

namespace TestContent {

void writeContentDir(const QString& dir, int itemsPerList = 16);
// E.bt and D.bb holding `pngs` as pictures 0, 1, …, named by `names` where given.
void writeArchive(const QString& dir, const QList<QByteArray>& pngs, const QStringList& names = {});
// An RGB PNG (no alpha) of one colour.
QByteArray solidPng(QSize size, QColor colour);

// The colour of picture `number` in a directory from writeContentDir: all
// distinct, opaque.
QColor pictureColour(int number);
// The three forms (nominative, genitive, instrumental, capitalised) of an
// item; distinct for distinct `index`.
QStringList itemForms(int index);

}  // namespace TestContent
