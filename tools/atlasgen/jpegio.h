#pragma once
#include <QImage>
#include <QString>
#include <vector>

// Greyscale JPEG through libjpeg: the source mosaic in, the photographs and
// the index picture out. Output is the same bytes for the same pixels.
bool readGreyJpeg(const QString& file, std::vector<unsigned char>* pixels, int* width, int* height, QString* error);
// `image` must be Format_Grayscale8.
bool writeGreyJpeg(const QString& file, const QImage& image, int quality, bool progressive, QString* error);
