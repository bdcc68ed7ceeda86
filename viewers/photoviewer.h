#pragma once
#include "platform/form.h"

#include <QImage>
#include <QString>
#include <array>

class AtlasSession;
class QAction;
class QLabel;
class QPainter;
class PictureBox;

// The photo viewer: a feature's photograph, its numbered extra photographs,
// twice the size with dragging, and the explanation text of each.
class PhotoViewer : public Form {
    Q_OBJECT
public:
    static constexpr int MaxExtraPhotos = 10;

    explicit PhotoViewer(AtlasSession* session, QWidget* parent = nullptr);

    // The feature's main photograph, set by the opener.
    QString photoFileName;

    // Menu bar commands.
    void Afsluiten1Click();
    void Volgendefoto1Click();
    void groter1Click();
    void Tekst1Click();

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

    AtlasSession* session_;
};
