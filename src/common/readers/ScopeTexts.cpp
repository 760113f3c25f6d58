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

// The line of one inclusive position: the text of the vehicle's model
// series, else the first one kept.
QString InclusiveLine(const CPrgSettings &settings, CYaqDb *db, const QString &number)
{
    CAPosTxtAPosKTxtData own;
    own.Init();
    own.m_strKatBstNr = settings.KatalogKey;
    own.m_strSprache = GetPrgSprache();
    own.m_strEReihe = settings.EReihe.trimmed();
    own.m_strAPosNr = number;
    const bool ownFound = db->ReadAPosTxtAPosKTxtData(own);
    db->CloseStmt();
    own.TrimData();
    if (ownFound)
        return number + QLatin1Char(' ') + own.m_strText1;
    CAPosTextData text;
    text.Init();
    text.m_strAPosNr = number;
    text.m_strKatBstNr = settings.KatalogKey;
    text.m_strSprache = GetPrgSprache();
    const bool found = db->SelectAPosText(text);
    db->CloseStmt();
    text.TrimData();
    return found ? number + QLatin1Char(' ') + text.m_strText1 : number;
}

} // namespace

CatalogueFound FindScopeTexts(const CPrgSettings &settings, CYaqDb *valueDb,
                              const QString &apNumber)
{
    const int failures = valueDb ? valueDb->Failures() : 0;
    const bool found = !ScopeNumber(settings, valueDb, apNumber).isEmpty();
    return valueDb ? FoundBy(valueDb, failures, found) : CatalogueFound::No;
}

CatalogueFound FindInclusivePositions(const CPrgSettings &settings, CYaqDb *catalogueDb,
                                      const QString &apNumber)
{
    const int failures = catalogueDb ? catalogueDb->Failures() : 0;
    const bool found = !InclusiveNumber(settings, catalogueDb, apNumber).isEmpty();
    return catalogueDb ? FoundBy(catalogueDb, failures, found) : CatalogueFound::No;
}

CatalogueAnswer<QStringList> ScopeTextLines(const CPrgSettings &settings, CYaqDb *valueDb,
                                            const QString &apNumber)
{
    CatalogueAnswer<QStringList> answer;
    if (!valueDb)
        return answer;
    const int failures = valueDb->Failures();
    const QString number = ScopeNumber(settings, valueDb, apNumber);
    if (!number.isEmpty()) {
        CUmfTxtData rec;
        rec.Init();
        rec.m_strUmfNr = number;
        rec.m_strSprache = GetPrgSprache();
        for (int ok = valueDb->ReadUmfTxtData(rec); ok; ok = valueDb->ReadNext()) {
            rec.TrimData();
            answer.value << rec.m_strText;
        }
        valueDb->CloseStmt();
    }
    if (FailedSince(valueDb, failures))
        answer = {QStringList(), true};
    return answer;
}

CatalogueAnswer<QStringList> InclusivePositionLines(const CPrgSettings &settings,
                                                    CYaqDb *catalogueDb, const QString &apNumber)
{
    CatalogueAnswer<QStringList> answer;
    if (!catalogueDb)
        return answer;
    const int failures = catalogueDb->Failures();
    const QString list = InclusiveNumber(settings, catalogueDb, apNumber);
    QStringList numbers;
    if (!list.isEmpty()) {
        CInklAPosData rec;
        rec.Init();
        rec.m_strKatBstNr = settings.KatalogKey;
        rec.m_strInklNr = list;
        for (int ok = catalogueDb->ReadInklAPosData(rec); ok; ok = catalogueDb->ReadNext()) {
            rec.TrimData();
            numbers << rec.m_strAPosNr;
        }
        catalogueDb->CloseStmt();
    }
    // Once a read failed the step reads no further.
    for (const QString &number : numbers) {
        if (FailedSince(catalogueDb, failures))
            break;
        answer.value << InclusiveLine(settings, catalogueDb, number);
    }
    if (FailedSince(catalogueDb, failures))
        answer = {QStringList(), true};
    return answer;
}
