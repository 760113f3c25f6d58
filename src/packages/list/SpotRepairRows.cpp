#include "packages/list/SpotRepairRows.h"

#include "packages/model/Position.h"
#include "packages/model/PriceMath.h"
#include "packages/model/SpotRepairLine.h"
#include "platform/AppPaths.h"
#include "platform/ccd/CSpotrMatrixRec.h"
#include "platform/ccd/CSpotrPntClassTxtRec.h"

#include <QSet>

namespace {

QString Mismatch(const char *field)
{
    return QStringLiteral("Attention! %1 from SPOTR_MATRIX.DAT and SPOTR_PNT_CLASS_TXT.dat are not "
                          "identical!")
        .arg(QLatin1String(field));
}

} // namespace

void CSpotRepairRows::AddEntryRow(CPackageList &list, const QString &text)
{
    CPackageRow *entry = list.FirstOfLevel(kLevelSpotRepairEntry);
    if (!entry) {
        auto row = std::make_unique<CPackageRow>();
        row->level = kLevelSpotRepairEntry;
        row->marker = kMarkerSpotRepair;
        entry = row.get();
        list.InsertAtFront(std::move(row));
    }
    entry->groupText = text;
    entry->spot[SpotRepairText] = text;
    if (!list.Current(kLevelSpotRepairEntry))
        list.SetCurrentOfLevel(kLevelSpotRepairEntry, entry);
}

CSpotRepairRead CSpotRepairRows::ShowPaintClasses(CPackageList &list,
                                                  const CPackageRow &entry) const
{
    CSpotRepairRead read;
    const QString entryText = entry.spot[SpotRepairText];
    list.RemoveRowsFrom(kLevelPaintClass);
    list.ClearCurrent(kLevelCampaignPackage, kPackageListLevels);
    CSpotrPntClassTxtRec rec;
    if (!rec.Open(m_strFolder)) {
        read.missingFile = JoinPath(m_strFolder, CSpotrPntClassTxtRec::FileName());
        return read;
    }
    QSet<QString> seen;
    for (int ok = rec.MovePntClassName(CCD_MOVE_FIRST, m_strLetter); ok;
         ok = rec.MovePntClassName(CCD_MOVE_NEXT, QString())) {
        ++read.found;
        const QString key = rec.PNT_CLASS + rec.NSCID + rec.DLRID + rec.Brand;
        if (seen.contains(key))
            continue;
        seen.insert(key);
        auto row = std::make_unique<CPackageRow>();
        row->level = kLevelPaintClass;
        row->marker = kMarkerSpotRepair;
        row->groupText = rec.PNT_CLASS_NAME;
        auto &s = row->spot;
        s[SpotRepairText] = entryText;
        s[SpotNscId] = rec.NSCID;
        s[SpotDlrId] = rec.DLRID;
        s[SpotBrandLetter] = rec.Brand;
        s[SpotPaintClass] = rec.PNT_CLASS;
        s[SpotPaintClassAttr1] = rec.PNT_CLASS_ATTR1;
        s[SpotPaintClassText] = rec.PNT_CLASS_NAME;
        s[SpotPaintClassAttr2] = rec.PNT_CLASS_ATTR2;
        list.InsertAtFront(std::move(row));
    }
    rec.Close();
    if (read.found && !list.Current(kLevelPaintClass))
        list.SetCurrentOfLevel(kLevelPaintClass, list.FirstOfLevel(kLevelPaintClass));
    return read;
}

CSpotRepairRead CSpotRepairRows::ShowMatrixRows(CPackageList &list,
                                                const CPackageRow &paintClass) const
{
    CSpotRepairRead read;
    // The class is copied first: clearing the rows below it must not touch
    // what the new rows take from it.
    const CPackageRow::SpotFields classFields = paintClass.spot;
    list.RemoveRowsFrom(kLevelMatrixRow);
    list.ClearCurrent(kLevelCampaignPackage, kLevelCampaignPackage);
    list.ClearCurrent(kLevelMatrixRow, kPackageListLevels);
    CSpotrMatrixRec rec;
    if (!rec.Open(m_strFolder)) {
        read.missingFile = JoinPath(m_strFolder, CSpotrMatrixRec::FileName());
        return read;
    }
    for (int ok = rec.MoveWorkUnitNo(CCD_MOVE_FIRST, m_strLetter); ok;
         ok = rec.MoveWorkUnitNo(CCD_MOVE_NEXT, QString())) {
        ++read.found;
        auto row = std::make_unique<CPackageRow>();
        row->level = kLevelMatrixRow;
        row->marker = kMarkerSpotRepair;
        row->number = rec.WORK_UNIT_NO;
        auto &s = row->spot;
        s = classFields;
        s[SpotNscId] = rec.NSCID;
        s[SpotDlrId] = rec.DLRID;
        s[SpotBrandLetter] = rec.Brand;
        s[SpotMatrixField] = rec.MATRIX_FIELD;
        s[SpotWorkUnitNumber] = rec.WORK_UNIT_NO;
        row->spotNet = ParseNumber(rec.NET_PRICE);
        row->spotVat = ParseNumber(rec.VAT_PERCENT);
        row->spotCurrency = rec.CURRENCY;
        if (m_readTexts && !m_readTexts(*row, rec.WORK_UNIT_NO))
            read.textsFailed = true;
        row->groupText = row->texts[0].isEmpty() ? classFields[SpotPaintClassText] : row->texts[0];
        if (rec.NSCID != classFields[SpotNscId])
            read.mismatches << Mismatch("NSCID");
        if (rec.DLRID != classFields[SpotDlrId])
            read.mismatches << Mismatch("DLRID");
        if (rec.Brand != classFields[SpotBrandLetter])
            read.mismatches << Mismatch("Brand");
        list.InsertAtFront(std::move(row));
    }
    rec.Close();
    if (read.found && !list.Current(kLevelMatrixRow))
        list.SetCurrentOfLevel(kLevelMatrixRow, list.FirstOfLevel(kLevelMatrixRow));
    return read;
}

std::unique_ptr<CPosition> CSpotRepairRows::SpotRepairPathLine(const CPackageRow &row)
{
    auto line = std::make_unique<CPosition>();
    line->Type = row.level;
    line->HG = kSpotRepairMarker;
    line->Number = row.number;
    line->Text = row.groupText;
    TakeRowTexts(*line, row);
    for (size_t i = 0; i < row.spot.size() && i < line->Spot.size(); ++i)
        line->Spot[i] = row.spot[i];
    if (row.level == kLevelTop)
        line->Spot[SpotRepairText] = row.groupText;
    if (row.level == kLevelMatrixRow) {
        // The matrix gives the unit net price and the VAT rate; the gross
        // price follows from them.
        line->Preise1.UnitNet = row.spotNet;
        line->Preise1.Vat = row.spotVat;
        line->Preise1.UnitGross = kPriceNotSet;
        line->Preise1.Currency = row.spotCurrency;
    }
    return line;
}

std::unique_ptr<CPosition> CSpotRepairRows::SpotRepairHead(const CPackageRow &matrixRow)
{
    std::unique_ptr<CPosition> head = SpotRepairPathLine(matrixRow);
    head->Type = kSpotRepairHeadType;
    if (head->AwText1.isEmpty()) {
        head->AwText1 = matrixRow.spot[SpotRepairText].trimmed();
        head->AwText2 = matrixRow.spot[SpotPaintClassText];
    }
    return head;
}
