#pragma once
#include <QObject>
#include <QString>
#include <memory>

class QSoundEffect;

// Plays one WAV file without waiting. Every play opens the file anew, so a
// message that is still playing starts again from its beginning. A missing or
// unreadable file, a missing sound device or any other playback failure gives
// no sound and no message.
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
