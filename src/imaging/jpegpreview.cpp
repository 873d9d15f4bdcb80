// SPDX-License-Identifier: MIT
#include "imaging/jpegpreview.h"

#include <QColorSpace>
#include <QElapsedTimer>
#include <QIODevice>
#include <QTransform>

#include <csetjmp>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <memory>

#include <jerror.h>
#include <jpeglib.h>

namespace {
constexpr qint64 BufferSize = 64 * 1024;

/**
 * Everything libjpeg's callbacks reach. It lives on the heap and is reached
 * only through a pointer, so nothing in it is lost when a callback jumps back
 * out of libjpeg.
 */
struct Context {
    jpeg_error_mgr error{};
    jpeg_progress_mgr progress{};
    jpeg_source_mgr source{};
    std::jmp_buf jump{};
    QIODevice *device = nullptr;
    JpegPreview::Limits limits;
    QElapsedTimer clock;
    QImage image;
    QColorSpace colorSpace;
    JOCTET buffer[BufferSize];
};

Context *contextOf(j_common_ptr cinfo) { return static_cast<Context *>(cinfo->client_data); }

[[noreturn]] void errorExit(j_common_ptr cinfo) { std::longjmp(contextOf(cinfo)->jump, 1); }

void quiet(j_common_ptr) {}

void checkLimits(j_common_ptr cinfo)
{
    Context *context = contextOf(cinfo);
    const JpegPreview::Limits &limits = context->limits;
    const auto *decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (limits.cancelled && limits.cancelled->load(std::memory_order_relaxed))
        std::longjmp(context->jump, 1);
    if ((limits.milliseconds > 0 && context->clock.elapsed() > limits.milliseconds)
        || (limits.maxScans > 0 && decompress->input_scan_number > limits.maxScans)) {
        if (limits.overBudget)
            *limits.overBudget = true;
        std::longjmp(context->jump, 1);
    }
}

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

boolean fillInput(j_decompress_ptr cinfo)
{
    Context *context = contextOf(reinterpret_cast<j_common_ptr>(cinfo));
    qint64 count = context->device->read(reinterpret_cast<char *>(context->buffer), BufferSize);
    if (count <= 0) {
        // A cut-off file ends as if it were complete, as libjpeg's own readers do.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        context->buffer[0] = 0xFF;
        context->buffer[1] = JPEG_EOI;
        count = 2;
    }
    cinfo->src->next_input_byte = context->buffer;
    cinfo->src->bytes_in_buffer = std::size_t(count);
    return TRUE;
}

void skipInput(j_decompress_ptr cinfo, long count)
{
    if (count <= 0)
        return;
    while (count > long(cinfo->src->bytes_in_buffer)) {
        count -= long(cinfo->src->bytes_in_buffer);
        fillInput(cinfo);
    }
    cinfo->src->next_input_byte += count;
    cinfo->src->bytes_in_buffer -= std::size_t(count);
}

/** What the decode will hold at once: the output, and for multi-scan files every coefficient. */
qint64 memoryNeeded(const jpeg_decompress_struct &cinfo)
{
    qint64 bytes = qint64(cinfo.output_width) * cinfo.output_height * 4;
    if (jpeg_has_multiple_scans(const_cast<j_decompress_ptr>(&cinfo))) {
        for (int c = 0; c < cinfo.num_components; ++c) {
            const jpeg_component_info &component = cinfo.comp_info[c];
            const qint64 columns = (qint64(cinfo.image_width) * component.h_samp_factor + cinfo.max_h_samp_factor * DCTSIZE - 1)
                / (cinfo.max_h_samp_factor * DCTSIZE);
            const qint64 rows = (qint64(cinfo.image_height) * component.v_samp_factor + cinfo.max_v_samp_factor * DCTSIZE - 1)
                / (cinfo.max_v_samp_factor * DCTSIZE);
            bytes += (columns + component.h_samp_factor) * (rows + component.v_samp_factor) * DCTSIZE2 * qint64(sizeof(JCOEF));
        }
    }
    return bytes;
}

quint32 readNumber(const uchar *p, int bytes, bool bigEndian)
{
    quint32 value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= quint32(p[bigEndian ? i : bytes - 1 - i]) << (8 * (bytes - 1 - i));
    return value;
}
}

bool JpegPreview::looksLikeJpeg(const QByteArray &start)
{
    return start.startsWith("\xFF\xD8\xFF");
}

int JpegPreview::exifOrientation(const QByteArray &app1)
{
    if (!app1.startsWith(QByteArrayLiteral("Exif\0\0")) || app1.size() < 14)
        return 1;
    const auto *tiff = reinterpret_cast<const uchar *>(app1.constData()) + 6;
    const qint64 size = app1.size() - 6;
    bool bigEndian = false;
    if (std::memcmp(tiff, "MM", 2) == 0)
        bigEndian = true;
    else if (std::memcmp(tiff, "II", 2) != 0)
        return 1;
    const quint32 ifd = readNumber(tiff + 4, 4, bigEndian);
    if (qint64(ifd) + 2 > size) // in 64 bits: an offset near 4 GiB must not wrap round
        return 1;
    const quint32 entries = readNumber(tiff + ifd, 2, bigEndian);
    for (quint32 i = 0; i < entries; ++i) {
        const qint64 entry = qint64(ifd) + 2 + 12 * i;
        if (entry + 12 > size)
            return 1;
        if (readNumber(tiff + entry, 2, bigEndian) == 0x0112 && readNumber(tiff + entry + 2, 2, bigEndian) == 3) {
            const quint32 value = readNumber(tiff + entry + 8, 2, bigEndian);
            return value >= 1 && value <= 8 ? int(value) : 1;
        }
    }
    return 1;
}

