#include "app/VehicleIdent.h"

#include "app/ModelMapping.h"
#include "app/Utilities.h"
#include "app/VinCheck.h"
#include "platform/db/YaqDb.h"

const QString CVehicleIdent::kBlockedBrand = QStringLiteral("TK");

CVehicleIdent::CVehicleIdent(CYaqDb *db, const QStringList &dealerBrands,
                             const CModelMapping *mapping)
    : m_pDb(db), m_dealerBrands(dealerBrands), m_pMapping(mapping)
{
}

bool CVehicleIdent::DealerServes(const QString &brand) const
{
    if (m_dealerBrands.isEmpty())
        return true;
    const QString name = DealerBrandName(brand);
    return !name.isEmpty() && m_dealerBrands.contains(name, Qt::CaseSensitive);
}

CVehicleIdent::VinResult CVehicleIdent::LookupVin(const QString &vin, bool localDataSet,
                                                  CPendingIdent &pending)
{
    pending.Clear();
    const QString shortVin = CVinCheck::ShortVin(vin);
    if (!CVinCheck::IsPlausibleShortVin(shortVin))
        return VinMalformed;
    if (!m_pDb)
        return VinNoConnection;
    const bool special = CVinCheck::IsSpecialForm(shortVin);
    const QString typePart = CVinCheck::TypePart(vin);
    const int failures = m_pDb->Failures();
    VinResult result = localDataSet ? LookupLocal(shortVin, typePart, special, pending)
                                    : LookupServer(shortVin, typePart, special, pending);
    if (ReadFailedSince(failures))
        result = VinReadFailed;
    if (result == VinFound)
        pending.strFgstnrFull = vin;
    else
        pending.Clear();
    return result;
}

CVehicleIdent::VinResult CVehicleIdent::LookupShortVin(const QString &shortVin, bool localDataSet,
                                                       CPendingIdent &pending)
{
    pending.Clear();
    if (shortVin.size() != CVinCheck::kShortLength || !CVinCheck::IsPlausibleShortVin(shortVin))
        return VinMalformed;
    if (!m_pDb)
        return VinNoConnection;
    const bool special = CVinCheck::IsSpecialForm(shortVin);
    // The vehicles that carry the short VIN; two are enough to name none.
    QString typePart;
    ++m_nReads;
    const int failures = m_pDb->Failures();
    const CatalogueAnswer<int> count = m_pDb->CountShortVin(shortVin, &typePart);
    if (count.failed)
        return VinReadFailed;
    if (count.value != 1)
        return VinNotFound;
    VinResult result = localDataSet ? LookupLocal(shortVin, typePart, special, pending)
                                    : LookupServer(shortVin, typePart, special, pending);
    if (ReadFailedSince(failures))
        result = VinReadFailed;
    if (result == VinFound)
        pending.strVin7 = shortVin;
    else
        pending.Clear();
    return result;
}

bool CVehicleIdent::ReadFailedSince(int failures) const
{
    return m_pDb->Failures() != failures;
}

CVehicleIdent::VinResult CVehicleIdent::LookupServer(const QString &shortVin,
                                                     const QString &typePart, bool special,
                                                     CPendingIdent &pending)
{
    CFgstnrTypSchlData rec;
    rec.Init();
    rec.m_strFgstNr = shortVin;
    rec.m_strFgstTyp = typePart;
    ++m_nReads;
    int found =
        special ? m_pDb->ReadFgstnrTypSchlDataSpecial(rec) : m_pDb->ReadFgstnrTypSchlData(rec);
    if (special) {
        // Only ranges of the special form hold a special short VIN.
        while (found && !CVinCheck::IsSpecialRange(rec.m_strVonFgstNr, rec.m_strBisFgstNr)) {
            ++m_nReads;
            found = m_pDb->ReadNext();
        }
    }
    if (!found)
        return VinNotFound;
    rec.TrimData();

    CAwKatalogData cat;
    cat.Init();
    cat.m_strKatBstNr = rec.m_strKatBstNr;
    cat.m_strEReihe = rec.m_strEReihe;
    ++m_nReads;
    if (!m_pDb->ReadAwKatalogDataOnEreihe(cat, QString()))
        return VinNotFound;
    cat.TrimData();
    if (cat.m_strMarke == kBlockedBrand)
        return VinNotFound;

    pending.strTypSchl = rec.m_strTypSchl;
    pending.strZusatz = rec.m_strZusatz;
    pending.strKatBstNr = rec.m_strKatBstNr;
    pending.strLTyp = rec.m_strLTyp;
    pending.strVerkBez = rec.m_strVerkBez;
    pending.strEReihe = rec.m_strEReihe;
    pending.strLand = rec.m_strLand;
    return VinFound;
}

