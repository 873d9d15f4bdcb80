// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <optional>

struct SlideShowTemplates;

/**
 * Reads back a slide show page that this program wrote, finished or cut short,
 * so that a new batch can continue it: its slides with their file names and
 * captions as typed, its name, and the exact bytes of its head and entries.
 * A page cut at any byte, or padded with NULs as a crash leaves it, keeps the
 * slides written whole. Anything else is refused as a whole, with the reason.
 */
class SlideShowReader
{
    Q_DECLARE_TR_FUNCTIONS(SlideShowReader)

public:
    struct Slide {
        QString picture;
        QString caption;
        bool webSized = false; // named with a thumbnail: the copy is a web-sized one
        QString thumbnail;     // as the page names it; empty for a slide of an original
        qsizetype offset = 0;  // where its entry begins in the page
    };

    /** Reads the page at path; false, with reason(), when it is not one this program writes. */
    bool read(const QString &path, const SlideShowTemplates &templates);
    /** The same for a page's bytes. */
    bool parse(const QByteArray &page, const SlideShowTemplates &templates);

    /** Why the page cannot be continued, as the end of a sentence; empty after a successful read. */
    const QString &reason() const { return m_reason; }
    const QList<Slide> &slides() const { return m_slides; }
    /** The slide show's name; only a finished page records one. */
    const std::optional<QString> &name() const { return m_name; }
    /** The head and every slide entry, byte for byte: what the continued page begins with. */
    const QByteArray &headAndEntries() const { return m_kept; }
    /** True when the page was cut short or padded at its end, and what followed its whole slides is dropped. */
    bool cutShort() const { return m_cut; }
    /** The head the page begins with, its line end included: what precedes its first entry. */
    QByteArray head() const { return m_kept.left(m_headSize); }
    /** The middle and end templates a completed page was written with; nothing for an unfinished page. */
    const std::optional<QByteArray> &middle() const { return m_middle; }
    const std::optional<QByteArray> &end() const { return m_end; }

private:
    enum class Entry { Complete, Cut, Broken };
    bool refuse(const QString &reason);
    /** Reads the entry at pos and moves pos past it; Cut when the page ends inside it. */
    Entry readEntry(const QByteArray &page, qsizetype &pos);
    bool readClosingRows(const QByteArray &page, qsizetype pos);

    QString m_reason;
    QList<Slide> m_slides;
    std::optional<QString> m_name;
    QByteArray m_kept;
    qsizetype m_headSize = 0;
    std::optional<QByteArray> m_middle;
    std::optional<QByteArray> m_end;
    bool m_cut = false;
};
