#include "platform/Profile.h"

#include "platform/FileErrorText.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStringList>

#include <climits>
#include <cstring>

const QString CProfile::kOrganisation = QStringLiteral("ORMEL AG");

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QMap<QString, QVariant> valuesOf(const QSettings &settings)
{
    QMap<QString, QVariant> values;
    for (const QString &key : settings.allKeys())
        values.insert(key, settings.value(key));
    return values;
}

bool isHexDigit(char16_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A section or key name: letters, digits, "_", "-" and "." as they are, "/"
// as a backslash, anything else as %XX or %UXXXX.
void appendIniKey(QByteArray &out, const QString &key)
{
    for (const QChar c : key) {
        const char16_t u = c.unicode();
        if (u == '/')
            out += '\\';
        else if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
                 u == '_' || u == '-' || u == '.')
            out += char(u);
        else if (u <= 0xFF)
            out += '%' + QByteArray::number(u, 16).toUpper().rightJustified(2, '0');
        else
            out += "%U" + QByteArray::number(u, 16).toUpper().rightJustified(4, '0');
    }
}

// One text as QSettings reads it back: control characters, quotes and
// backslashes escaped, the whole quoted when it holds a separator of the
// format or starts or ends with a blank. The byte forms of QSettings carry
// every character above ASCII as an escape; other texts as UTF-8.
void appendIniText(QByteArray &out, const QString &text)
{
    const bool bytes = text.startsWith(QLatin1String("@ByteArray(")) ||
                       text.startsWith(QLatin1String("@Variant(")) ||
                       text.startsWith(QLatin1String("@DateTime("));
    QString escaped;
    bool quoted = false;
    // After a numeric escape a hex digit would be read as part of it.
    bool afterNumber = false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == ';' || u == ',' || u == '=')
            quoted = true;
        if (afterNumber && isHexDigit(u)) {
            escaped += QStringLiteral("\\x") + QString::number(u, 16);
            continue;
        }
        afterNumber = false;
        static const char kNamed[] = "\a\b\f\n\r\t\v";
        static const char kLetters[] = "abfnrtv";
        if (u == 0) {
            escaped += QStringLiteral("\\0");
            afterNumber = true;
        } else if (u < 0x20 && std::strchr(kNamed, char(u))) {
            escaped += QLatin1Char('\\');
            escaped += QLatin1Char(kLetters[std::strchr(kNamed, char(u)) - kNamed]);
        } else if (u == '"' || u == '\\') {
            escaped += QLatin1Char('\\');
            escaped += c;
        } else if (u < 0x20 || (bytes && u >= 0x7F)) {
            escaped += QStringLiteral("\\x") + QString::number(u, 16);
            afterNumber = true;
        } else {
            escaped += c;
        }
    }
    if (quoted || escaped.startsWith(QLatin1Char(' ')) || escaped.endsWith(QLatin1Char(' ')))
        escaped = QLatin1Char('"') + escaped + QLatin1Char('"');
    out += escaped.toUtf8();
}

void appendIniValue(QByteArray &out, const QVariant &value)
{
    const int type = value.metaType().id();
    if (!value.isValid()) {
        out += "@Invalid()";
    } else if (type == QMetaType::QStringList || type == QMetaType::QVariantList) {
        const QStringList texts = value.toStringList();
        if (texts.isEmpty())
            out += "@Invalid()";
        for (qsizetype i = 0; i < texts.size(); ++i) {
            if (i != 0)
                out += ", ";
            appendIniText(out, texts.at(i));
        }
    } else if (type == QMetaType::QByteArray) {
        appendIniText(out, QStringLiteral("@ByteArray(") + QLatin1String(value.toByteArray()) +
                               QLatin1Char(')'));
    } else {
        // A text that starts with "@" would be read as one of the format's
        // own forms.
        const QString text = value.toString();
        appendIniText(out, text.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + text : text);
    }
}

} // namespace

QByteArray ProfileIniBytes(const QMap<QString, QVariant> &values)
{
    // The sections in order, "General" (the keys without a section) first.
    QMap<QString, QMap<QString, QVariant>> sections;
    QMap<QString, QVariant> general;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(QLatin1Char('/'));
        if (slash < 0)
            general.insert(it.key(), it.value());
        else
            sections[it.key().left(slash)].insert(it.key().mid(slash + 1), it.value());
    }
    QByteArray out;
    const auto writeSection = [&out](const QByteArray &header,
                                     const QMap<QString, QVariant> &keys) {
        if (!out.isEmpty())
            out += '\n';
        out += header + '\n';
        for (auto it = keys.cbegin(); it != keys.cend(); ++it) {
            appendIniKey(out, it.key());
            out += '=';
            appendIniValue(out, it.value());
            out += '\n';
        }
    };
    if (!general.isEmpty())
        writeSection("[General]", general);
    for (auto it = sections.cbegin(); it != sections.cend(); ++it) {
        QByteArray name;
        appendIniKey(name, it.key());
        // A section of that name holds the keys without one.
        if (name.compare("general", Qt::CaseInsensitive) == 0)
            name.prepend('%');
        writeSection('[' + name + ']', it.value());
    }
    return out;
}

