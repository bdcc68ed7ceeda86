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
    static QString atlasDir();

private:
    QTemporaryDir dir_;
    QString previous_;
};

QByteArray readWholeFile(const QString& path);
bool writeWholeFile(const QString& path, const QByteArray& bytes);
