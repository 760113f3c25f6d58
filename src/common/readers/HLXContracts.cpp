#include "common/readers/HLXContracts.h"

#include "platform/AppPaths.h"
#include "platform/OrmelText.h"
#include "platform/StringUtil.h"
#include "platform/ccd/CCDFile.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

#include <QDate>

const QString kHLXOriginDealer = QStringLiteral("AG");

namespace {

const QString kNoDate = QStringLiteral("01.01.1970");

// Text ids of the reasons why a contract is not in force.
constexpr int kNotYetBegun = 3231;
constexpr int kOverMileage = 3222;
constexpr int kTermEnded = 3223;

// The state letters of the product as the catalogue may give them in digits.
QString NormalisedState(const QString &state)
{
    if (state == QLatin1String("1"))
        return QStringLiteral("B");
    if (state == QLatin1String("2"))
        return QStringLiteral("S");
    if (state == QLatin1String("3"))
        return QStringLiteral("R");
    return state;
}

// 1 to 8 by the state letter; the lists show the contracts in this order.
int StateRank(const QString &state)
{
    static const QString kOrder = QStringLiteral("BASCFER");
    const qsizetype at = state.size() == 1 ? kOrder.indexOf(state.at(0)) : -1;
    return at >= 0 ? int(at) + 1 : 8;
}

// A name part of a condition-text file comes from the catalogue: it must
// not lead out of the folder "HLX".
bool IsSafeNamePart(const QString &part)
{
    for (const QChar c : part) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') ||
            c.unicode() < 0x20)
            return false;
    }
    return true;
}

} // namespace

QString HLXDateKey(const QString &date)
{
    if (date.size() != 10)
        return QString();
    const QDate day = QDate::fromString(date, QStringLiteral("dd.MM.yyyy"));
    return day.isValid() ? day.toString(QStringLiteral("yyyyMMdd")) : QString();
}

double HLXMileage(const QString &text, bool *ok)
{
    QString digits = text.trimmed();
    digits.remove(QLatin1Char(' '));
    bool valid = !digits.isEmpty();
    int points = 0;
    for (const QChar c : digits) {
        if (c == QLatin1Char('.'))
            ++points;
        else if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            valid = false;
    }
    valid = valid && points <= 1 && !digits.startsWith(QLatin1Char('.')) &&
            !digits.endsWith(QLatin1Char('.'));
    const double value = valid ? digits.toDouble(&valid) : 0.0;
    if (ok)
        *ok = valid;
    return valid ? value : 0.0;
}

CHLXJudgedContract JudgeHLXContract(const CHLXContractRows &rows, const QString &today,
                                    double mileage)
{
    CHLXJudgedContract judged;
    CHLXVertragInfo &c = judged.info;
    c.bFilled = 1;
    c.strOptionNr = rows.optionNr;
    c.strAbrBeginn = rows.billingStart;
    c.strStartKm = rows.startKm;
    c.strStartMeilen = rows.startMiles;
    const bool withoutTerm = rows.begin == kNoDate && rows.end == kNoDate;
    c.strBeginn = withoutTerm ? OrmelText(3194) : rows.begin;
    c.strEnde = withoutTerm ? QString() : rows.end;
    c.strEndeKm = rows.endKm;
    c.strEndeMeilen = rows.endMiles;
    c.strProduktWert = rows.productValue;
    c.strHerkunft = rows.origin;
    c.strTextGruppe = rows.textGroup;
    c.strTextKey = rows.textKey;
    c.strBezeichnung = WithoutTrailingBlanks(rows.description);

    // A dealer's contract whose own end mileage lies above the product's
    // limit is judged by its own end mileage.
    const bool dealer = rows.origin == kHLXOriginDealer;
    bool endKmOk = false;
    bool productLimitOk = false;
    const double endKm = HLXMileage(rows.endKm, &endKmOk);
    const double productLimit = HLXMileage(rows.productLimit, &productLimitOk);
    const bool aboveProduct = endKmOk && productLimitOk && endKm > productLimit;
    c.strKmLimit = dealer && aboveProduct ? rows.endKm : rows.productLimit;
    bool limitOk = false;
    const double limit = HLXMileage(c.strKmLimit, &limitOk);
    c.strStatus = dealer ? NormalisedState(rows.state) : rows.state;
    if (dealer)
        c.nStatus = StateRank(c.strStatus) + (aboveProduct ? 20 : 10);

    const QString billingStart = HLXDateKey(rows.billingStart);
    const QString end = HLXDateKey(rows.end);
    const bool begun = !billingStart.isEmpty() && billingStart <= today;
    const bool notEnded = withoutTerm || (!end.isEmpty() && end >= today);
    const bool withinMileage = limitOk && mileage <= limit;
    judged.inForce = begun && notEnded && withinMileage;
    if (!judged.inForce) {
        c.nGueltigkeitId = !begun ? kNotYetBegun : notEnded ? kOverMileage : kTermEnded;
        c.strGueltigkeit = OrmelText(c.nGueltigkeitId);
    }
    // Shown until two years after its end, on that day itself too.
    const QString shownUntil =
        end.isEmpty() ? QString() : QString::number(end.left(4).toInt() + 2) + end.mid(4);
    judged.recent = withoutTerm || (!shownUntil.isEmpty() && shownUntil >= today);
    return judged;
}

