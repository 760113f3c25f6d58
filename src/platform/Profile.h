#pragma once
// The user's settings profile: organisation "ORMEL AG", application the
// program's file name, one group per section ("YAQ", "SRP"). On this platform
// it is a QSettings store in the user's configuration folder; the section
// "General" is the file's "[General]" section. The program's start-up
// configuration is the profile of its own application name ("YAQStartup").
//
// Integers and rectangles are kept as text ("42"; "left,top,right,bottom").
// Tests move the whole store to a folder of their own with SetStorageFolder.

#include <QRect>
#include <QString>
#include <memory>

class QSettings;

class CProfile
{
public:
    static const QString kOrganisation; // "ORMEL AG"

    explicit CProfile(const QString &applicationName);
    ~CProfile();
    CProfile(const CProfile &) = delete;
    CProfile &operator=(const CProfile &) = delete;

    // Keeps every profile of this process under the folder (tests).
    static void SetStorageFolder(const QString &folder);

    QString ApplicationName() const { return m_application; }
    // The file the profile lives in.
    QString FileName() const;

    bool HasValue(const QString &section, const QString &key) const;
    // An integer, or the default when the value is missing or not a number.
    int GetProfileInt(const QString &section, const QString &key, int defaultValue) const;
    bool WriteProfileInt(const QString &section, const QString &key, int value);
    QString GetProfileString(const QString &section, const QString &key,
                             const QString &defaultValue = QString()) const;
    bool WriteProfileString(const QString &section, const QString &key, const QString &value);
    QRect GetProfileRect(const QString &section, const QString &key,
                         const QRect &defaultValue) const;
    bool WriteProfileRect(const QString &section, const QString &key, const QRect &rect);

    // Writes pending changes to the store; false when it cannot be written.
    bool Sync();

    // The store holds what others may not read (a password): from now on
    // its file is readable and writable by its owner only, also a file
    // that was there before.
    void KeepOwnerOnly();

private:
    void restrictFile() const;

    QString m_application;
    bool m_ownerOnly = false;
    std::unique_ptr<QSettings> m_settings;
};

// Rectangles in the profile are (left, top, right, bottom) with the right
// and bottom edges exclusive, as window rectangles are stored.
QString RectToProfileText(const QRect &rect);
bool RectFromProfileText(const QString &text, QRect *rect);

// Makes a stored window rectangle fit the screens: a rectangle that lies on
// no screen any more becomes empty (the window then takes its default place).
void ValidateWndRect(QRect *rect);
