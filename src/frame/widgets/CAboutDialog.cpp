#include "frame/widgets/CAboutDialog.h"

#include "frame/widgets/Resources.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kIconSize = 32;
// Beside the title, a title bar holds the window's icon and its buttons, and
// window managers often draw the title in a larger or bold font.
constexpr int kTitleBarRoom = 200;

} // namespace

CAboutDialog::CAboutDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Vexel のバージョン情報"));
    // A fixed box with a close button only: nothing to minimise or enlarge.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("programIcon"));
    icon->setPixmap(ProgramIcon().pixmap(kIconSize, kIconSize));

    // Plain text, so the two blanks after the name stay two.
    auto* text = new QLabel(QStringLiteral("Vexel  Version 2.15"), this);
    text->setObjectName(QStringLiteral("versionText"));
    text->setTextFormat(Qt::PlainText);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    // Wide enough that the window manager need not cut the title short.
    const QSize hint = sizeHint();
    setFixedSize(std::max(hint.width(), fontMetrics().horizontalAdvance(windowTitle()) + kTitleBarRoom),
                 hint.height());
}
