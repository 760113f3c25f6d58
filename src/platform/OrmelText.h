#pragma once
// Program texts and program language.
//
// The texts of the program live in string tables, one UTF-8 file per
// language in the folder "Zirava/PrgTxt" of the data directory, named
// "PrgTxt<code>.txt" (for example "PrgTxt00.txt" for German). Each line is
//     <id><TAB><text>
// where the text may carry the escapes "\n" (line break), "\t" (tab) and
// "\\" (backslash). Empty lines and lines starting with "#" are ignored.
// A text missing in the program language is taken from the German table,
// and an id missing there too gives an empty text.

#include <QString>
#include <QStringList>

// Loads the string tables from the folder. Called once at start-up; a later
// call with another folder replaces the tables.
void InitOrmelText(const QString &folder);

// The text of a string-table id in the program language; empty when unknown.
QString OrmelText(int id);

// The text of a string-table id with its "%s" placeholders filled in order;
// the fallback text when the id has no text.
QString OrmelTextArgs(int id, const QStringList &args, const QString &fallback = QString());

// The program language: a two-digit code such as "00" (German) or "01".
QString GetPrgSprache();
void SetPrgSprache(const QString &code);

// The language whose texts are shown: the program language when its string
// table exists, else "00".
QString GetPrgTextSprache();

// The installation's default language key, the default of the program
// language in the profile.
QString GetSprachKey();

// The Windows code page that belongs to a language code (1252 for the
// western languages, 1250 central Europe, 1251 Cyrillic, 932 Japanese ...).
// Exports and clipboard texts are converted to it.
int GetPrgCodePage(const QString &language);

// The iconv name of a Windows code page ("CP1252", "CP932", ...).
QString CodePageName(int codePage);
