#pragma once
#include "platform/form.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <array>

#include <memory>

class AtlasSession;
class QAction;
class QLabel;
class QPainter;
class QPrinter;
class PictureBox;

// The photo viewer: a feature's photograph, its numbered extra photographs,
// twice the size with dragging, and the explanation text of each.
class PhotoViewer : public Form {
    Q_OBJECT
public:
    static constexpr int MaxExtraPhotos = 10;

    explicit PhotoViewer(AtlasSession* session, QWidget* parent = nullptr);
    ~PhotoViewer() override;

    // The feature's main photograph, set by the opener.
    QString photoFileName;

    // Menu bar commands.
    void Afsluiten1Click();
    void Volgendefoto1Click();
    void groter1Click();
    void Tekst1Click();
    // The photograph shown, at its own size, with its title and explanation
    // under it: printed, or saved as a picture.
    void Afdrukken1Click();
    void Opslaanalsafbeelding1Click();
    void printPhotograph(QPrinter& printer);
    void savePhotograph(const QString& fileName);
    QPrinter& printer();
    // The explanation file of the photograph shown; empty when it has none.
    QString explanationFile() const;
    // Where the photograph is on the screen, as far as it shows.
    QRect photographOnScreen() const;

    void OpenFile(const QString& fileName);
    void SetJPEGOptions();
    void Allenamen();

    void FormActivate() override;
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    void FormClose() override;

    QAction* Afsluiten1 = nullptr;
    QAction* Volgendefoto1 = nullptr;
    QAction* groter1 = nullptr;
    QAction* Tekst1 = nullptr;
    QAction* Afdrukken1 = nullptr;
    QAction* Opslaanalsafbeelding1 = nullptr;
    PictureBox* Image1 = nullptr;   // the photograph at its own size, normal size only
    QLabel* Panel1 = nullptr;   // the drag hint, enlarged size only

    // extraPhotos[0 .. extraPhotoCount-1] hold extra photographs 1..count.
    std::array<QString, MaxExtraPhotos> extraPhotos;
    int extraPhotoCount = 0;
    int photoIndex = 0;          // 0: the main photograph, k: extraPhotos[k-1]
    QString shownPhotoFile;
    bool enlarged = false;
    // The photograph as decoded, one byte a pixel; null when none. Enlarged,
    // it is drawn doubled while painting rather than kept twice the size.
    QImage picture;
    int photoPressX = 0;
    int photoPressY = 0;
    int photoOffsetX = 0;
    int photoOffsetY = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormPaint(QPainter& painter, const QRect& exposed);
    void FormMouseDown(int x, int y);
    void FormMouseUp(int x, int y);
    void showPhotograph(int index);
    // Sizes the window unless it is maximised, where a size request would only
    // pull it out of its maximised state.
    void fitWindow(int width, int height, bool outer);

    QStringList caption() const;

    AtlasSession* session_;
    std::unique_ptr<QPrinter> printer_;
};
