#pragma once
// Opens a document or web address in the user's default browser.

#include <QString>

// A local path (absolute, or a file that exists) opens as a file; anything
// else is taken as a web address. Returns whether the desktop accepted it.
bool OpenUrlInBrowser(const QString &url);
