#pragma once

#include <QHash>
#include <QString>

#include <optional>

// INI text rules shared by every reader and writer of projet.ini and texture.ini. They follow
// the Windows profile functions: names match ignoring case, only the first section of a name
// is searched, the first key of a name wins, and lines that need no change stay byte for byte.

// Longest value a read returns.
inline constexpr int kIniValueMax = 254;

// An INI text read once, for any number of lookups in constant time.
class IniIndex {
public:
    explicit IniIndex(const QString& text);
    // Value of key in section, or the empty text. One pair of matching quotes around the
    // whole value is removed, then the value is cut to kIniValueMax characters.
    QString value(const QString& section, const QString& key) const;

private:
    // Folded section name -> folded key name -> value as read.
    QHash<QString, QHash<QString, QString>> mSections;
};

// One lookup in an INI text (IniIndex for many).
QString iniValue(const QString& text, const QString& section, const QString& key);

// Whether the pair can be written without breaking the file: names that are not empty, a
// section without "]", a key without "=" that does not open with "[", and no line break
// anywhere (a value holding one would add lines of its own).
bool iniWritable(const QString& section, const QString& key, const QString& value);

// The INI text with key set to value in section, or nothing when the text already holds
// that value (no write needed).
std::optional<QString> iniWithValue(const QString& text, const QString& section,
                                    const QString& key, const QString& value);
