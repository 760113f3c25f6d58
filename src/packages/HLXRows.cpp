#include "packages/HLXRows.h"

#include "platform/OrmelText.h"

const QString kHLXRedRow = QStringLiteral("Text rot");

namespace {

const QString kPlain = QStringLiteral(" ");

CHLXRow Text(const QString &text, const QString &extra = kPlain)
{
    return CHLXRow{HLX_ROW_TEXT, text, extra};
}

CHLXRow Blank()
{
    return Text(kPlain);
}

QString Mileages(int labelId, const QString &km, const QString &miles)
{
    if (km.isEmpty() && miles.isEmpty())
        return OrmelText(labelId);
    return OrmelText(labelId) + QLatin1Char(' ') + FormatMileage(km) + QStringLiteral(" / ") +
           FormatMileage(miles);
}

QString RedIf(const CHLXVertragInfo &contract, int reasonId)
{
    return contract.nGueltigkeitId == reasonId ? kHLXRedRow : kPlain;
}

} // namespace

QString FormatMileage(const QString &text)
{
    const qsizetype n = text.size();
    if (n < 4 || n > 6)
        return text;
    return text.left(n - 3) + QLatin1Char(' ') + text.right(3);
}

QStringList HLXLabelSamples()
{
    return {OrmelText(3188) + QStringLiteral(" Helix Care Wartung + Verschleiss"),
            OrmelText(3224) + QStringLiteral(" WW")};
}

bool IsHLXRedText(const CHLXRow &row)
{
    if (row.extra == kHLXRedRow)
        return true;
    const QString warning = OrmelText(3225);
    return !warning.isEmpty() && row.text.startsWith(warning);
}

QString HLXRedExtra(const CHLXRow &row)
{
    return row.extra == kHLXRedRow || row.extra.trimmed().isEmpty() ? QString() : row.extra;
}

std::vector<CHLXRow> HLXContractRows(const CHLXVertragInfo &c)
{
    const QChar blank = QLatin1Char(' ');
    return {
        Text(OrmelText(3188) + blank + c.strBezeichnung, c.strGueltigkeit),
        Text(OrmelText(3224) + blank + c.strHerkunft),
        Text(OrmelText(3189) + blank + c.strOptionNr),
        Text(OrmelText(3228) + blank + c.strAbrBeginn + blank, RedIf(c, 3231)),
        Text(Mileages(3229, c.strStartKm, c.strStartMeilen)),
        Text(c.strEndeKm.isEmpty() && c.strEndeMeilen.isEmpty()
                 ? OrmelText(3230)
                 : Mileages(3230, c.strEndeKm, c.strEndeMeilen) + QStringLiteral(" *"),
             RedIf(c, 3222)),
        Text(OrmelText(3193) + blank + c.strEnde + QStringLiteral(" *"), RedIf(c, 3223)),
        Blank(),
        Text(QStringLiteral(" *") + OrmelText(3195)),
    };
}

QStringList HLXConditionLines(const QString &text)
{
    QStringList lines;
    QString line;
    for (const QChar c : text) {
        if (c == QLatin1Char('\r'))
            continue;
        if (c == QLatin1Char('\n')) {
            lines << line;
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

std::vector<CHLXRow>
HLXListRows(const QList<CHLXVertragInfo> &contracts, const QString &vin,
            const std::function<QString(const CHLXVertragInfo &)> &conditionText)
{
    const int count = int(contracts.size());
    const QString title = OrmelText(count > 1 ? 3221 : 3187) + QStringLiteral("  ") + vin;
    std::vector<CHLXRow> rows{Blank(), CHLXRow{HLX_ROW_TITLE, title, kPlain}, Blank()};
    for (int i = 0; i < count; ++i) {
        const CHLXVertragInfo &contract = contracts.at(i);
        if (i > 0)
            rows.push_back(Blank());
        for (CHLXRow &row : HLXContractRows(contract))
            rows.push_back(std::move(row));
        const QString conditions = conditionText ? conditionText(contract) : QString();
        if (!conditions.isEmpty()) {
            rows.push_back(Blank());
            rows.push_back(Blank());
            for (const QString &line : HLXConditionLines(conditions))
                rows.push_back(line.isEmpty() ? Blank() : Text(line));
        }
        if (i + 1 < count) {
            rows.push_back(Blank());
            rows.push_back(CHLXRow{HLX_ROW_LINE, QString(), QString()});
        }
    }
    return rows;
}

std::vector<CHLXRow> HLXNoticeRows(int textId)
{
    return {Blank(), Text(OrmelText(textId))};
}
