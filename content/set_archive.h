// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A set as one file to hand to a colleague: a .zestaw file is a ZIP archive
// (written and read with libarchive) holding the files of a built set, each
// at the top, nothing else. ZIP because every system opens it, Windows with
// no extra program, so a teacher can look inside; its members are
// compressed one by one, so a damaged file loses no more than its part.
// Reading one is reading input from anyone: every member is checked before
// anything is kept, and a file that breaks a rule is refused whole.

#include <QString>

#include <memory>

class QTemporaryDir;

namespace SetArchive {

inline const QString suffix = QStringLiteral(".zestaw");
inline constexpr qint64 maxMemberSize = 64LL * 1024 * 1024;
inline constexpr qint64 maxTotalSize = 256LL * 1024 * 1024;

// True when `path` names a .zestaw file (by its suffix, any case).
bool isSetFile(const QString& path);

// Writes the built set `contentDir` (checked first) into `path`; an existing
// file of that name is replaced only once the new one is whole. Throws
// GameError, in Polish, on a fault.
void write(const QString& contentDir, const QString& path);

// Unpacks the .zestaw file `path` into the empty folder `into`. Refuses
// (GameError naming the file and the member) a member with an absolute
// path, "..", a folder in its path, a link, a device or anything but a
// regular file, a member larger than maxMemberSize or a total past
// maxTotalSize, a name twice, and any file a set does not have. On a
// refusal `into` is left empty.
void extract(const QString& path, const QString& into);

// A set named on the command line: a folder as it is, a .zestaw file
// unpacked into a temporary folder that lives as long as this.
class OpenedSet {
public:
    explicit OpenedSet(const QString& source);
    ~OpenedSet();
    QString dir() const { return m_dir; }
    // The set's name: the folder's name, or the file's without .zestaw.
    QString name() const { return m_name; }

private:
    std::unique_ptr<QTemporaryDir> m_scratch;
    QString m_dir;
    QString m_name;
};

}  // namespace SetArchive