QImage JpegPreview::upright(const QImage &stored, int orientation)
{
    switch (orientation) {
    case 2: return stored.mirrored(true, false);
    case 3: return stored.mirrored(true, true);
    case 4: return stored.mirrored(false, true);
    case 5: return stored.transformed(QTransform().rotate(90)).mirrored(true, false);
    case 6: return stored.transformed(QTransform().rotate(90));
    case 7: return stored.transformed(QTransform().rotate(90)).mirrored(false, true);
    case 8: return stored.transformed(QTransform().rotate(270));
    default: return stored;
    }
}

std::optional<QImage> JpegPreview::decode(QIODevice *device, const Limits &limits,
                                          const std::function<QSize(QSize)> &wanted)
{
    const auto context = std::make_unique<Context>();
    context->device = device;
    context->limits = limits;
    context->clock.start();

    jpeg_decompress_struct cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&context->error);
    context->error.error_exit = errorExit;
    context->error.output_message = quiet;
    cinfo.client_data = context.get();
    // Nothing below this point may hold an object that needs destroying:
    // libjpeg's failures jump straight back here.
    if (setjmp(context->jump)) {
        jpeg_destroy_decompress(&cinfo);
        return std::nullopt;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.client_data = context.get();
    if (limits.memoryBytes > 0)
        cinfo.mem->max_memory_to_use = long(limits.memoryBytes);
    context->progress.progress_monitor = checkLimits;
    cinfo.progress = &context->progress;
    context->source.init_source = initSource;
    context->source.fill_input_buffer = fillInput;
    context->source.skip_input_data = skipInput;
    context->source.resync_to_restart = jpeg_resync_to_restart;
    context->source.term_source = termSource;
    cinfo.src = &context->source;

    jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_save_markers(&cinfo, JPEG_APP0 + 2, 0xFFFF); // the colour profile
    jpeg_read_header(&cinfo, TRUE);
    int orientation = 1;
    for (jpeg_saved_marker_ptr marker = cinfo.marker_list; marker && orientation == 1; marker = marker->next) {
        orientation = exifOrientation(QByteArray::fromRawData(reinterpret_cast<const char *>(marker->data),
                                                             int(marker->data_length)));
    }
    const bool quarterTurn = orientation >= 5;
    const QSize stored(int(cinfo.image_width), int(cinfo.image_height));
    QSize need = wanted(quarterTurn ? stored.transposed() : stored);
    if (quarterTurn)
        need.transpose();

    // The smallest reduced decode that still covers the wanted size.
    cinfo.scale_denom = 8;
    for (unsigned int eighths = 1; eighths <= 8; ++eighths) {
        cinfo.scale_num = eighths;
        jpeg_calc_output_dimensions(&cinfo);
        if (int(cinfo.output_width) >= need.width() && int(cinfo.output_height) >= need.height())
            break;
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : (Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB);
    jpeg_calc_output_dimensions(&cinfo);
    if (limits.memoryBytes > 0 && memoryNeeded(cinfo) > limits.memoryBytes) {
        if (limits.overBudget)
            *limits.overBudget = true;
        errorExit(reinterpret_cast<j_common_ptr>(&cinfo));
    }
    JOCTET *profile = nullptr;
    unsigned int profileLength = 0;
    if (!cmyk && jpeg_read_icc_profile(&cinfo, &profile, &profileLength)) {
        context->colorSpace = QColorSpace::fromIccProfile(QByteArray(reinterpret_cast<const char *>(profile), int(profileLength)));
        std::free(profile);
    }

    jpeg_start_decompress(&cinfo);
    context->image = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB32);
    if (context->image.isNull())
        errorExit(reinterpret_cast<j_common_ptr>(&cinfo));
    JSAMPARRAY cmykRow = cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                           cinfo.output_width * 4, 1)
                              : nullptr;
    while (cinfo.output_scanline < cinfo.output_height) {
        auto *line = reinterpret_cast<QRgb *>(context->image.scanLine(int(cinfo.output_scanline)));
        if (!cmyk) {
            JSAMPROW row = reinterpret_cast<JSAMPROW>(line);
            jpeg_read_scanlines(&cinfo, &row, 1);
            continue;
        }
        jpeg_read_scanlines(&cinfo, cmykRow, 1);
        // Photoshop writes CMYK inverted; read it the way other viewers do.
        const JSAMPLE *in = cmykRow[0];
        for (JDIMENSION x = 0; x < cinfo.output_width; ++x, in += 4) {
            const int k = in[3];
            line[x] = qRgb(k * in[0] / 255, k * in[1] / 255, k * in[2] / 255);
        }
    }
    if (limits.damaged)
        *limits.damaged = context->error.num_warnings > 0; // corrupt data, or a file cut short
    // The rest of the file is not needed.
    jpeg_destroy_decompress(&cinfo);
    QImage image = upright(context->image, orientation);
    if (context->colorSpace.isValid())
        image.setColorSpace(context->colorSpace);
    return image;
}