bool KeepsHLXContract(HLXKeep rule, const CHLXJudgedContract &contract)
{
    if (contract.info.strHerkunft != kHLXOriginDealer)
        return false;
    return rule == HLXKeep::InForce ? contract.inForce : contract.recent;
}

void InsertHLXContractSorted(QList<CHLXVertragInfo> &list, const CHLXVertragInfo &contract)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).bFilled && list.at(i).nStatus >= contract.nStatus) {
            list.insert(i, contract);
            return;
        }
    }
    list.append(contract);
}

CatalogueAnswer<std::vector<CHLXContractRows>> ReadHLXContractRows(CYaqDb *db,
                                                                   const QString &catalogueKey,
                                                                   const QString &vin,
                                                                   const QString &modelSeries)
{
    std::vector<CHLXContractRows> contracts;
    if (!db || vin.size() != 17)
        return {std::move(contracts), false};
    const int failures = db->Failures();
    CHLXFgstnrData row;
    row.Init();
    row.m_strKatBstNr = catalogueKey;
    row.m_strFgstNr = vin;
    for (int ok = db->ReadHLXFgstnrData(row); ok; ok = db->ReadNext()) {
        row.TrimData();
        CHLXContractRows c;
        c.optionNr = row.m_strOptionNr;
        c.billingStart = row.m_strAbrBeginn;
        c.begin = row.m_strBeginn;
        c.end = row.m_strEnde;
        c.endKm = row.m_strEndeKm;
        c.endMiles = row.m_strEndeMeilen;
        c.startKm = row.m_strStartKm;
        c.startMiles = row.m_strStartMeilen;
        contracts.push_back(std::move(c));
    }
    // The product, text group and link of each, once the VIN's rows are in.
    CHLXRefData group;
    group.Init();
    group.m_strKatBstNr = catalogueKey;
    group.m_strEReihe = modelSeries;
    const bool haveGroup = !contracts.empty() && db->ReadHLXRefData(group);
    if (haveGroup)
        group.TrimData();
    for (CHLXContractRows &c : contracts) {
        CHLXNrData product;
        product.Init();
        product.m_strKatBstNr = catalogueKey;
        product.m_strOptionNr = c.optionNr;
        if (db->ReadHLXNrData(product)) {
            product.TrimData();
            c.state = product.m_strStatus;
            c.origin = product.m_strHerkunft;
            c.productValue = product.m_strProduktWert;
            c.productLimit = product.m_strKmLimit;
        }
        if (haveGroup)
            c.textGroup = group.m_strTextGruppe;
        CHLXLinkData link;
        link.Init();
        link.m_strKatBstNr = catalogueKey;
        link.m_strOptionNr = c.optionNr;
        if (db->ReadHLXLinkData(link)) {
            link.TrimData();
            c.textKey = link.m_strTextKey;
            c.description = link.m_strBezeichnung;
        }
    }
    db->CloseStmt();
    // A read that failed leaves no contract, nor a contract half read.
    if (db->Failures() != failures)
        return {{}, true};
    return {std::move(contracts), false};
}

CatalogueAnswer<QList<CHLXVertragInfo>> ReadHLXContracts(CYaqDb *db, const CPrgSettings &settings,
                                                         HLXKeep rule)
{
    QList<CHLXVertragInfo> kept;
    // A day that cannot be read would leave every contract not yet begun:
    // the clock's day stands in for it.
    QString today = HLXDateKey(settings.Heute);
    if (today.isEmpty())
        today = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    // The adviser may not have given the mileage yet: it then counts as 0.
    const double mileage = HLXMileage(settings.Kilometer);
    const CatalogueAnswer<std::vector<CHLXContractRows>> rows = ReadHLXContractRows(
        db, settings.KatalogKey, settings.FgstnrFull, settings.EReihe.trimmed());
    if (rows.failed)
        return {{}, true};
    for (const CHLXContractRows &row : rows.value) {
        const CHLXJudgedContract judged = JudgeHLXContract(row, today, mileage);
        if (KeepsHLXContract(rule, judged))
            InsertHLXContractSorted(kept, judged.info);
    }
    return {kept, false};
}

