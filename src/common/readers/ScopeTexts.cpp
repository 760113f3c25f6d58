#include "common/readers/ScopeTexts.h"

#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

namespace {

bool Usable(const CPrgSettings &settings, CYaqDb *db, const QString &apNumber)
{
    return db && settings.nKatalogFlag == 0 && !settings.LeadTyp.trimmed().isEmpty() &&
           !apNumber.trimmed().isEmpty();
}

QString ScopeNumber(const CPrgSettings &settings, CYaqDb *db, const QString &apNumber)
{
    if (!Usable(settings, db, apNumber))
        return QString();
    CAPosUmfNrData rec;
    rec.Init();
    rec.m_strAPosNr = apNumber.trimmed();
    rec.m_strLTyp = settings.LeadTyp.trimmed();
    rec.m_strZusatz = settings.ZusatzCode.trimmed();
    const bool found = db->ReadAPosUmfNrData(rec);
    db->CloseStmt();
    rec.TrimData();
    return found ? rec.m_strUmfNr : QString();
}

QString InclusiveNumber(const CPrgSettings &settings, CYaqDb *db, const QString &apNumber)
{
    if (!Usable(settings, db, apNumber))
        return QString();
    CInklNrData rec;
    rec.Init();
    rec.m_strKatBstNr = settings.KatalogKey;
    rec.m_strAPosNr = apNumber.trimmed();
    rec.m_strLTyp = settings.LeadTyp.trimmed();
    rec.m_strZusatz = settings.ZusatzCode.trimmed();
    const bool found = db->ReadInklNrData(rec);
    db->CloseStmt();
    rec.TrimData();
    return found ? rec.m_strInklNr : QString();
}

} // namespace

bool HasScopeTexts(const CPrgSettings &settings, CYaqDb *valueDb, const QString &apNumber)
{
    return !ScopeNumber(settings, valueDb, apNumber).isEmpty();
}

bool HasInclusivePositions(const CPrgSettings &settings, CYaqDb *catalogueDb,
                           const QString &apNumber)
{
    return !InclusiveNumber(settings, catalogueDb, apNumber).isEmpty();
}

QStringList ReadScopeTextLines(const CPrgSettings &settings, CYaqDb *valueDb,
                               const QString &apNumber)
{
    QStringList lines;
    const QString number = ScopeNumber(settings, valueDb, apNumber);
    if (number.isEmpty())
        return lines;
    CUmfTxtData rec;
    rec.Init();
    rec.m_strUmfNr = number;
    rec.m_strSprache = GetPrgSprache();
    for (int ok = valueDb->ReadUmfTxtData(rec); ok; ok = valueDb->ReadNext()) {
        rec.TrimData();
        lines << rec.m_strText;
    }
    valueDb->CloseStmt();
    return lines;
}

QStringList ReadInclusivePositionLines(const CPrgSettings &settings, CYaqDb *catalogueDb,
                                       const QString &apNumber)
{
    QStringList numbers;
    const QString list = InclusiveNumber(settings, catalogueDb, apNumber);
    if (list.isEmpty())
        return numbers;
    CInklAPosData rec;
    rec.Init();
    rec.m_strKatBstNr = settings.KatalogKey;
    rec.m_strInklNr = list;
    for (int ok = catalogueDb->ReadInklAPosData(rec); ok; ok = catalogueDb->ReadNext()) {
        rec.TrimData();
        numbers << rec.m_strAPosNr;
    }
    catalogueDb->CloseStmt();
    QStringList lines;
    for (const QString &number : numbers) {
        // The text of the vehicle's model series, else the first one kept.
        CAPosTxtAPosKTxtData own;
        own.Init();
        own.m_strKatBstNr = settings.KatalogKey;
        own.m_strSprache = GetPrgSprache();
        own.m_strEReihe = settings.EReihe.trimmed();
        own.m_strAPosNr = number;
        const bool ownFound = catalogueDb->ReadAPosTxtAPosKTxtData(own);
        catalogueDb->CloseStmt();
        own.TrimData();
        if (ownFound) {
            lines << number + QLatin1Char(' ') + own.m_strText1;
            continue;
        }
        CAPosTextData text;
        text.Init();
        text.m_strAPosNr = number;
        text.m_strKatBstNr = settings.KatalogKey;
        text.m_strSprache = GetPrgSprache();
        const bool found = catalogueDb->SelectAPosText(text);
        catalogueDb->CloseStmt();
        text.TrimData();
        lines << (found ? number + QLatin1Char(' ') + text.m_strText1 : number);
    }
    return lines;
}
