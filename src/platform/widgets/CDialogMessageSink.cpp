#include "platform/widgets/CDialogMessageSink.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QMessageBox::StandardButtons standardButtons(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok: return QMessageBox::Ok;
    case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon boxIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Stop: return QMessageBox::Critical;
    }
    return QMessageBox::Warning;
}

MsgAnswer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    default: return MsgAnswer::Ok;
    }
}

} // namespace

MsgAnswer CDialogMessageSink::showMessage(const std::string& text, const std::string& caption,
                                          MsgButtons buttons, MsgIcon icon)
{
    const QString title = caption.empty() ? QStringLiteral("Vexel") : QString::fromStdString(caption);
    QMessageBox box(boxIcon(icon), title, QString::fromStdString(text), standardButtons(buttons),
                    QApplication::activeWindow());
    if (icon == MsgIcon::Stop)
        box.setWindowModality(Qt::ApplicationModal);
    return answerOf(box.exec());
}

void CDialogMessageSink::beep(int)
{
    // The platform offers one beep; the sound types of other systems have no equivalent here.
    QApplication::beep();
}