bool CVehicleIdent::BrandOfTypeKeyAllowed(const QString &typeKey)
{
    CMarkeData brand;
    brand.Init();
    brand.m_strTypSchl = typeKey;
    ++m_nReads;
    if (!m_pDb->GetMarkeFromTypschl(brand))
        return false;
    brand.TrimData();
    return brand.m_strMarke != kBlockedBrand;
}

CVehicleIdent::VinResult CVehicleIdent::LookupLocal(const QString &shortVin,
                                                    const QString &typePart, bool special,
                                                    CPendingIdent &pending)
{
    // The candidate ranges are read first and checked afterwards: the brand
    // read uses the same connection as the range walk.
    QList<CFgstnrData> candidates;
    CFgstnrData rec;
    rec.Init();
    rec.m_strFgstNr = shortVin;
    rec.m_strFgstTyp = typePart;
    ++m_nReads;
    if (special) {
        for (int ok = m_pDb->ReadFgstnrDataSonderfall(rec); ok; ok = m_pDb->ReadNext()) {
            ++m_nReads;
            CFgstnrData row = rec;
            row.TrimData();
            if (CVinCheck::IsSpecialRange(row.m_strVonFgstNr, row.m_strBisFgstNr))
                candidates.append(row);
        }
    } else if (m_pDb->ReadFgstnrData(rec)) {
        rec.TrimData();
        candidates.append(rec);
    }

    const CFgstnrData *hit = nullptr;
    for (const CFgstnrData &row : std::as_const(candidates)) {
        if (CVinCheck::InRange(shortVin, row.m_strVonFgstNr, row.m_strBisFgstNr) &&
            BrandOfTypeKeyAllowed(row.m_strTypSchl)) {
            hit = &row;
            break;
        }
    }
    if (!hit)
        return VinNotFound;

    CTypSchlData type;
    type.Init();
    type.m_strKatBstNr = hit->m_strKatBstNr;
    type.m_strTypSchl = hit->m_strTypSchl;
    ++m_nReads;
    if (!m_pDb->ReadTypSchlData2(type))
        return VinNotFound;
    type.TrimData();

    pending.strTypSchl = hit->m_strTypSchl;
    pending.strZusatz = hit->m_strZusatz;
    pending.strKatBstNr = hit->m_strKatBstNr;
    pending.strLTyp = type.m_strLTyp;
    pending.strVerkBez = type.m_strVerkBez;
    pending.strEReihe = type.m_strEReihe;
    pending.strLand = type.m_strLand;
    return VinFound;
}

CVehicleIdent::TypeKeyResult CVehicleIdent::LookupTypeKey(const QString &typeKey,
                                                          CPendingIdent &pending)
{
    pending.Clear();
    if (!m_pDb)
        return TypeKeyNoConnection;
    const int failures = m_pDb->Failures();
    const TypeKeyResult result = FindTypeKey(typeKey, pending);
    if (!ReadFailedSince(failures))
        return result;
    pending.Clear();
    return TypeKeyReadFailed;
}

