#pragma once
// Private profile files ("Version.ini", "YAQ2.ini", "YAQTrader.ini"):
// "[Section]" headers and "Key=Value" lines, read and written the way the
// program has always kept them:
//  - section and key names compare without case;
//  - a value is the text after "=", with blanks around it and one pair of
//    enclosing double quotes removed, in the one-line form of
//    EscapeFieldText ("\n" line feed, "\r" carriage return, "\t" tab,
//    "\\" backslash), so every text reads back exactly as it was written;
//  - writing a value keeps every other line, comment and blank line of the
//    file as it was; a new key goes to the end of its section, a new section
//    to the end of the file; writing the value a key holds already leaves
//    its line alone.
// A file that starts with a UTF-16 byte-order mark is read as UTF-16; any
// other (a UTF-8 byte-order mark is kept) line by line: a line that is valid
// UTF-8 is UTF-8, any other line is in the Windows code page 1252 of older
// dealer files. They are written through a
// temporary file that replaces the old one only when it is complete: lines
// of an 8-bit file the program did not change keep their bytes and line
// ends; changed and new lines are UTF-8.

#include <QString>
#include <QStringList>

class CPrivateProfile
{
public:
    CPrivateProfile() = default;

    // Reads the file; false when it does not exist or cannot be read (the
    // profile is then empty). For a file that exists but cannot be read the
    // reason goes to *error, which is left empty when there is no file.
    bool Load(const QString &path, QString *error = nullptr);
    // Takes the text of a file, for example one read elsewhere.
    void SetContent(const QString &text);

    bool HasSection(const QString &section) const;
    bool HasKey(const QString &section, const QString &key) const;
    QString GetString(const QString &section, const QString &key,
                      const QString &defaultValue = QString(), bool *found = nullptr) const;
    void SetString(const QString &section, const QString &key, const QString &value);
    // Removes a key; true when it was there.
    bool RemoveKey(const QString &section, const QString &key);

    // The text of the file, every line ended with the file's line end.
    QString Content() const;
    // Writes the file atomically; on failure returns false with the reason.
    bool Save(const QString &path, QString *error = nullptr) const;

    // One-call forms in the manner of the system's profile functions.
    static QString GetPrivateProfileString(const QString &section, const QString &key,
                                           const QString &defaultValue, const QString &path);
    static bool WritePrivateProfileString(const QString &section, const QString &key,
                                          const QString &value, const QString &path);

    // Decodes file bytes by their byte-order mark or line by line (see above).
    static QString DecodeText(const QByteArray &bytes, bool *hadUtf8Bom = nullptr);

private:
    int findSection(const QString &section) const; // line index of the header, -1
    int sectionEnd(int headerLine) const;          // first line after the section
    int findKey(int headerLine, const QString &key) const;

    void setLine(int index, const QString &text);
    void insertLine(int index, const QString &text);

    QStringList m_lines;
    // The bytes each line was read from, with its line end; empty for a line
    // that is new or changed, or when the file was not 8-bit text.
    QList<QByteArray> m_raw;
    QString m_newline = QStringLiteral("\n");
    bool m_utf8Bom = false;
};
