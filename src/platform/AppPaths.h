#pragma once
// Where the program finds its files on this platform.

#include <QString>

// The folder of the executable, ending in "/". Tests may set another one.
QString GetAppDirectory();
void SetAppDirectory(const QString &folder);

// The user's local application-data folder (no trailing "/").
QString LocalAppDataFolder();

// Joins a folder and a file name with exactly one "/" between them; a
// folder that already ends in "/" or "\" is taken as it is.
QString JoinPath(const QString &folder, const QString &name);
