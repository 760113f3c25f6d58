#include "platform/NamedEncoding.h"

#include <QStringDecoder>

QString DecodeNamedEncoding(QByteArrayView bytes, QByteArrayView name)
{
    const QByteArray encoding = name.toByteArray().trimmed();
    if (!encoding.isEmpty()) {
        QStringDecoder decoder(encoding.constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
        const QByteArray lower = encoding.toLower();
        if (lower.startsWith("windows-125") || lower.startsWith("cp125") ||
            lower.startsWith("iso-8859") || lower.startsWith("iso8859"))
            return QString::fromLatin1(bytes);
    }
    return QString::fromUtf8(bytes);
}
