#pragma once

// The toolkit's settings file object over an INI file: section lines
// ("[name]") followed by "key=value" lines.
//
// The rules are those of the Windows profile functions: section and key names
// compare without regard to case; blanks around names and values are ignored;
// the first of two equal sections or keys counts; a value read is at most
// 2047 characters (a 2048-character buffer with its terminator), the default
// included.
//
// Constructing touches no disk. The file is read once, at the first read or
// write: UTF-8 (a byte-order mark skipped), or Windows-1250 when it is not
// valid UTF-8; a missing or unreadable file reads as empty. Writes change only
// the copy in memory and later reads see them: a key is updated in place, a new
// key goes after the last line of its section, a new section at the end of the
// file, and every other line (comments, other keys, blank lines) stays as it
// was. UpdateFile writes the whole file at once as UTF-8 with CR LF line ends.

#include <QString>
#include <QStringList>

class TIniFile
{
public:
    explicit TIniFile(const QString& fileName);

    QString FileName() const { return m_fileName; }

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    // Decimal with an optional minus, or hexadecimal after "0x"/"0X" (taken as
    // 32 bits, so "0xFF00000F" reads -16777201); anything else, "12abc" and
    // numbers beyond the int range included, gives `defaultValue`.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    // The integer as above, true when not 0.
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value); // "1" or "0"

    // Writes the file with every write made so far, through a temporary file in
    // the same folder that replaces the old file only once complete, so a
    // failure leaves the old file as it was. Does nothing when nothing was
    // written. Throws EFCreateError when the folder is missing (it is never
    // created), the file is there but could not be read, or it cannot be
    // written.
    void UpdateFile();

private:
    // The index of the section's header line, or -1.
    qsizetype sectionLine(const QString& section) const;
    // The index of the key's line inside the section starting at
    // `headerLine`, or -1.
    qsizetype keyLine(qsizetype headerLine, const QString& key) const;
    // The index after the section's last line that is not blank.
    qsizetype sectionEnd(qsizetype headerLine) const;
    const QStringList& lines() const;

    QString m_fileName;
    mutable QStringList m_lines;
    mutable bool m_loaded = false;
    mutable QString m_readError; // why a file that exists could not be read
    bool m_changed = false;
};
