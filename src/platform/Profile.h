#pragma once
// The user's settings profile: organisation "ORMEL AG", application the
// program's file name, one group per section ("YAQ", "SRP"). On this platform
// it is the INI file of QSettings in the user's configuration folder; the
// section "General" is the file's "[General]" section. The program's
// start-up configuration is the profile of its own application name
// ("YAQStartup").
//
// The file is read as QSettings reads it, but a value a person wrote with a
// comma outside quotes is the one text written (QSettings reads a list), and
// a backslash before a character that is no escape stays; a value QSettings
// would read from a stream of bytes ("@Variant(...)", "@DateTime(...)",
// alone or in a list: never one of the program's) is the text written too,
// and QSettings reads the file without it (ProfileIniForStore). It is written by
// the profile itself, whole (WholeFile): a profile that cannot be written on
// a full disk keeps the old file, and Sync says so. Writing touches only the
// keys changed since the last Sync (a value written as the text or number
// read is no change): their lines take the new values, new keys go to the
// end of their section with the file's own line end; every other line of the
// file as it is then (values of any form, comments, order, sections) stays
// byte for byte. The file is read and replaced under the lock file that
// QSettings takes too ("<file>.lock"), so that two programs writing at once
// both keep their change. The lock is the system's lock on that file,
// which ends with its holder: a write waits for a lock another program
// holds (CProfileLockTimes), however long that program stalls, and a lock
// file left by a program that ended locks nothing. A write never goes on
// without the lock: a lock file that cannot be opened for reading, a link
// or anything but a plain file in its place, or a folder the user may not
// write in make Sync fail and say so (a lock file the user may not write
// still locks; a link is never followed).
//
// Integers and rectangles are kept as text ("42"; "left,top,right,bottom").
// Tests move the whole store to a folder of their own with SetStorageFolder.

#include <QByteArray>
#include <QMap>
#include <QRect>
#include <QString>
#include <QVariant>

// How long a write waits for the lock of the file (milliseconds).
struct CProfileLockTimes
{
    int waitMs = 15000;
};

class CProfile
{
public:
    static const QString kOrganisation; // "ORMEL AG"

    explicit CProfile(const QString &applicationName);
    // Writes what was changed since the last Sync (a Sync that failed gave
    // its changes up).
    ~CProfile();
    CProfile(const CProfile &) = delete;
    CProfile &operator=(const CProfile &) = delete;

    // Keeps every profile of this process under the folder (tests).
    static void SetStorageFolder(const QString &folder);
    // The lock times of every profile of this process (tests shorten them).
    static void SetLockTimes(const CProfileLockTimes &times);
    static CProfileLockTimes LockTimes();

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

    // Writes the changes to the file. False when it could not be written
    // whole (or its lock was held by another program for the whole wait):
    // the file stays as it was, the changes are given up (no later Sync
    // makes them: the caller tells the user they were not written), and
    // *failure (when given) is the adviser's message naming the file and
    // the reason.
    bool Sync(QString *failure = nullptr);
    bool HasChanges() const { return !m_changes.isEmpty(); }

    // The store holds what others may not read (a password): from now on
    // its file is readable and writable by its owner only, also a file
    // that was there before.
    void KeepOwnerOnly();

private:
    void restrictFile() const;

    void setValue(const QString &path, const QString &value);

    QString m_application;
    QString m_fileName;
    bool m_ownerOnly = false;
    QMap<QString, QVariant> m_values;  // by "section/key", changes included
    QMap<QString, QVariant> m_changes; // not written yet
};

// The bytes of an INI file as QSettings reads it back, for values by
// "section/key" ("key" alone for the section "General"): texts, lists of
// texts, invalid values.
QByteArray ProfileIniBytes(const QMap<QString, QVariant> &values);
// The file with the values changed: the line QSettings reads a key from
// takes the new value, a new key goes to the end of its section (a new
// section to the end of the file); all else stays as it was.
QByteArray ProfileIniPatched(const QByteArray &file, const QMap<QString, QVariant> &changes);

// The file as the profile hands it to QSettings: each value QSettings would
// read from a stream of bytes is "@Invalid()"; every other line as it is.
QByteArray ProfileIniForStore(const QByteArray &file);

// Rectangles in the profile are (left, top, right, bottom) with the right
// and bottom edges exclusive, as window rectangles are stored.
QString RectToProfileText(const QRect &rect);
bool RectFromProfileText(const QString &text, QRect *rect);

// Makes a stored window rectangle fit the screens: a rectangle that lies on
// no screen any more becomes empty (the window then takes its default place).
// Without a display (the offscreen platform) it stays as it is.
void ValidateWndRect(QRect *rect);
