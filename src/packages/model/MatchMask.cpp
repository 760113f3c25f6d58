#include "packages/model/MatchMask.h"

bool MatchMask(const QString &mask, const QString &text)
{
    if (text.size() > mask.size())
        return false;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar m = mask.at(i);
        if (m == QLatin1Char('X'))
            continue;
        if (i >= text.size() || text.at(i) != m)
            return false;
    }
    return true;
}
