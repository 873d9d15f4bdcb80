// SPDX-License-Identifier: MIT
#include "imaging/photodescription.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

// exiv2 0.27 hands images out in std::auto_ptr.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <exiv2/exiv2.hpp>

#include <mutex>

namespace {

std::mutex s_xmpMutex;

void lockXmp(void *, bool lock)
{
    if (lock)
        s_xmpMutex.lock();
    else
        s_xmpMutex.unlock();
}

/** exiv2 is set up once: quiet, and its XMP parser safe to use from several threads. */
void setUpExiv2()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize(lockXmp, nullptr);
    });
}

/** Metadata texts are UTF-8 when they are valid UTF-8, and Latin-1 otherwise. */
QString decoded(const std::string &bytes)
{
    const QByteArray raw = QByteArray::fromStdString(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(raw);
    return utf8.hasError() ? QString::fromLatin1(raw) : text;
}

QString xmpDescription(const Exiv2::XmpData &xmp)
{
    const auto found = xmp.findKey(Exiv2::XmpKey("Xmp.dc.description"));
    if (found == xmp.end())
        return QString();
    if (const auto *alternatives = dynamic_cast<const Exiv2::LangAltValue *>(&found->value())) {
        const auto fallback = alternatives->value_.find("x-default");
        if (fallback != alternatives->value_.end())
            return decoded(fallback->second);
        return alternatives->value_.empty() ? QString() : decoded(alternatives->value_.begin()->second);
    }
    return decoded(found->toString());
}

QString iptcDescription(const Exiv2::IptcData &iptc)
{
    const auto found = iptc.findKey(Exiv2::IptcKey("Iptc.Application2.Caption"));
    return found == iptc.end() ? QString() : decoded(found->toString());
}

QString exifText(const Exiv2::ExifData &exif, const char *key)
{
    const auto found = exif.findKey(Exiv2::ExifKey(key));
    return found == exif.end() ? QString() : decoded(found->toString());
}

QString suggestion(Exiv2::Image::AutoPtr image)
{
    if (!image.get())
        return QString();
    image->readMetadata();
    const Exiv2::ExifData &exif = image->exifData();
    const QString make = PhotoDescription::cleaned(exifText(exif, "Exif.Image.Make"));
    const QString model = PhotoDescription::cleaned(exifText(exif, "Exif.Image.Model"));
    // Photo managers keep XMP up to date first; EXIF is often the camera's own.
    const QString candidates[] = {xmpDescription(image->xmpData()), iptcDescription(image->iptcData()),
                                  exifText(exif, "Exif.Image.ImageDescription")};
    for (const QString &candidate : candidates) {
        const QString text = PhotoDescription::cleaned(candidate);
        if (!PhotoDescription::isJunk(text, make, model))
            return text;
    }
    return QString();
}

template<class Open>
QString readGuarded(Open open)
{
    setUpExiv2();
    try {
        return suggestion(open());
    } catch (const std::exception &) {
        return QString(); // damaged metadata: no suggestion
    } catch (...) {
        return QString();
    }
}

} // namespace

QString PhotoDescription::read(const QString &path)
{
    return readGuarded([&path] { return Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString(), false); });
}

QString PhotoDescription::read(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
    return readGuarded([&bytes] {
        return Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte *>(bytes.constData()), long(bytes.size()));
    });
}

#pragma GCC diagnostic pop

QString PhotoDescription::cleaned(const QString &text)
{
    QString line;
    line.reserve(text.size());
    for (const QChar c : text) {
        if (c.isNull())
            break; // fixed-length fields are padded with NULs
        line += (c.category() == QChar::Other_Control || c.isSpace()) ? QChar(u' ') : c;
    }
    return line.simplified();
}

bool PhotoDescription::isJunk(const QString &text, const QString &make, const QString &model)
{
    if (text.isEmpty())
        return true;
    // What cameras and their software write when the user wrote nothing.
    static const QRegularExpression stock(
        QStringLiteral("^(?:"
                       "(?:[a-z]+ ){0,2}digital (?:still )?camera|"
                       "(?:[a-z]+ ){0,2}dsc|dcf ?\\d.*|"
                       "(?:[a-z]+ ){0,2}camera pictures?|"
                       "exif_jpeg_picture|default|image|picture|photo|untitled|description|"
                       "(?:img|dsc|dscn|dscf|imag|pict?|sam|cimg|p|_mg|dji)[_-]?\\d+(?:\\.jpe?g)?|"
                       "lead technologies.*|created with .*|"
                       "\\W+"
                       ")$"),
        QRegularExpression::CaseInsensitiveOption);
    if (stock.match(text).hasMatch())
        return true;
    // The camera's own name, alone or with its maker's.
    const auto same = [&text](const QString &name) { return !name.isEmpty() && text.compare(name, Qt::CaseInsensitive) == 0; };
    return same(make) || same(model) || same(make + QLatin1Char(' ') + model);
}
