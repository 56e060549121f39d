#pragma once

// The shared file helpers every window reads and writes project files through. They hold no
// state and keep no file open. Reads give the empty text for a missing file or key; writes
// return false when nothing could be written (the file then keeps its old content whole).
// Text is Windows-1252 on disk; paths use "/".

#include <QString>

#include <optional>

QString readini(const QString& section, const QString& key, const QString& file);
// Refuses (false, nothing written) a pair that would break the file: an empty name, "]" in
// the section, "=" in the key, a line break anywhere.
bool writeini(const QString& section, const QString& key, const QString& value,
              const QString& file);

// Whole file as stored, line breaks included; only regular files are read.
QString readfile(const QString& path);
// Replaces the file with text followed by CR LF. An empty path writes nothing.
bool writefile(const QString& text, const QString& path);

// Map number text: "0" and the digit below 10, plain decimal from 10 up ("01", "10", "123").
// Also names texture sets.
QString mapNumberText(int n);

// A count or number read from a file: blanks around it, an optional sign and decimal digits
// ("02" is 2). Anything else is no number.
std::optional<int> wholeNumber(const QString& text);

// The path itself when it exists; otherwise each component that does not exist under its
// exact name is looked up again ignoring letter case, so that projects and data made on a
// case-insensitive file system still open. Components that match nothing stay as given.
// The player finds the files a game names the same way, as on the console's FAT card.
QString resolvePath(const QString& path);

// Replaces the file with the bytes: written to a temporary file in the same folder, then
// renamed over the target, so a failed write leaves the old file whole. A file whose
// permissions forbid writing is left alone, also for the superuser. A symbolic link is
// replaced by the file, never written through. A temporary file left by a save that was
// killed is removed at the next save of that file.
bool writeBytes(const QByteArray& bytes, const QString& path);

// Whether writeBytes may replace the file: a file whose permissions allow writing (a file
// without any write permission is left alone, also for the superuser), a symbolic link, or a
// missing file, in a folder that exists. Saves of several files check them all before writing any.
bool canReplace(const QString& path);

// A write past a file size limit (ulimit -f) fails and is reported instead of ending the
// program: programs that write project files call this once at start.
void reportFileSizeLimit();

// Byte-for-byte copy of a regular file that replaces the destination atomically.
bool copyFileReplacing(const QString& from, const QString& to);
