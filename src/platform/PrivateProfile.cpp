#include "platform/PrivateProfile.h"

#include "platform/FileErrorText.h"

#include "platform/WholeFile.h"

#include "platform/StringUtil.h"

#include <QFile>
#include <QFileInfo>
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
    return UnescapeFieldText(value);
}

// The stored form of a value: escaped, and inside quotes when blanks at
// either end or enclosing quotes would otherwise be lost on reading.
QString storedValue(const QString &value)
{
    const QString escaped = EscapeFieldText(value);
    if (escaped != escaped.trimmed() ||
        (escaped.size() >= 2 && escaped.startsWith(QLatin1Char('"')) &&
         escaped.endsWith(QLatin1Char('"'))))
        return QLatin1Char('"') + escaped + QLatin1Char('"');
    return escaped;
}

// The lines of 8-bit file bytes, each with its line end; the last one may
// have none.
QList<QByteArray> splitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype feed = bytes.indexOf('\n', start);
        const qsizetype end = feed < 0 ? bytes.size() : feed + 1;
        lines.append(bytes.mid(start, end - start));
        start = end;
    }
    return lines;
}

// One line of an 8-bit file: UTF-8 when it is valid UTF-8, else the Windows
// code page older dealer files were written in. Deciding per line keeps one
// odd line (a comment typed in another editor) from garbling the others.
QString decodeLine(const QByteArray &bytes)
{
    // The file's own byte-order mark is gone already; one at the start of a
    // later line is part of that line and must not be dropped, or the line
    // would read differently once it is no longer first.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1252("windows-1252");
    if (cp1252.isValid())
        return cp1252(bytes);
    return QString::fromLatin1(bytes);
}

QString withoutLineEnd(QString line)
{
    if (line.endsWith(QLatin1Char('\n')))
        line.chop(1);
    if (line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line;
}

// A UTF-16 file may hold a lone half of a surrogate pair. It could not be
// written again (as UTF-8 it turns into another character), so a value that
// the program never changed would come back different: it reads as the
// replacement character from the start.
QString replaceLoneSurrogates(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

} // namespace

QString CPrivateProfile::DecodeText(const QByteArray &bytes, bool *hadUtf8Bom)
{
    if (hadUtf8Bom)
        *hadUtf8Bom = false;
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder dec(QStringDecoder::Utf16LE, QStringDecoder::Flag::ConvertInitialBom);
        return replaceLoneSurrogates(dec(bytes.mid(2)));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder dec(QStringDecoder::Utf16BE, QStringDecoder::Flag::ConvertInitialBom);
        return replaceLoneSurrogates(dec(bytes.mid(2)));
    }
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    if (hadUtf8Bom)
        *hadUtf8Bom = bom;
    QString text;
    for (const QByteArray &line : splitLines(bom ? bytes.mid(3) : bytes))
        text += decodeLine(line);
    return text;
}

bool CPrivateProfile::Load(const QString &path, QString *error)
{
    m_lines.clear();
    m_raw.clear();
    m_newline = QStringLiteral("\n");
    m_utf8Bom = false;
    if (error)
        error->clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error && QFileInfo::exists(path))
            *error = FileReadErrorText(file);
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = FileReadErrorText(file);
        return false;
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        SetContent(DecodeText(bytes));
        return true;
    }
    m_utf8Bom = bytes.startsWith("\xEF\xBB\xBF");
    m_raw = splitLines(m_utf8Bom ? bytes.mid(3) : bytes);
    for (const QByteArray &raw : std::as_const(m_raw))
        m_lines.append(withoutLineEnd(decodeLine(raw)));
    if (bytes.contains("\r\n"))
        m_newline = QStringLiteral("\r\n");
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
    m_raw = QList<QByteArray>(m_lines.size());
}

void CPrivateProfile::setLine(int index, const QString &text)
{
    m_lines[index] = text;
    m_raw[index].clear();
}

void CPrivateProfile::insertLine(int index, const QString &text)
{
    m_lines.insert(index, text);
    m_raw.insert(index, QByteArray());
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
    const QString entry = key + QLatin1Char('=') + storedValue(value);
    int header = findSection(section);
    if (header < 0) {
        insertLine(m_lines.size(), QLatin1Char('[') + section + QLatin1Char(']'));
        insertLine(m_lines.size(), entry);
        return;
    }
    const int line = findKey(header, key);
    if (line >= 0) {
        // The line of an unchanged value stays as it was read, in its own
        // spelling and encoding.
        if (valueOf(m_lines.at(line)) != value)
            setLine(line, entry);
        return;
    }
    // After the last non-blank line of the section, so blank separator lines
    // before the next section stay where they are.
    int insertAt = sectionEnd(header);
    while (insertAt > header + 1 && m_lines.at(insertAt - 1).trimmed().isEmpty())
        --insertAt;
    insertLine(insertAt, entry);
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
    m_raw.removeAt(line);
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
    QByteArray bytes;
    if (m_utf8Bom)
        bytes = QByteArray("\xEF\xBB\xBF");
    const QByteArray newline = m_newline.toLatin1();
    for (int i = 0; i < m_lines.size(); ++i) {
        const QByteArray &raw = m_raw.at(i);
        if (raw.isEmpty()) {
            bytes += m_lines.at(i).toUtf8();
            bytes += newline;
        } else {
            bytes += raw;
            // A last line without line end that is no longer the last.
            if (!raw.endsWith('\n') && i + 1 < m_lines.size())
                bytes += newline;
        }
    }
    // Text that itself begins with a zero-width no-break space needs a
    // byte-order mark in front, or the next read takes it for one.
    if (!m_utf8Bom && bytes.startsWith("\xEF\xBB\xBF"))
        bytes.prepend("\xEF\xBB\xBF");
    return WriteWholeFile(path, bytes, error);
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
