#include "platform/jpegloader.h"

#include "data/fileerror.h"
#include "data/plainfile.h"
#include "platform/imagelimits.h"

#include <QFileInfo>
#include <QList>

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <vector>

// jpeglib.h first: jerror.h's message list depends on its configuration.
#include <jpeglib.h>
#include <jerror.h>

namespace {

// A photograph file larger than this is not a photograph; it is refused
// unread rather than pulled into memory.
constexpr qint64 MaxJpegFileSize = 256LL * 1024 * 1024;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

struct ScanLimit {
    jpeg_progress_mgr pub;
    int maxScans;
};

// libjpeg's default ends the process; here control goes back to decodeInto.
[[noreturn]] void errorExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// libjpeg only warns about data that runs out or is garbled and then fills the
// rest of the picture with grey or noise; such a file is damaged, and a damaged
// file shows nothing. Harmless oddities (extra bytes between markers, unknown
// JFIF versions) stay warnings.
void emitMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return;
    switch (cinfo->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
        errorExit(cinfo);
    default:
        cinfo->err->num_warnings++;
    }
}

void outputMessage(j_common_ptr) {}

// Called by libjpeg as it reads; a file with too many scans is given up.
void checkScanCount(j_common_ptr cinfo)
{
    const auto* limit = reinterpret_cast<ScanLimit*>(cinfo->progress);
    if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > limit->maxScans)
        errorExit(cinfo);
}

J_DITHER_MODE ditherMode(JpegDither dither)
{
    switch (dither) {
    case JpegDither::None: return JDITHER_NONE;
    case JpegDither::Ordered: return JDITHER_ORDERED;
    case JpegDither::FloydSteinberg: return JDITHER_FS;
    }
    return JDITHER_NONE;
}

constexpr JDIMENSION Batch = 16;   // scanlines read at a time

// Everything that must outlive a longjmp lives here, in the caller's frame:
// decodeInto itself holds no object with a destructor.
struct Decoder {
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    ScanLimit scanLimit{};
    bool created = false;
    QImage image;
    QSize refusedSize;   // of a picture above the pixel limit
    // Ink values of a batch of rows, for a CMYK picture made grey here.
    std::vector<JSAMPLE> inks;
    bool invertedInks = false;

    ~Decoder()
    {
        if (created)
            jpeg_destroy_decompress(&cinfo);
    }
};

// libjpeg's one-pass quantiser without dithering maps each sample on its own
// to the nearest of n evenly spaced levels. That mapping, put in the colour
// table of the undithered samples, gives the very same picture without the
// quantiser's extra pass over every pixel, which costs about a third of the
// whole decode. The levels and their boundaries are the quantiser's own.
QList<QRgb> levelTable(int levels)
{
    const int maxj = levels - 1;
    auto outputValue = [maxj](int j) { return (j * MAXJSAMPLE + maxj / 2) / maxj; };
    auto largestInput = [maxj](int j) { return ((2 * j + 1) * MAXJSAMPLE + maxj) / (2 * maxj); };
    QList<QRgb> table(MAXJSAMPLE + 1);
    int j = 0;
    for (int v = 0; v <= MAXJSAMPLE; ++v) {
        while (v > largestInput(j))
            ++j;
        const int grey = outputValue(j);
        table[v] = qRgb(grey, grey, grey);
    }
    return table;
}

bool allocateImage(Decoder& d)
{
    const auto& cinfo = d.cinfo;
    const bool inks = cinfo.out_color_space == JCS_CMYK;
    if (cinfo.output_components != (inks ? 4 : 1))
        return false;
    QList<QRgb> table;
    if (cinfo.quantize_colors) {
        if (!cinfo.colormap || cinfo.actual_number_of_colors < 1)
            return false;
        table.resize(cinfo.actual_number_of_colors);
        for (int i = 0; i < cinfo.actual_number_of_colors; ++i) {
            const int v = cinfo.colormap[0][i];
            table[i] = qRgb(v, v, v);
        }
    } else {
        table = levelTable(cinfo.desired_number_of_colors);
    }
    d.image = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_Indexed8);
    if (d.image.isNull())
        return false;
    d.image.setColorTable(table);
    if (inks)
        d.inks.resize(std::size_t(cinfo.output_width) * 4 * Batch);
    return true;
}

// The grey of one pixel of ink: the colour the inks leave (each ink takes its
// share of the light, black takes from all three), weighted as libjpeg weighs
// red, green and blue for grey. Adobe's programs store the inks inverted,
// 255 for none.
inline JSAMPLE greyOfInks(const JSAMPLE* ink, bool inverted)
{
    const int c = inverted ? ink[0] : MAXJSAMPLE - ink[0];
    const int m = inverted ? ink[1] : MAXJSAMPLE - ink[1];
    const int y = inverted ? ink[2] : MAXJSAMPLE - ink[2];
    const int k = inverted ? ink[3] : MAXJSAMPLE - ink[3];
    const int r = (c * k + 127) / 255, g = (m * k + 127) / 255, b = (y * k + 127) / 255;
    return JSAMPLE((19595 * r + 38470 * g + 7471 * b + 32768) >> 16);
}

