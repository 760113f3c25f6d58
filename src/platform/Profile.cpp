#include "platform/Profile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStringList>

#include <climits>

const QString CProfile::kOrganisation = QStringLiteral("ORMEL AG");

CProfile::CProfile(const QString &applicationName)
    : m_application(applicationName),
      m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             kOrganisation, applicationName))
{
}

CProfile::~CProfile() = default;

void CProfile::SetStorageFolder(const QString &folder)
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

QString CProfile::FileName() const
{
    return m_settings->fileName();
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
    return m_settings->contains(keyPath(section, key));
}

int CProfile::GetProfileInt(const QString &section, const QString &key, int defaultValue) const
{
    const QVariant v = m_settings->value(keyPath(section, key));
    if (!v.isValid())
        return defaultValue;
    bool ok = false;
    const int value = v.toString().trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

bool CProfile::WriteProfileInt(const QString &section, const QString &key, int value)
{
    m_settings->setValue(keyPath(section, key), QString::number(value));
    return m_settings->status() == QSettings::NoError;
}

QString CProfile::GetProfileString(const QString &section, const QString &key,
                                   const QString &defaultValue) const
{
    const QVariant v = m_settings->value(keyPath(section, key));
    return v.isValid() ? v.toString() : defaultValue;
}

bool CProfile::WriteProfileString(const QString &section, const QString &key, const QString &value)
{
    m_settings->setValue(keyPath(section, key), value);
    return m_settings->status() == QSettings::NoError;
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

bool CProfile::Sync()
{
    m_settings->sync();
    if (m_ownerOnly)
        restrictFile();
    return m_settings->status() == QSettings::NoError;
}

void CProfile::KeepOwnerOnly()
{
    m_ownerOnly = true;
    restrictFile();
}

void CProfile::restrictFile() const
{
    constexpr QFileDevice::Permissions kOwnerOnly =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const QString path = m_settings->fileName();
    QFile file(path);
    if (!file.exists()) {
        // Made empty and private before the first value is written: the
        // store's writer keeps the permissions of the file it replaces.
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) ||
            !file.open(QIODevice::WriteOnly, kOwnerOnly))
            return;
        file.close();
    }
    file.setPermissions(kOwnerOnly);
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
