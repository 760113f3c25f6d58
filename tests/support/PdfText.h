// The text of a PDF as a reader of the paper sees it, for the print tests.
#pragma once

#include <QString>
#include <QStringList>

namespace YaqTest {

// The pages of a PDF as pdftotext lays them out (empty when it cannot).
// Compatibility forms are folded: a font with ligatures writes "fi" as one
// sign, and the words must read the same whatever font the machine has.
QStringList PdfPages(const QString &file);

// The words of a text as blanks and line ends part them.
QStringList WordsOf(const QString &text);

// The first of the phrases that does not stand in the text as whole words
// one after the other, after the phrases before it; empty when all do. A
// phrase of several words is a run of words with nothing between them: the
// cells of one printed row, left to right.
QString MissingInOrder(const QString &text, const QStringList &phrases);

} // namespace YaqTest