HLXContractCheck CheckHLXContract(CPrgSettings &settings, CYaqDb *db, CYaqDb *optionDb,
                                  const QString &vin)
{
    CPrgSettings &s = settings;
    s.VertragText1.clear();
    s.VertragText2.clear();
    if (s.nKatalogFlag || vin.size() != 17)
        return HLXContractCheck::None;
    if (!db || !optionDb)
        return HLXContractCheck::NoConnection;
    const int failures = FailuresOf({db, optionDb});
    // A read that failed leaves no contract text of a contract half read.
    const auto failed = [&s] {
        s.VertragText1.clear();
        s.VertragText2.clear();
        return HLXContractCheck::ReadFailed;
    };
    CHLXFgstnrData rec;
    rec.Init();
    rec.m_strKatBstNr = s.KatalogKey;
    rec.m_strFgstNr = vin;
    for (int ok = db->ReadHLXFgstnrData(rec); ok; ok = db->ReadNext()) {
        rec.TrimData();
        s.VertragText1 = rec.m_strOptionNr;
        s.VertragText2 = rec.m_strAbrBeginn;
        CHLXNrData option;
        option.Init();
        option.m_strKatBstNr = s.KatalogKey;
        option.m_strOptionNr = rec.m_strOptionNr;
        if (optionDb->ReadHLXNrData(option)) {
            option.TrimData();
            if (option.m_strHerkunft == kHLXOriginDealer)
                return HLXContractCheck::Found;
        } else if (FailuresOf({db, optionDb}) != failures) {
            db->CloseStmt();
            return failed();
        }
    }
    return FailuresOf({db, optionDb}) != failures ? failed() : HLXContractCheck::None;
}

CatalogueFound HLXContractFlag(CPrgSettings &settings, CYaqDb *db, CYaqDb *optionDb)
{
    if (settings.bVertragUngeprueft) {
        const HLXContractCheck check =
            CheckHLXContract(settings, db, optionDb, settings.FgstnrFull);
        if (check == HLXContractCheck::ReadFailed || check == HLXContractCheck::NoConnection)
            return CatalogueFound::Failed;
        settings.bVertragUngeprueft = 0;
        settings.nVertrag = check == HLXContractCheck::Found ? 1 : 0;
        // The list read while the flag said nothing is read again.
        settings.HLXListKey1.clear();
        settings.HLXListKey2.clear();
    }
    return settings.nVertrag ? CatalogueFound::Yes : CatalogueFound::No;
}

CatalogueAnswer<bool> ReadHLXContractStatus(CPrgSettings &settings, CYaqDb *db, CYaqDb *optionDb)
{
    if (HLXContractFlag(settings, db, optionDb) == CatalogueFound::Failed) {
        settings.HLXVertragList.clear();
        settings.HLXListKey1.clear();
        settings.HLXListKey2.clear();
        return {false, true};
    }
    if (settings.Kilometer == settings.HLXListKey1 && settings.FgstnrFull == settings.HLXListKey2)
        return {false, false};
    settings.HLXListKey1 = settings.Kilometer;
    settings.HLXListKey2 = settings.FgstnrFull;
    settings.HLXVertragList.clear();
    if (settings.Fgstnr.size() != 7 || !settings.nVertrag)
        return {true, false};
    const CatalogueAnswer<QList<CHLXVertragInfo>> read =
        ReadHLXContracts(db, settings, HLXKeep::InForce);
    settings.HLXVertragList = read.value;
    if (read.failed) {
        // Read again next time, once the catalogue answers.
        settings.HLXListKey1.clear();
        settings.HLXListKey2.clear();
    }
    return {true, read.failed};
}

int HLXNoticeId(const CPrgSettings &settings, int contractCount)
{
    if (contractCount > 0)
        return 0;
    const bool lumo = settings.Marke == QLatin1String("LU");
    const int noContract = lumo ? 4082 : 4080;
    if (settings.FgstnrFull.size() == 17 && settings.nVertrag == 1)
        return noContract;
    if (settings.FgstnrFull.isEmpty())
        return lumo ? 4081 : 4079;
    return settings.nVertrag == 0 ? noContract : 0;
}

QString HLXProgrammeTitle(const QString &brand)
{
    return brand == QLatin1String("LU") ? QStringLiteral("LUMO Helix Care")
                                        : QStringLiteral("VOQ Helix Care");
}

QString HLXConditionFileName(const CHLXVertragInfo &contract, const QString &language)
{
    const QString key = WithoutTrailingBlanks(contract.strTextKey);
    if (!IsSafeNamePart(key) || !IsSafeNamePart(contract.strTextGruppe) ||
        !IsSafeNamePart(language))
        return QString();
    return key + QLatin1Char('_') + contract.strTextGruppe + QLatin1Char('_') + language +
           QStringLiteral(".dat");
}

QString ReadHLXConditionText(const QString &dataDir, const CHLXVertragInfo &contract,
                             const QString &language)
{
    const QString folder = JoinPath(dataDir, QStringLiteral("HLX"));
    for (const QString &lang : {language, QStringLiteral("01")}) {
        const QString name = HLXConditionFileName(contract, lang);
        if (name.isEmpty())
            return QString();
        CCDFile file(1);
        if (file.Open(JoinPath(folder, name))) {
            QString text;
            return file.ReadFile(text) ? text : QString();
        }
    }
    return QString();
}
