#pragma once
#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A fresh temporary working directory for one test, holding copies of the named
// files of the atlas data set and of the sheet list, which every window set
// reads at creation; the process works in it until it is destroyed.
class TestWorkDir {
public:
    explicit TestWorkDir(const QStringList& atlasFiles = {});
    ~TestWorkDir();
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }
    // Copies one more file of the data set.
    bool copyAtlasFile(const QString& name) const;
    // The three view images and their index files, for the tests on the
    // atlas's own data.
    static QStringList atlasViews();
    static QString atlasDir();

private:
    QTemporaryDir dir_;
    QString previous_;
};

QByteArray readWholeFile(const QString& path);
bool writeWholeFile(const QString& path, const QByteArray& bytes);

// A feature of a test's index file: slot, name (UTF-8), position in half-pixels.
struct IndexEntry {
    int slot;
    const char* name;
    double x, y;
};
// Writes an index file holding these features, as the program saves one.
void writeIndexFile(const QString& file, const QList<IndexEntry>& features);
// Writes a grey view image: flat, or brightening from left to right.
bool writeViewImage(const QString& file, int width, int height, bool gradient = false);

// A full disk, for as long as it lives: a limit on the size of files this
// process writes stands in for it (writes past 50,000 bytes fail with EFBIG).
class FullDisk {
public:
    FullDisk();
    ~FullDisk();
    bool active() const { return active_; }

private:
    bool active_ = false;
    unsigned long long oldLimit_ = 0;
};

// Root writes where an ordinary user may not. As root, runs the test function
// `testFunction` of this test program again as the user "nobody": `ran` is
// then set and the caller reports `passed`, or skips when `skipped` (the
// machine cannot run it so). Not as root, `ran` stays false and the caller
// runs the case itself.
struct OrdinaryUserRun {
    bool ran = false;
    bool skipped = false;
    bool passed = false;
    QByteArray output;
};
OrdinaryUserRun runAsOrdinaryUser(const char* testFunction);

// A home folder of its own for as long as it lives, so that what the program
// proposes in the user's folders (Documents, Pictures) lands there; it holds
// the named folders.
class TestHome {
public:
    explicit TestHome(const QStringList& folders = {QStringLiteral("Documents"), QStringLiteral("Pictures")});
    ~TestHome();
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QByteArray home_, configHome_;
};

// The text of a PDF file as pdftotext reads it (poppler-utils); pages are
// separated by form feeds. Empty when it cannot be read.
QString pdfText(const QString& pdfFile);
