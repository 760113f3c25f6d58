#include "platform/db/ServerAddress.h"

#include <QRegularExpression>

namespace {

QString DescriptorValue(const QString &text, const QString &key)
{
    const QRegularExpression re(QStringLiteral("\\(\\s*%1\\s*=\\s*([^()\\s]+)\\s*\\)").arg(key),
                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(text);
    return m.hasMatch() ? m.captured(1) : QString();
}

bool ParsePort(const QString &text, int *port)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value <= 0 || value > 65535)
        return false;
    *port = value;
    return true;
}

} // namespace

bool ParseServerAddress(const QString &tns, ServerAddress *address)
{
    const QString text = tns.trimmed();
    ServerAddress result;
    if (text.startsWith(QLatin1Char('('))) {
        if (!text.contains(QLatin1String("DESCRIPTION"), Qt::CaseInsensitive))
            return false;
        result.host = DescriptorValue(text, QStringLiteral("HOST"));
        const QString port = DescriptorValue(text, QStringLiteral("PORT"));
        if (!port.isEmpty() && !ParsePort(port, &result.port))
            return false;
        result.database = DescriptorValue(text, QStringLiteral("SID"));
        if (result.database.isEmpty())
            result.database = DescriptorValue(text, QStringLiteral("SERVICE_NAME"));
    } else {
        static const QRegularExpression plain(
            QStringLiteral("^([^:/\\s]+)(?::([0-9]+))?/([^/\\s]+)$"));
        const QRegularExpressionMatch m = plain.match(text);
        if (!m.hasMatch())
            return false;
        result.host = m.captured(1);
        if (!m.captured(2).isEmpty() && !ParsePort(m.captured(2), &result.port))
            return false;
        result.database = m.captured(3);
    }
    if (result.host.isEmpty() || result.database.isEmpty())
        return false;
    *address = result;
    return true;
}
