#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>

// JPEG decoding through libjpeg, the way the program shows its photographs:
// greyscale (a CMYK or YCCK picture too, from the colour its inks leave),
// accurate integer DCT, full scale, quantised to a fixed set of evenly spaced
// grey levels. The result is an Indexed8 image (a null image for
// anything that is not a whole, valid JPEG); its colour table maps every index
// to one of those levels.

enum class JpegQuantiser {
    // The decoded samples index a colour table that maps each of them to its
    // level exactly as libjpeg's undithered one-pass quantiser does: the same
    // picture, without a pass over every pixel. Dithering does not apply.
    ColourTable,
    // libjpeg's own one-pass quantiser (quantize_colors), with `dither`; the
    // colour table then holds just the levels. Not for CMYK pictures, which
    // libjpeg cannot make grey: they always go by the colour table.
    Libjpeg,
};

enum class JpegDither {
    None,            // nearest level; with 236 levels a step is ~1.08 grey values
    Ordered,
    FloydSteinberg,  // libjpeg's default; the slowest by far
};

struct JpegDecodeOptions {
    int greyLevels = 236;
    JpegQuantiser quantiser = JpegQuantiser::ColourTable;
    JpegDither dither = JpegDither::None;
    // Pictures claiming more pixels than this are refused before any memory is
    // spent on them; no photograph of the atlas comes anywhere near.
    qint64 maxPixels = 64LL * 1024 * 1024;
    // A progressive file refines its picture in a handful of scans; thousands
    // of tiny scans would only keep the decoder busy.
    int maxScans = 100;
};

// Decodes a JPEG held in memory. Damaged, truncated, oversized or non-JPEG data
// gives a null image; libjpeg's own error handling (which ends the process) is
// never reached.
QImage decodeJpeg(const QByteArray& data, const JpegDecodeOptions& options = {});
QImage decodeJpeg(const uchar* data, qsizetype size, const JpegDecodeOptions& options = {});

// Progressive display: for a progressive file, `onPass` receives the picture
// after each scan, coarse first, refined scan by scan; the last call holds the
// finished picture, which is also returned. A sequential file gives one call.
// A file that turns out damaged after some passes were shown still returns a
// null image.
using JpegPassCallback = std::function<void(const QImage& picture, int scan)>;
QImage decodeJpegProgressively(const QByteArray& data, const JpegPassCallback& onPass,
                               const JpegDecodeOptions& options = {});

// Reads and decodes a plain file. A file that cannot be read, is no plain
// file, or holds a picture larger than the limits throws FileError (the
// standard error box reports it); a file that is not a valid JPEG gives a null
// image.
QImage loadJpegFile(const QString& fileName, const JpegDecodeOptions& options = {});

// ".jpg" or ".jpeg" in any case: the extension that selects the JPEG decoder.
bool hasJpegExtension(const QString& fileName);
