#include "support/PdfText.h"

#include "support/Waits.h"

#include <QProcess>
#include <QRegularExpression>

namespace YaqTest {

QStringList PdfPages(const QString &file)
{
    QProcess process;
    const ProcessReaper reaper(process);
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!process.waitForFinished(kHangMs) || process.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput())
                            .normalized(QString::NormalizationForm_KC)
                            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QStringList WordsOf(const QString &text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return text.split(blanks, Qt::SkipEmptyParts);
}

QString MissingInOrder(const QString &text, const QStringList &phrases)
{
    const QStringList words = WordsOf(text);
    qsizetype from = 0;
    for (const QString &phrase : phrases) {
        const QStringList wanted = WordsOf(phrase);
        qsizetype at = from;
        for (; at + wanted.size() <= words.size(); ++at) {
            if (words.mid(at, wanted.size()) == wanted)
                break;
        }
        if (at + wanted.size() > words.size())
            return phrase;
        from = at + wanted.size();
    }
    return QString();
}

} // namespace YaqTest
