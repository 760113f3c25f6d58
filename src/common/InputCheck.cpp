#include "common/InputCheck.h"

#include <QLineEdit>
#include <QSignalBlocker>

int CheckNumericInput(QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (!digit && c != QLatin1Char('.')) {
            text.remove(i, 1);
            return i;
        }
    }
    return -1;
}

int CheckDecimalInput(QString &text, int maxIntegerDigits, int maxDecimals)
{
    // No text meets a negative limit: deleting would never end.
    if (maxIntegerDigits < 0 || maxDecimals < 0)
        return -1;
    int caret = -1;
    for (;;) {
        const int dot = text.indexOf(QLatin1Char('.'));
        const int integerLength = dot < 0 ? int(text.size()) : dot;
        if (integerLength <= maxIntegerDigits)
            break;
        text.remove(integerLength - 1, 1);
        caret = integerLength - 1;
    }
    for (;;) {
        const int dot = text.indexOf(QLatin1Char('.'));
        const int fractionLength = dot < 0 ? 0 : int(text.size()) - dot - 1;
        if (fractionLength <= maxDecimals)
            break;
        text.chop(1);
        caret = int(text.size());
    }
    return caret;
}

namespace {

void WriteBack(QLineEdit *edit, const QString &text, int caret)
{
    const QSignalBlocker blocker(edit);
    edit->setText(text);
    edit->setCursorPosition(caret);
}

} // namespace

bool CheckNumericInput(QLineEdit *edit)
{
    if (!edit)
        return false;
    QString text = edit->text();
    const int caret = CheckNumericInput(text);
    if (caret < 0)
        return false;
    WriteBack(edit, text, caret);
    return true;
}

bool CheckDecimalInput(QLineEdit *edit, int maxIntegerDigits, int maxDecimals)
{
    if (!edit)
        return false;
    QString text = edit->text();
    const int caret = CheckDecimalInput(text, maxIntegerDigits, maxDecimals);
    if (caret < 0)
        return false;
    WriteBack(edit, text, caret);
    return true;
}
