#include "frame/widgets/CAboutDialog.h"
#include "frame/MenuTable.h"
#include "frame/widgets/Resources.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class Resources : public testing::Test
{
protected:
    static void SetUpTestSuite() { InitResources(); }
};

QImage DoubleSize(QString path)
{
    return QImage(path.replace(QStringLiteral(".png"), QStringLiteral("@2x.png")));
}

// Not a blank square: some pixels drawn, some left transparent around them.
bool IsDrawnWithTransparency(const QImage& image)
{
    QSet<int> alphas;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            alphas.insert(qAlpha(image.pixel(x, y)));
    return alphas.contains(255) && alphas.contains(0);
}

TEST_F(Resources, EveryToolbarButtonHasItsOwnImageAtNormalAndDoubleSize)
{
    QList<QImage> seen;
    for (int index = 0; index < kToolbarImageCount; ++index) {
        SCOPED_TRACE(index);
        const QImage normal(ToolbarImagePath(index));
        const QImage twice =
            DoubleSize(ToolbarImagePath(index)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        ASSERT_EQ(normal.size(), QSize(16, 16));
        ASSERT_EQ(twice.size(), QSize(32, 32));
        EXPECT_TRUE(IsDrawnWithTransparency(normal) && IsDrawnWithTransparency(twice));
        EXPECT_FALSE(seen.contains(normal.convertToFormat(QImage::Format_ARGB32)));
        seen << normal.convertToFormat(QImage::Format_ARGB32);
        // A high-DPI screen gets the drawn 32-pixel image, not the small one scaled up.
        const QPixmap shown = ToolbarIcon(index).pixmap(QSize(16, 16), 2.0);
        EXPECT_EQ(shown.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), twice);
    }
    for (const uint16_t id : DefaultToolbarButtons())
        EXPECT_TRUE(id == 0 || id == cmd::FindBox || !ToolbarIcon(ToolbarImageIndex(id)).isNull()) << id;
    EXPECT_TRUE(ToolbarImagePath(-1).isEmpty());
    EXPECT_TRUE(ToolbarIcon(kToolbarImageCount).isNull());
}

TEST_F(Resources, TabImagesAreSixPixelsSquareAndProgramIconExists)
{
    for (int number = 0; number < kTabImageCount; ++number) {
        const QString path = QStringLiteral(":/tabs/tab%1.png").arg(number);
        const QImage normal(path);
        EXPECT_TRUE(normal.size() == QSize(6, 6) && normal.hasAlphaChannel()) << number;
        EXPECT_EQ(DoubleSize(path).size(), QSize(12, 12)) << number;
        EXPECT_FALSE(TabImageIcon(number).isNull()) << number;
    }
    EXPECT_TRUE(TabImageIcon(kTabImageCount).isNull() && TabImageIcon(-1).isNull());
    EXPECT_EQ(ProgramIcon().pixmap(QSize(32, 32), 2.0).size(), QSize(64, 64));
}

TEST_F(Resources, HelpPageFindsEveryImageItShowsInTheResources)
{
    QFile page(HelpPageUrl().toString().mid(3)); // "qrc:/x" is the file ":/x"
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QRegularExpression image(QStringLiteral("<img src=\"([^\"]+)\""));
    int images = 0;
    for (const QRegularExpressionMatch& match : image.globalMatch(QString::fromUtf8(page.readAll()))) {
        ++images;
        const QUrl url = HelpPageUrl().resolved(QUrl(match.captured(1)));
        EXPECT_FALSE(QImage(QLatin1Char(':') + url.path()).isNull()) << match.captured(1).toStdString();
    }
    EXPECT_EQ(images, kToolbarImageCount);
}

// A fixed box with name, version and icon, only a close button, wide enough for its title.
TEST_F(Resources, AboutBoxShowsNameVersionAndIconAndClosesWithOk)
{
    CAboutDialog dialog;
    const auto* text = dialog.findChild<QLabel*>(QStringLiteral("versionText"));
    const auto* icon = dialog.findChild<QLabel*>(QStringLiteral("programIcon"));
    ASSERT_TRUE(text && icon);
    EXPECT_TRUE(text->text().contains(QStringLiteral("Version")));
    EXPECT_FALSE(icon->pixmap().isNull());
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_GE(dialog.width(), dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) + 100);
    EXPECT_EQ(dialog.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                                      Qt::WindowMaximizeButtonHint),
              Qt::WindowCloseButtonHint);

    dialog.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_TRUE(buttons && buttons->buttons().size() == 1);
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
