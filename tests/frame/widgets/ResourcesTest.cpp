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

QString DoubleSizePath(const QString& path)
{
    QString twice = path;
    return twice.replace(QStringLiteral(".png"), QStringLiteral("@2x.png"));
}

// Not a blank square: some pixels drawn, some left transparent around them.
bool IsDrawnWithTransparency(const QImage& image)
{
    int opaque = 0;
    int clear = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            opaque += alpha == 255;
            clear += alpha == 0;
        }
    }
    return opaque > 0 && clear > 0;
}

TEST_F(Resources, EveryToolbarButtonHasItsOwnImageAtNormalAndDoubleSize)
{
    QSet<QByteArray> seen;
    for (int index = 0; index < kToolbarImageCount; ++index) {
        SCOPED_TRACE(index);
        const QString path = ToolbarImagePath(index);
        const QImage normal(path);
        const QImage twice(DoubleSizePath(path));
        ASSERT_EQ(normal.size(), QSize(16, 16));
        ASSERT_EQ(twice.size(), QSize(32, 32));
        EXPECT_TRUE(IsDrawnWithTransparency(normal));
        EXPECT_TRUE(IsDrawnWithTransparency(twice));
        const QImage rgba = normal.convertToFormat(QImage::Format_ARGB32);
        EXPECT_FALSE(seen.contains(QByteArray(reinterpret_cast<const char*>(rgba.constBits()), rgba.sizeInBytes())));
        seen.insert(QByteArray(reinterpret_cast<const char*>(rgba.constBits()), rgba.sizeInBytes()));

        // A high-DPI screen gets the drawn 32-pixel image, not the small one scaled up.
        const QPixmap shown = ToolbarIcon(index).pixmap(QSize(16, 16), 2.0);
        EXPECT_EQ(shown.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  twice.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
    // The buttons of the default toolbar all find an image.
    for (const uint16_t id : DefaultToolbarButtons()) {
        if (id != 0 && id != cmd::FindBox) {
            EXPECT_FALSE(ToolbarIcon(ToolbarImageIndex(id)).isNull()) << id;
        }
    }
    EXPECT_TRUE(ToolbarImagePath(-1).isEmpty());
    EXPECT_TRUE(ToolbarIcon(kToolbarImageCount).isNull());
}

TEST_F(Resources, TabImagesAreSixPixelsSquareAndProgramIconExists)
{
    for (int number = 0; number < kTabImageCount; ++number) {
        SCOPED_TRACE(number);
        const QString path = QStringLiteral(":/tabs/tab%1.png").arg(number);
        const QImage normal(path);
        EXPECT_EQ(normal.size(), QSize(6, 6));
        EXPECT_EQ(QImage(DoubleSizePath(path)).size(), QSize(12, 12));
        EXPECT_TRUE(normal.hasAlphaChannel());
        EXPECT_FALSE(TabImageIcon(number).isNull());
    }
    EXPECT_TRUE(TabImageIcon(kTabImageCount).isNull());
    EXPECT_TRUE(TabImageIcon(-1).isNull());

    const QIcon icon = ProgramIcon();
    EXPECT_EQ(icon.pixmap(QSize(16, 16), 1.0).size(), QSize(16, 16));
    EXPECT_EQ(icon.pixmap(QSize(32, 32), 1.0).size(), QSize(32, 32));
    EXPECT_EQ(icon.pixmap(QSize(32, 32), 2.0).size(), QSize(64, 64));
}

TEST_F(Resources, HelpPageFindsEveryImageItShowsInTheResources)
{
    QFile page(HelpPageUrl().toString().mid(3)); // "qrc:/x" is the file ":/x"
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    const QRegularExpression image(QStringLiteral("<img src=\"([^\"]+)\""));
    int images = 0;
    for (const QRegularExpressionMatch& match : image.globalMatch(html)) {
        ++images;
        const QUrl url = HelpPageUrl().resolved(QUrl(match.captured(1)));
        EXPECT_FALSE(QImage(QLatin1Char(':') + url.path()).isNull()) << match.captured(1).toStdString();
    }
    EXPECT_EQ(images, kToolbarImageCount);
}

TEST_F(Resources, AboutBoxShowsNameVersionAndIconAndClosesWithOk)
{
    CAboutDialog dialog;
    const auto* text = dialog.findChild<QLabel*>(QStringLiteral("versionText"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->text().contains(QStringLiteral("Version")));
    const auto* icon = dialog.findChild<QLabel*>(QStringLiteral("programIcon"));
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull());
    // A fixed box with only a close button, wide enough for its title.
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_GE(dialog.width(), dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) + 100);
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

    dialog.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    ASSERT_EQ(buttons->buttons().size(), 1);
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
