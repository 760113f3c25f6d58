#include "platform/PrivateProfile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

bool isSectionHeader(const QString &trimmed)
{
    return trimmed.startsWith(QLatin1Char('[')) && trimmed.contains(QLatin1Char(']'));
}

QString sectionName(const QString &trimmed)
{
    return trimmed.mid(1, trimmed.indexOf(QLatin1Char(']')) - 1).trimmed();
}

bool isComment(const QString &trimmed)
{
    return trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#'));
}

// Splits "Key = Value" into its key; empty when the line has no "=".
QString keyOf(const QString &line)
{
    const int eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return QString();
    return line.left(eq).trimmed();
}

QString valueOf(const QString &line)
{
    QString value = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        value = value.mid(1, value.size() - 2);
    return value;
}

} // namespace

QString CPrivateProfile::DecodeText(const QByteArray &bytes, bool *hadUtf8Bom)
{
    if (hadUtf8Bom)
        *hadUtf8Bom = false;
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder dec(QStringDecoder::Utf16LE);
        return dec(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder dec(QStringDecoder::Utf16BE);
        return dec(bytes.mid(2));
    }
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        if (hadUtf8Bom)
            *hadUtf8Bom = true;
        return QString::fromUtf8(bytes.mid(3));
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    // Older dealer files were written in the Windows code page.
    QStringDecoder cp1252("windows-1252");
    if (cp1252.isValid())
        return cp1252(bytes);
    return QString::fromLatin1(bytes);
}

bool CPrivateProfile::Load(const QString &path)
{
    m_lines.clear();
    m_utf8Bom = false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString text = DecodeText(file.readAll(), &m_utf8Bom);
    SetContent(text);
    return true;
}

void CPrivateProfile::SetContent(const QString &text)
{
    m_newline =
        text.contains(QStringLiteral("\r\n")) ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_lines = normalized.split(QLatin1Char('\n'));
    // A final line feed leaves an empty last element that is no line.
    if (!m_lines.isEmpty() && m_lines.constLast().isEmpty())
        m_lines.removeLast();
}

int CPrivateProfile::findSection(const QString &section) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString t = m_lines.at(i).trimmed();
        if (isSectionHeader(t) && sectionName(t).compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int CPrivateProfile::sectionEnd(int headerLine) const
{
    int i = headerLine + 1;
    while (i < m_lines.size() && !isSectionHeader(m_lines.at(i).trimmed()))
        ++i;
    return i;
}

int CPrivateProfile::findKey(int headerLine, const QString &key) const
{
    const int end = sectionEnd(headerLine);
    for (int i = headerLine + 1; i < end; ++i) {
        const QString t = m_lines.at(i).trimmed();
        if (t.isEmpty() || isComment(t))
            continue;
        if (keyOf(t).compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool CPrivateProfile::HasSection(const QString &section) const
{
    return findSection(section) >= 0;
}

bool CPrivateProfile::HasKey(const QString &section, const QString &key) const
{
    const int header = findSection(section);
    return header >= 0 && findKey(header, key) >= 0;
}

QString CPrivateProfile::GetString(const QString &section, const QString &key,
                                   const QString &defaultValue, bool *found) const
{
    if (found)
        *found = false;
    const int header = findSection(section);
    if (header < 0)
        return defaultValue;
    const int line = findKey(header, key);
    if (line < 0)
        return defaultValue;
    if (found)
        *found = true;
    return valueOf(m_lines.at(line));
}

void CPrivateProfile::SetString(const QString &section, const QString &key, const QString &value)
{
    // Blanks at either end, or enclosing quotes, would be lost on reading:
    // such a value is written inside quotes.
    QString stored = value;
    if (value != value.trimmed() || (value.size() >= 2 && value.startsWith(QLatin1Char('"')) &&
                                     value.endsWith(QLatin1Char('"'))))
        stored = QLatin1Char('"') + value + QLatin1Char('"');
    const QString entry = key + QLatin1Char('=') + stored;
    int header = findSection(section);
    if (header < 0) {
        m_lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        m_lines.append(entry);
        return;
    }
    const int line = findKey(header, key);
    if (line >= 0) {
        m_lines[line] = entry;
        return;
    }
    // After the last non-blank line of the section, so blank separator lines
    // before the next section stay where they are.
    int insertAt = sectionEnd(header);
    while (insertAt > header + 1 && m_lines.at(insertAt - 1).trimmed().isEmpty())
        --insertAt;
    m_lines.insert(insertAt, entry);
}

bool CPrivateProfile::RemoveKey(const QString &section, const QString &key)
{
    const int header = findSection(section);
    if (header < 0)
        return false;
    const int line = findKey(header, key);
    if (line < 0)
        return false;
    m_lines.removeAt(line);
    return true;
}

QString CPrivateProfile::Content() const
{
    QString text;
    for (const QString &line : m_lines) {
        text += line;
        text += m_newline;
    }
    return text;
}

bool CPrivateProfile::Save(const QString &path, QString *error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    QByteArray bytes;
    if (m_utf8Bom)
        bytes = QByteArray("\xEF\xBB\xBF");
    bytes += Content().toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

QString CPrivateProfile::GetPrivateProfileString(const QString &section, const QString &key,
                                                 const QString &defaultValue, const QString &path)
{
    CPrivateProfile profile;
    profile.Load(path);
    return profile.GetString(section, key, defaultValue);
}

bool CPrivateProfile::WritePrivateProfileString(const QString &section, const QString &key,
                                                const QString &value, const QString &path)
{
    CPrivateProfile profile;
    profile.Load(path);
    profile.SetString(section, key, value);
    return profile.Save(path);
}
