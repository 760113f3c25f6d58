#pragma once
// Private profile files ("Version.ini", "YAQ2.ini", "YAQTrader.ini"):
// "[Section]" headers and "Key=Value" lines, read and written the way the
// program has always kept them:
//  - section and key names compare without case;
//  - a value is the raw text after "=", with blanks around it and one pair of
//    enclosing double quotes removed;
//  - writing a value keeps every other line, comment and blank line of the
//    file as it was; a new key goes to the end of its section, a new section
//    to the end of the file.
// Files are read as UTF-8, or UTF-16 when they start with a byte-order mark
// (text that is not valid UTF-8 is taken as Windows-1252). They are written
// as UTF-8, always through a temporary file that replaces the old one only
// when it is complete.

#include <QString>
#include <QStringList>

class CPrivateProfile
{
public:
    CPrivateProfile() = default;

    // Reads the file; false when it does not exist or cannot be read (the
    // profile is then empty).
    bool Load(const QString &path);
    // Takes the text of a file, for example one read elsewhere.
    void SetContent(const QString &text);

    bool HasSection(const QString &section) const;
    bool HasKey(const QString &section, const QString &key) const;
    QString GetString(const QString &section, const QString &key,
                      const QString &defaultValue = QString(), bool *found = nullptr) const;
    void SetString(const QString &section, const QString &key, const QString &value);
    // Removes a key; true when it was there.
    bool RemoveKey(const QString &section, const QString &key);

    // The whole file as it would be written.
    QString Content() const;
    // Writes the file atomically; on failure returns false with the reason.
    bool Save(const QString &path, QString *error = nullptr) const;

    // One-call forms in the manner of the system's profile functions.
    static QString GetPrivateProfileString(const QString &section, const QString &key,
                                           const QString &defaultValue, const QString &path);
    static bool WritePrivateProfileString(const QString &section, const QString &key,
                                          const QString &value, const QString &path);

    // Decodes file bytes by their byte-order mark (see above).
    static QString DecodeText(const QByteArray &bytes, bool *hadUtf8Bom = nullptr);

private:
    int findSection(const QString &section) const; // line index of the header, -1
    int sectionEnd(int headerLine) const;          // first line after the section
    int findKey(int headerLine, const QString &key) const;

    QStringList m_lines;
    QString m_newline = QStringLiteral("\n");
    bool m_utf8Bom = false;
};
