#pragma once
// Whether a position key or finding number fits a mask of the catalogue's
// position lists (inclusive-service contracts): one rule for the package
// list's contract coverage and the findings of the editing page.

#include <QString>

// Place by place from the mask's first character to the place just behind
// its last: an upper-case "X" of the mask lets any character, or none,
// stand there; every other place must hold the mask's character, and the
// text may not run past the mask's end. So "87XXXXXX" fits "87123456" and
// "8712", but neither "871234567" nor "86123456"; "X" never shifts the
// rest ("X110" does not fit "110"). Case-sensitive.
bool MatchMask(const QString &mask, const QString &text);
