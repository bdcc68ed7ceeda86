#pragma once
#include <QByteArray>

// A short mono 16-bit PCM WAV file: a buzzing tone of the given length.
QByteArray toneWav(int milliseconds);
