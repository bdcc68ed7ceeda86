#include "platform/soundplayer.h"

#include "data/fileerror.h"
#include "data/plainfile.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

SoundPlayer::SoundPlayer(QObject* parent)
    : QObject(parent)
{
}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::play()
{
    stop();
    if (fileName_.isEmpty())
        return;
    QByteArray bytes;
    try {
        bytes = readPlainFile(fileName_, MaxSoundFileSize, "geen gewoon bestand", "te groot");
    } catch (const FileError&) {
        return;   // missing, unreadable, no plain file or too large: no sound
    }
    // The multimedia backend is loaded at the first play, not at start-up.
    effect_ = std::make_unique<QSoundEffect>();
    openFile_ = QFileInfo(fileName_).absoluteFilePath();
    // The bytes just read are played, not the file opened again: what plays is
    // what was checked.
    effect_->setSource(QUrl(QStringLiteral("data:audio/wav;base64,") + QString::fromLatin1(bytes.toBase64())));
    effect_->play();
}

void SoundPlayer::stop()
{
    effect_.reset();
    openFile_.clear();
}

bool SoundPlayer::isPlaying() const
{
    return effect_ && effect_->isPlaying();
}