CVehicleIdent::TypeKeyResult CVehicleIdent::FindTypeKey(const QString &typeKey,
                                                        CPendingIdent &pending)
{
    CMarkeData brand;
    brand.Init();
    brand.m_strTypSchl = typeKey;
    ++m_nReads;
    const int failures = m_pDb->Failures();
    if (m_pDb->GetMarkeFromTypschl(brand)) {
        brand.TrimData();
        if (brand.m_strMarke == kBlockedBrand)
            return TypeKeyBlocked;
    } else if (ReadFailedSince(failures)) {
        return TypeKeyReadFailed;
    }
    CFgstnrTypSchlData rec;
    rec.Init();
    rec.m_strTypSchl = typeKey;
    ++m_nReads;
    if (!m_pDb->ReadTypSchlData(rec))
        return TypeKeyNotFound;
    rec.TrimData();
    pending.strTypSchl = typeKey;
    pending.strKatBstNr = rec.m_strKatBstNr;
    pending.strLTyp = rec.m_strLTyp;
    pending.strVerkBez = rec.m_strVerkBez;
    pending.strEReihe = rec.m_strEReihe;
    pending.strLand = rec.m_strLand;
    return TypeKeyFound;
}

CVehicleIdent::CatalogueResult CVehicleIdent::CatalogueStep(CPendingIdent &pending)
{
    if (!m_pDb)
        return CatalogueNone;
    const int failures = m_pDb->Failures();
    const CatalogueResult result = FindCatalogue(pending);
    return ReadFailedSince(failures) ? CatalogueReadFailed : result;
}

CVehicleIdent::CatalogueResult CVehicleIdent::FindCatalogue(CPendingIdent &pending)
{
    CAwKatSpalteData column;
    column.Init();
    column.m_strKatBstNr = pending.strKatBstNr;
    column.m_strLTyp = pending.strLTyp;
    ++m_nReads;
    const int failures = m_pDb->Failures();
    const int found = m_pDb->RdAwKatSpDatOnKatBstNr(column);
    if (ReadFailedSince(failures))
        return CatalogueReadFailed;
    if (found) {
        column.TrimData();
        pending.strTypNr = column.m_strTypNr;
        pending.bAltKatalog = 0;
        QString mapped;
        pending.strModellBez = m_pMapping && m_pMapping->GetModelName(mapped, pending.strLTyp)
                                   ? mapped
                                   : column.m_strSpBez;

        CAwKatalogData cat;
        cat.Init();
        cat.m_strKatBstNr = pending.strKatBstNr;
        cat.m_strEReihe = pending.strEReihe;
        ++m_nReads;
        if (m_pDb->ReadAwKatalogDataOnEreihe(cat, pending.strLand))
            cat.TrimData();
        else
            cat.Init();
        pending.strMarke = cat.m_strMarke;
        if (pending.strMarke == kBlockedBrand || !DealerServes(pending.strMarke))
            return CatalogueRefused;
        return CatalogueColumn;
    }

    // No column: an alternative lead type of an older catalogue.
    CAltLtypData alt;
    alt.Init();
    alt.m_strLTyp = pending.strLTyp;
    ++m_nReads;
    if (!m_pDb->ReadAltLtypData(alt)) {
        pending.bCleared = 1;
        return CatalogueNone;
    }
    alt.TrimData();
    CAltKatData altKat;
    altKat.Init();
    altKat.m_strTypNr = alt.m_strTypNr;
    ++m_nReads;
    if (!m_pDb->ReadAltKatData(altKat)) {
        // A lead type without its catalogue cannot be shown either.
        pending.bCleared = 1;
        return CatalogueNone;
    }
    pending.strTypNr = alt.m_strTypNr;
    pending.bAltKatalog = 1;
    pending.strKatBstNr = QStringLiteral("1");
    pending.strModellBez = pending.strVerkBez;
    pending.strMarke = QStringLiteral("VQ");
    if (!DealerServes(pending.strMarke))
        return CatalogueRefused;
    return CatalogueAlternative;
}

int CVehicleIdent::CheckVin(CYaqDb *db, const QString &vin)
{
    if (vin.size() != CVinCheck::kFullLength)
        return 0;
    CVehicleIdent ident(db, QStringList(), nullptr);
    CPendingIdent pending;
    switch (ident.LookupVin(vin, false, pending)) {
    case VinFound:
        return 1;
    case VinReadFailed:
        return kVinCheckUnreachable;
    default:
        return 0;
    }
}

int CheckFgstNr(CPrgSettings *, CYaqDb *db, const QString &vin)
{
    return CVehicleIdent::CheckVin(db, vin);
}
