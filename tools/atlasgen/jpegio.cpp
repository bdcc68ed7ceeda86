#include "tools/atlasgen/jpegio.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace {
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr info)
{
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

struct File {
    std::FILE* f = nullptr;
    ~File() { if (f) std::fclose(f); }
};
}

bool readGreyJpeg(const QString& file, std::vector<unsigned char>* pixels, int* width, int* height, QString* error)
{
    File in;
    in.f = std::fopen(file.toLocal8Bit().constData(), "rb");
    if (!in.f) {
        *error = file + QStringLiteral(": cannot open");
        return false;
    }
    jpeg_decompress_struct info;
    ErrorManager err;
    info.err = jpeg_std_error(&err.base);
    err.base.error_exit = onError;
    if (setjmp(err.jump)) {
        *error = file + QStringLiteral(": ") + QString::fromLocal8Bit(err.message);
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, in.f);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_GRAYSCALE;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&info);
    *width = int(info.output_width);
    *height = int(info.output_height);
    pixels->assign(std::size_t(*width) * *height, 0);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels->data() + std::size_t(info.output_scanline) * *width;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

bool writeGreyJpeg(const QString& file, const QImage& image, int quality, bool progressive, QString* error)
{
    if (image.format() != QImage::Format_Grayscale8) {
        *error = file + QStringLiteral(": not a greyscale picture");
        return false;
    }
    File out;
    out.f = std::fopen(file.toLocal8Bit().constData(), "wb");
    if (!out.f) {
        *error = file + QStringLiteral(": cannot create");
        return false;
    }
    jpeg_compress_struct info;
    ErrorManager err;
    info.err = jpeg_std_error(&err.base);
    err.base.error_exit = onError;
    if (setjmp(err.jump)) {
        *error = file + QStringLiteral(": ") + QString::fromLocal8Bit(err.message);
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out.f);
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.dct_method = JDCT_ISLOW;
    info.optimize_coding = TRUE;
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto row = const_cast<JSAMPROW>(image.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    if (std::fflush(out.f) != 0) {
        *error = file + QStringLiteral(": write failed");
        return false;
    }
    return true;
}
