#include "platform/XmlValues.h"

#include <QRegularExpression>

namespace {

bool IsXmlSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r');
}

} // namespace

QString XmlCollapsed(const QString &text)
{
    QString out;
    out.reserve(text.size());
    bool blank = false;
    for (const QChar c : text) {
        if (IsXmlSpace(c)) {
            blank = !out.isEmpty();
            continue;
        }
        if (blank)
            out += QLatin1Char(' ');
        blank = false;
        out += c;
    }
    return out;
}

std::optional<bool> XmlBoolean(const QString &text)
{
    const QString value = XmlCollapsed(text);
    if (value == QLatin1String("1") ||
        value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (value == QLatin1String("0") ||
        value.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

bool XmlIsTrue(const QString &text)
{
    return XmlBoolean(text).value_or(false);
}

QDate XmlDate(const QString &text)
{
    // Four digits of the year: the program's dates have no other.
    static const QRegularExpression form(QStringLiteral(
        "^([0-9]{4})-([0-9]{2})-([0-9]{2})(?:Z|[+-]((?:0[0-9]|1[0-3]):[0-5][0-9]|14:00))?$"));
    const QRegularExpressionMatch m = form.match(XmlCollapsed(text));
    if (!m.hasMatch())
        return QDate();
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}
