#include "frame/widgets/Resources.h"

#include "frame/MenuTable.h"

namespace {

// The image at path and its "@2x" version. QIcon adds the second by itself
// only when the primary screen is high-DPI; named here, a window on a second,
// high-DPI screen gets it too.
QIcon IconWithDoubleSize(const QString& path)
{
    QIcon icon(path);
    QString twice = path;
    icon.addFile(twice.replace(QStringLiteral(".png"), QStringLiteral("@2x.png")));
    return icon;
}

} // namespace

// Q_INIT_RESOURCE must not stand inside a namespace.
static void InitVexelResources()
{
    Q_INIT_RESOURCE(vexel);
}

void InitResources()
{
    InitVexelResources();
}

QString ToolbarImagePath(int imageIndex)
{
    if (imageIndex < 0 || imageIndex >= kToolbarImageCount)
        return {};
    return QStringLiteral(":/toolbar/%1.png").arg(imageIndex, 2, 10, QLatin1Char('0'));
}

QIcon ToolbarIcon(int imageIndex)
{
    const QString path = ToolbarImagePath(imageIndex);
    return path.isEmpty() ? QIcon() : IconWithDoubleSize(path);
}

QIcon TabImageIcon(int number)
{
    if (number < 0 || number >= kTabImageCount)
        return {};
    return IconWithDoubleSize(QStringLiteral(":/tabs/tab%1.png").arg(number));
}

QIcon ProgramIcon()
{
    QIcon icon = IconWithDoubleSize(QStringLiteral(":/icons/vexel.png"));
    icon.addFile(QStringLiteral(":/icons/vexel16.png"));
    return icon;
}

QUrl HelpPageUrl()
{
    return QUrl(QStringLiteral("qrc:/help/index.html"));
}
