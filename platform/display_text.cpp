#include "platform/display_text.h"

#include <QStringDecoder>

namespace platform {

QString displayText(std::string_view bytes, bool* latin1)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text = decoder.decode(view);
    if (latin1 != nullptr)
        *latin1 = decoder.hasError();
    if (decoder.hasError())
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return text;
}

std::string storedText(const QString& text)
{
    return text.toStdString();
}

} // namespace platform
