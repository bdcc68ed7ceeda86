#include "platform/soundplayer.h"

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
    // Checked here rather than left to the sound effect, which would report a
    // missing file on the terminal and keep the failure for the next play.
    const QFileInfo file(fileName_);
    if (fileName_.isEmpty() || !file.isFile() || !file.isReadable())
        return;
    // The multimedia backend is loaded at the first play, not at start-up.
    effect_ = std::make_unique<QSoundEffect>();
    openFile_ = file.absoluteFilePath();
    effect_->setSource(QUrl::fromLocalFile(openFile_));
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
