#include "tests/common/workdir.h"

#include <QFile>

TestWorkDir::TestWorkDir(const QStringList& atlasFiles)
    : previous_(QDir::currentPath())
{
    // Creating the windows reads the sheet list; without it an error box
    // would wait for an answer.
    copyAtlasFile(QStringLiteral("kaarten.txt"));
    for (const auto& f : atlasFiles)
        copyAtlasFile(f);
    QDir::setCurrent(dir_.path());
}

TestWorkDir::~TestWorkDir()
{
    QDir::setCurrent(previous_);
}

QString TestWorkDir::atlasDir()
{
    return QStringLiteral(SELVANOR_SOURCE_DIR "/atlas");
}

bool TestWorkDir::copyAtlasFile(const QString& name) const
{
    return QFile::copy(atlasDir() + QLatin1Char('/') + name, dir_.filePath(name));
}

QByteArray readWholeFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeWholeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}
