#pragma once
#include <QObject>
#include <QString>
#include <memory>

class QSoundEffect;

// Some 90 seconds of speech as such messages are recorded (22 kHz, 16 bits,
// mono); the program's own is about half a megabyte.
constexpr qint64 MaxSoundFileSize = 4LL * 1024 * 1024;

// Plays one WAV file without waiting. Every play reads the file anew, so a
// message that is still playing starts again from its beginning. A missing or
// unreadable file, one that is no plain file or larger than MaxSoundFileSize,
// a missing sound device or any other playback failure gives no sound and no
// message.
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    // A relative name is looked up in the working directory at each play.
    void setFileName(const QString& fileName) { fileName_ = fileName; }
    QString fileName() const { return fileName_; }

    void play();
    void stop();
    bool isPlaying() const;
    // The file that is open, as an absolute path; empty when none is.
    QString openFile() const { return openFile_; }

private:
    QString fileName_;
    QString openFile_;
    std::unique_ptr<QSoundEffect> effect_;
};
