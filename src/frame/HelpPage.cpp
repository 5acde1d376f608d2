#include "frame/HelpPage.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

bool SameContent(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.size() == content.size()
           && file.readAll() == content;
}

// Writes one resource file to target unless it already holds the same bytes.
bool CopyResourceFile(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = in.readAll();
    if (SameContent(target, content))
        return true;
    QSaveFile out(target);
    return out.open(QIODevice::WriteOnly) && out.write(content) == content.size() && out.commit();
}

// Copies every file below the resource folder `source` into `target`.
bool CopyResourceTree(const QString& source, const QString& target)
{
    QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString destination = target + path.mid(source.size());
        if (!QDir().mkpath(QFileInfo(destination).absolutePath())
            || !CopyResourceFile(path, destination))
            return false;
    }
    return true;
}

} // namespace

QUrl HelpPageUrl()
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (cache.isEmpty())
        return {};
    const QString folder = cache + QStringLiteral("/help");
    if (!CopyResourceTree(QStringLiteral(":/help"), folder)
        || !CopyResourceTree(QStringLiteral(":/toolbar"), folder + QStringLiteral("/toolbar")))
        return {};
    const QString page = folder + QStringLiteral("/index.html");
    return QFile::exists(page) ? QUrl::fromLocalFile(page) : QUrl();
}
