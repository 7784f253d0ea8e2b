// SPDX-License-Identifier: GPL-3.0-or-later
#include "content/picture_archive.h"

#include "content/io_error.h"
#include "content/png_decode.h"
#include "content/windows1250.h"

#include <QFile>
#include <QtEndian>

#include <array>
#include <cerrno>
#include <vector>

namespace {

// Byte offsets of records are 32-bit in the format and must stay below this.
constexpr qint64 offsetLimit = qint64(1) << 31;

// One archive file opened for record-wise reading. Unbuffered: every read
// goes to the system as one request for whole records, with no copy through
// a buffer (a load reads one index record and one run of data records).
// Closed when it goes out of scope; every failure is raised as the game's
// I/O error.
class RecordFile {
public:
    RecordFile(const QString& path, int recordSize) : m_file(path), m_recordSize(recordSize)
    {
        // A NUL cannot stand in a file name on any system; Qt would refuse it
        // only after warnings of its own.
        if (path.size() > IoError::maxPathLength || path.contains(QChar(0)))
            IoError::raise(IoError::InvalidFileName);
        errno = 0;
        if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            const int systemError = errno;
            IoError::raise(IoError::classifyOpenFailure(path, systemError));
        }
        m_size = m_file.size();
    }

    // Whole records in the file; a record cut short by the end does not count.
    qint64 recordCount() const { return m_size / m_recordSize; }

    // Checks that records first .. first + count - 1 can be read: a negative
    // position is a failed seek, a record past the end (or at a byte offset
    // the format cannot express) is reading beyond the end.
    void checkRange(qint64 first, qint64 count) const
    {
        if (first < 0)
            IoError::raise(IoError::NegativeSeek);
        if (count <= 0)
            return;
        const qint64 last = first + count - 1;
        if (last >= recordCount() || last * m_recordSize >= offsetLimit)
            IoError::raise(IoError::ReadBeyondEnd);
    }

    // Reads `count` whole records from record `first` on into `records`.
    void read(qint64 first, qint64 count, char* records)
    {
        checkRange(first, count);
        const qint64 position = first * m_recordSize;
        if (m_file.pos() != position && !m_file.seek(position))
            IoError::raise(IoError::ReadFault);
        const qint64 wanted = count * m_recordSize;
        qint64 got = 0;
        while (got < wanted) {
            const qint64 n = m_file.read(records + got, wanted - got);
            if (n < 0)
                IoError::raise(IoError::ReadFault);
            if (n == 0)
                IoError::raise(IoError::ReadBeyondEnd);  // the file shrank under us
            got += n;
        }
    }

    void close()
    {
        m_file.close();
        if (m_file.error() != QFileDevice::NoError)
            IoError::raise(IoError::ReadFault);
    }

private:
    QFile m_file;
    int m_recordSize;
    qint64 m_size = 0;
};

qint32 readInt32(const char* bytes)
{
    return qFromLittleEndian<qint32>(bytes);
}

}  // namespace

QString PictureArchive::nameOf(const QByteArray& field)
{
    if (field.isEmpty())
        return {};
    const int used = qMin(int(quint8(field.at(0))), qMin(nameCapacity, int(field.size()) - 1));
    const QByteArray characters = field.mid(1, used);
    // Characters 1 and 2 are never part of the name.
    const QByteArray candidate = characters.mid(2);
    const int cr = candidate.indexOf('\r');
    if (cr < 0)
        return {};
    return Windows1250::decode(candidate.left(cr));
}

QImage LoadArchivePicture(const QString& directory, qint32 number, QString& name)
{
    using namespace PictureArchive;
    // Data records are read in runs of this many, so a large picture never
    // needs all its records in memory at once.
    constexpr qint64 recordsPerRead = 64;
    QByteArray stream;
    {
        RecordFile index(directory + QStringLiteral("E.bt"), indexRecordSize);
        RecordFile data(directory + QStringLiteral("D.bb"), dataRecordSize);

        std::array<char, indexRecordSize> entry{};
        index.read(number, 1, entry.data());
        const qint32 first = readInt32(entry.data());
        const qint32 count = readInt32(entry.data() + 4);
        name = nameOf(QByteArray(entry.data() + 13, 1 + nameCapacity));

        data.checkRange(first, count);
        if (count > maxPictureRecords)
            throw GameError(QStringLiteral("Obraz nr %1 w archiwum jest za duży (%2 rekordów danych)")
                                .arg(number)
                                .arg(count));
        if (count > 0) {
            stream.reserve(int(qMin<qint64>(qint64(count) * payloadCapacity, maxPictureBytes)));
            std::vector<char> records(size_t(qMin<qint64>(count, recordsPerRead)) * dataRecordSize);
            for (qint64 done = 0; done < count;) {
                const qint64 run = qMin<qint64>(count - done, recordsPerRead);
                data.read(first + done, run, records.data());
                for (qint64 i = 0; i < run; ++i) {
                    const char* record = records.data() + i * dataRecordSize;
                    if (stream.size() + quint8(record[1]) > maxPictureBytes)
                        throw GameError(QStringLiteral("Obraz nr %1 w archiwum jest za duży (ponad %2 bajtów)")
                                            .arg(number)
                                            .arg(maxPictureBytes));
                    stream.append(record + 2, quint8(record[1]));
                }
                done += run;
            }
        }
        data.close();
        index.close();
    }  // both files closed here, before the decoding
    return decodeOpaquePng(stream);
}