CProfile::CProfile(const QString &applicationName) : m_application(applicationName)
{
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, kOrganisation,
                             applicationName);
    m_fileName = settings.fileName();
    m_values = valuesOf(settings);
}

CProfile::~CProfile()
{
    if (HasChanges())
        Sync();
}

void CProfile::SetStorageFolder(const QString &folder)
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

QString CProfile::FileName() const
{
    return m_fileName;
}

static QString keyPath(const QString &section, const QString &key)
{
    // The store keeps its own top-level keys in the file's "[General]"
    // section: a profile section of that name is kept there, so that the
    // file reads as the profile is written.
    if (section == QLatin1String("General"))
        return key;
    return section + QLatin1Char('/') + key;
}

bool CProfile::HasValue(const QString &section, const QString &key) const
{
    return m_values.contains(keyPath(section, key));
}

int CProfile::GetProfileInt(const QString &section, const QString &key, int defaultValue) const
{
    const QVariant v = m_values.value(keyPath(section, key));
    if (!v.isValid())
        return defaultValue;
    bool ok = false;
    const int value = v.toString().trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

void CProfile::setValue(const QString &path, const QString &value)
{
    const QVariant v(value);
    const auto held = m_values.constFind(path);
    if (held != m_values.cend() && held->metaType().id() == QMetaType::QString && *held == v)
        return;
    m_values.insert(path, v);
    m_changes.insert(path, v);
}

bool CProfile::WriteProfileInt(const QString &section, const QString &key, int value)
{
    setValue(keyPath(section, key), QString::number(value));
    return true;
}

QString CProfile::GetProfileString(const QString &section, const QString &key,
                                   const QString &defaultValue) const
{
    const QVariant v = m_values.value(keyPath(section, key));
    return v.isValid() ? v.toString() : defaultValue;
}

bool CProfile::WriteProfileString(const QString &section, const QString &key, const QString &value)
{
    setValue(keyPath(section, key), value);
    return true;
}

QRect CProfile::GetProfileRect(const QString &section, const QString &key,
                               const QRect &defaultValue) const
{
    QRect rect;
    if (RectFromProfileText(GetProfileString(section, key), &rect))
        return rect;
    return defaultValue;
}

bool CProfile::WriteProfileRect(const QString &section, const QString &key, const QRect &rect)
{
    return WriteProfileString(section, key, RectToProfileText(rect));
}

bool CProfile::Sync(QString *failure)
{
    if (m_ownerOnly)
        restrictFile();
    if (m_changes.isEmpty())
        return true;
    const QFileInfo before(m_fileName);
    QString reason;
    if (before.exists()) {
        // What the file holds now is kept where this profile changed
        // nothing; a file that cannot be read is not written over.
        QFile file(m_fileName);
        if (!file.open(QIODevice::ReadOnly))
            reason = FileErrorText(file);
    }
    QMap<QString, QVariant> values;
    bool written = false;
    if (reason.isEmpty()) {
        values = valuesOf(QSettings(m_fileName, QSettings::IniFormat));
        for (auto it = m_changes.cbegin(); it != m_changes.cend(); ++it)
            values.insert(it.key(), it.value());
        QDir().mkpath(before.absolutePath());
        written = WriteWholeFile(m_fileName, ProfileIniBytes(values), &reason,
                                 m_ownerOnly ? kOwnerOnly : QFileDevice::Permissions());
    }
    if (!written) {
        if (failure)
            *failure = FileNotWrittenText(m_fileName, reason);
        return false;
    }
    m_values = values;
    m_changes.clear();
    return true;
}

void CProfile::KeepOwnerOnly()
{
    m_ownerOnly = true;
    restrictFile();
}

void CProfile::restrictFile() const
{
    // A file written by the profile is private from its first byte on; one
    // that was there before is made so now.
    if (QFileInfo::exists(m_fileName))
        QFile::setPermissions(m_fileName, kOwnerOnly);
}

QString RectToProfileText(const QRect &rect)
{
    if (rect.isNull())
        return QStringLiteral("0,0,0,0");
    return QStringLiteral("%1,%2,%3,%4")
        .arg(rect.left())
        .arg(rect.top())
        .arg(rect.left() + rect.width())
        .arg(rect.top() + rect.height());
}

bool RectFromProfileText(const QString &text, QRect *rect)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts.at(i).trimmed().toInt(&ok);
        if (!ok)
            return false;
    }
    // A garbled value with coordinates far outside any screen is no
    // rectangle: its width and height could not even be computed.
    const int kMaxCoordinate = INT_MAX / 4;
    for (int c : v) {
        if (c < -kMaxCoordinate || c > kMaxCoordinate)
            return false;
    }
    if (v[0] == 0 && v[1] == 0 && v[2] == 0 && v[3] == 0)
        *rect = QRect();
    else
        *rect = QRect(QPoint(v[0], v[1]), QSize(v[2] - v[0], v[3] - v[1]));
    return true;
}

void ValidateWndRect(QRect *rect)
{
    if (!rect || rect->isNull())
        return;
    if (rect->width() <= 0 || rect->height() <= 0) {
        *rect = QRect();
        return;
    }
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(*rect))
            return;
    }
    *rect = QRect();
}
