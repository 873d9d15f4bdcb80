// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

/**
 * A new file written under a short temporary name beside its destination and
 * then renamed over it. Whatever stands at the destination, a file or a
 * symbolic link, is replaced as a whole and never written through; a failure
 * at any step leaves it as it was. Writes go straight to the file system, so
 * a full disk is noticed at the write that meets it.
 */
class ReplacingFile
{
public:
    explicit ReplacingFile(const QString &destination);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile &) = delete;
    ReplacingFile &operator=(const ReplacingFile &) = delete;

    /** Creates the temporary file; false with errorString() when it cannot. */
    bool open();
    bool write(const char *data, qint64 size);
    /** Checks the size written, closes the file and renames it over the destination. */
    bool commit();

    QString errorString() const { return m_error; }
    /** The operating system's reason for an error number. */
    static QString reason(int error);

private:
    bool fail(int error);
    bool sizeKept();
    bool rename();

    QString m_destination;
    QString m_temporary;
    int m_fd = -1;
    qint64 m_written = 0;
    QString m_error;
};
