#include "app/Utilities.h"

#include "app/ModelMapping.h"
#include "common/readers/CatalogueColumn.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

QString GetHelpFileName(int id)
{
    static const struct
    {
        int id;
        const char *file;
    } kHelp[] = {
        {102, "hilf4v8l.htm"}, {139, "hilf8g6d.htm"}, {146, "hilf8w1j.htm"}, {147, "hilf9uwk.htm"},
        {148, "hilf9uwk.htm"}, {149, "hilf7w2t.htm"}, {150, "hilf11nr.htm"}, {151, "hilf717o.htm"},
        {154, "hilf1k4u.htm"}, {155, "hilf8q7i.htm"}, {156, "hilf3iyc.htm"}, {158, "hilf9h2s.htm"},
        {159, "hilf265w.htm"}, {160, "hilf3oiv.htm"}, {193, "hilf5tig.htm"}, {194, "hilf3ods.htm"},
        {220, "hilf55tf.htm"}, {223, "hilf2228.htm"}, {224, "hilf1zck.htm"}, {225, "hilf52hx.htm"},
        {238, "hilf5cby.htm"}, {266, "ccr.htm"},      {400, "hilf78vi.htm"}, {999, "hilf682s.htm"},
    };
    for (const auto &h : kHelp) {
        if (h.id == id)
            return QString::fromLatin1(h.file);
    }
    return QString();
}

bool IsSpecialAPNr(const QString &apNr)
{
    // Whole entries only: a prefix such as "00001" is no special position.
    static const QStringList kSpecial =
        QStringLiteral("0000150.0000152.0000154.0000156.0000158.0000160.0000162.0012300.0051499")
            .split(QLatin1Char('.'));
    if (apNr.isEmpty())
        return true;
    return kSpecial.contains(apNr.left(7));
}

CatalogueAnswer<int> GetAwKatSpalte(CPrgSettings *settings, CYaqDb *db,
                                    const QString &modelDesignation, const CModelMapping *mapping)
{
    return GetAwKatSpalte(settings, db, modelDesignation, [mapping](const QString &code) {
        return mapping && mapping->HasCode(code);
    });
}

void ReplaceNewlineEscapes(QString &text)
{
    const QString twoBackslashes = QStringLiteral("\\\\n");
    while (text.contains(twoBackslashes))
        text.remove(twoBackslashes);
    text.replace(QStringLiteral("\\n"), QStringLiteral(" "));
}

QString DealerBrandName(const QString &code)
{
    static const struct
    {
        const char *code;
        const char *name;
    } kBrands[] = {
        {"LU", "lumo"}, {"QN", "quendaline"}, {"VJ", "voq i"}, {"VQ", "voq"}, {"TK", "tremik"}};
    for (const auto &b : kBrands) {
        if (code == QLatin1String(b.code))
            return QString::fromLatin1(b.name);
    }
    return QString();
}

int GetBrandFromDealerData(CPrgSettings *settings, const QString &code)
{
    if (!settings || settings->DealerList.isEmpty())
        return 1;
    const QString name = DealerBrandName(code);
    return !name.isEmpty() && settings->DealerList.contains(name, Qt::CaseSensitive) ? 1 : 0;
}

int IsVoqDealer(CPrgSettings *settings)
{
    if (!settings || settings->DealerList.isEmpty())
        return 1;
    return settings->DealerList.contains(QStringLiteral("voq"), Qt::CaseSensitive) ? 1 : 0;
}

QString MakeScrambleKey()
{
    // Built character by character so that the key never stands as a whole.
    QString key;
    key.resize(8);
    const ushort seed[8] = {0x4b, 0x21, 0x76, 0x39, 0x5a, 0x30, 0x71, 0x2e};
    for (int i = 0; i < 8; ++i)
        key[i] = QChar(ushort(seed[i] ^ (i * 3)));
    return key;
}

QString ScrambleString(const QString &key, const QString &text)
{
    QString result;
    if (key.size() < 8)
        return result;
    result.reserve(text.size());
    for (int i = 0; i < text.size(); ++i)
        result.append(QChar(ushort(~(text.at(i).unicode() ^ key.at(i % 8).unicode()))));
    return result;
}