bool readAllScanlines(Decoder& d)
{
    auto& cinfo = d.cinfo;
    uchar* bits = d.image.bits();
    const qsizetype stride = d.image.bytesPerLine();
    const bool inks = !d.inks.empty();
    const std::size_t inkStride = std::size_t(cinfo.output_width) * 4;
    JSAMPROW rows[Batch];
    while (cinfo.output_scanline < cinfo.output_height) {
        const JDIMENSION first = cinfo.output_scanline;
        const JDIMENSION n = std::min(Batch, cinfo.output_height - first);
        for (JDIMENSION i = 0; i < n; ++i)
            rows[i] = inks ? d.inks.data() + i * inkStride : bits + qsizetype(first + i) * stride;
        const JDIMENSION got = jpeg_read_scanlines(&cinfo, rows, n);
        if (got == 0)
            return false;
        for (JDIMENSION i = 0; inks && i < got; ++i) {
            uchar* out = bits + qsizetype(first + i) * stride;
            const JSAMPLE* in = rows[i];
            for (JDIMENSION x = 0; x < cinfo.output_width; ++x, in += 4)
                out[x] = greyOfInks(in, d.invertedInks);
        }
    }
    return true;
}

bool decodeInto(Decoder& d, const uchar* data, qsizetype size, const JpegDecodeOptions& options,
                const JpegPassCallback* onPass)
{
    j_decompress_ptr cinfo = &d.cinfo;
    cinfo->err = jpeg_std_error(&d.err.pub);
    d.err.pub.error_exit = errorExit;
    d.err.pub.emit_message = emitMessage;
    d.err.pub.output_message = outputMessage;
    if (setjmp(d.err.jump))
        return false;

    jpeg_create_decompress(cinfo);
    d.created = true;
    d.scanLimit.pub.progress_monitor = checkScanCount;
    d.scanLimit.maxScans = options.maxScans;
    cinfo->progress = &d.scanLimit.pub;
    jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(cinfo, TRUE);
    if (qint64(cinfo->image_width) * qint64(cinfo->image_height) > options.maxPixels) {
        d.refusedSize = QSize(int(std::min<JDIMENSION>(cinfo->image_width, INT_MAX)),
                              int(std::min<JDIMENSION>(cinfo->image_height, INT_MAX)));
        return false;
    }

    // libjpeg turns CMYK and YCCK into CMYK only; the grey is made here, and
    // quantised by the colour table like any other.
    const bool inks = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    d.invertedInks = inks && cinfo->saw_Adobe_marker;
    cinfo->out_color_space = inks ? JCS_CMYK : JCS_GRAYSCALE;
    cinfo->dct_method = JDCT_ISLOW;
    cinfo->scale_num = 1;
    cinfo->scale_denom = 1;
    cinfo->desired_number_of_colors = std::clamp(options.greyLevels, 2, MAXJSAMPLE + 1);
    cinfo->quantize_colors = options.quantiser == JpegQuantiser::Libjpeg && !inks ? TRUE : FALSE;
    cinfo->two_pass_quantize = FALSE;
    cinfo->dither_mode = ditherMode(options.dither);
    const bool progressive = onPass && jpeg_has_multiple_scans(cinfo);
    cinfo->buffered_image = progressive ? TRUE : FALSE;

    jpeg_start_decompress(cinfo);
    if (!progressive) {
        if (!allocateImage(d) || !readAllScanlines(d))
            return false;
        jpeg_finish_decompress(cinfo);
        if (onPass)
            (*onPass)(d.image, 1);
        return true;
    }

    // One display pass per scan, in step with the input.
    for (;;) {
        jpeg_start_output(cinfo, cinfo->input_scan_number);
        if (d.image.isNull() && !allocateImage(d))
            return false;
        if (!readAllScanlines(d))
            return false;
        jpeg_finish_output(cinfo);
        (*onPass)(d.image, cinfo->output_scan_number);
        if (jpeg_input_complete(cinfo) && cinfo->input_scan_number == cinfo->output_scan_number)
            break;
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

QImage decode(const uchar* data, qsizetype size, const JpegDecodeOptions& options,
              const JpegPassCallback* onPass, QSize* refusedSize = nullptr)
{
    if (!data || size <= 0)
        return {};
    Decoder d;
    if (!decodeInto(d, data, size, options, onPass)) {
        if (refusedSize)
            *refusedSize = d.refusedSize;
        return {};
    }
    return d.image;
}

} // namespace

QImage decodeJpeg(const uchar* data, qsizetype size, const JpegDecodeOptions& options)
{
    return decode(data, size, options, nullptr);
}

QImage decodeJpeg(const QByteArray& data, const JpegDecodeOptions& options)
{
    return decode(reinterpret_cast<const uchar*>(data.constData()), data.size(), options, nullptr);
}

QImage decodeJpegProgressively(const QByteArray& data, const JpegPassCallback& onPass,
                               const JpegDecodeOptions& options)
{
    return decode(reinterpret_cast<const uchar*>(data.constData()), data.size(), options,
                  onPass ? &onPass : nullptr);
}

QImage loadJpegFile(const QString& fileName, const JpegDecodeOptions& options)
{
    const QByteArray bytes =
        readPlainFile(fileName, MaxJpegFileSize, "geen geldig beeldbestand", tooLargeFileText(MaxJpegFileSize));
    QSize refused;
    const QImage image =
        decode(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size(), options, nullptr, &refused);
    if (refused.isValid())
        throw tooLargePictureError(fileName, refused);
    return image;
}

bool hasJpegExtension(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    return suffix.compare(QLatin1String("jpg"), Qt::CaseInsensitive) == 0
        || suffix.compare(QLatin1String("jpeg"), Qt::CaseInsensitive) == 0;
}
