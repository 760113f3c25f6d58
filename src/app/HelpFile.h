#pragma once
// Where the help page of a page or dialog lies: the folder "HELP" of the
// program directory, one folder per program language.

#include <QString>

class CHelpFile
{
public:
    // The help context of the "@" button (the help index).
    static constexpr int kIndexContext = 999;
    // The help context while the contact dialog is open; "?" does nothing then.
    static constexpr int kContactContext = 160;
    // "The help page <path> cannot be opened: no web browser is set up."
    static constexpr int kNoBrowserText = 7096;
    // "Fehler beim Öffnen/Zugriff auf folgende Dateien:", followed by the
    // page's path: the page is missing or cannot be read.
    static constexpr int kFileMissingText = 4012;
    // The language whose help pages every installation has.
    static QString FallbackLanguage() { return QStringLiteral("01"); }

    // <appDir>HELP/<language>/<fileName>; when that file does not exist the
    // page of the fallback language (whether that one exists is checked
    // before it is opened).
    static QString Path(const QString &appDir, const QString &language, const QString &fileName);
};
