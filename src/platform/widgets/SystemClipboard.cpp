#include "platform/widgets/SystemClipboard.h"

#include "platform/Cp932.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QString>

#include <string_view>

void PutClipboardCp932(const uint8_t* cp932, size_t n)
{
    const std::string utf8 = cp932::ToUtf8(std::string_view(reinterpret_cast<const char*>(cp932), n));
    QGuiApplication::clipboard()->setText(QString::fromStdString(utf8));
}

bool GetClipboardCp932(std::string& cp932)
{
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isNull())
        return false;
    cp932 = cp932::FromUtf8(text.toStdString());
    return true;
}
