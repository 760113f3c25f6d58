#include "packages/edit/SpotRepairData.h"

#include "packages/model/Paket.h"
#include "packages/model/SpotRepairLine.h"
#include "platform/AppPaths.h"
#include "platform/ccd/CSpotrCombRec.h"
#include "platform/ccd/CSpotrDmgClassTxtRec.h"
#include "platform/ccd/CSpotrRec.h"
#include "settings/PrgSettings.h"

#include <memory>

namespace {

QString Mismatch(const QString &field, const QString &file, const QString &item)
{
    return QStringLiteral("Attention! %1 from %2 and %3 are not identical!").arg(field, file, item);
}

// The three fields every record carries against the line's.
void Compare(const QString &nsc, const QString &dlr, const QString &brand, const CPosition &line,
             const QString &file, const QString &item, QStringList &out)
{
    if (nsc != line.Spot[SpotNscId])
        out << Mismatch(QStringLiteral("NSCID"), file, item);
    if (dlr != line.Spot[SpotDlrId])
        out << Mismatch(QStringLiteral("DLRID"), file, item);
    if (brand != line.Spot[SpotBrandLetter])
        out << Mismatch(QStringLiteral("Brand"), file, item);
}

std::unique_ptr<CPosition> WorkLine(const CSpotrDmgClassTxtRec &damage, const CPosition &matrix)
{
    auto line = std::make_unique<CPosition>();
    line->Type = POS_WORK;
    line->HG = kSpotRepairMarker;
    line->Selected = 0;
    line->Doubled = 0;
    auto &s = line->Spot;
    s = matrix.Spot;
    s[SpotNscId] = damage.NSCID;
    s[SpotDlrId] = damage.DLRID;
    s[SpotBrandLetter] = damage.Brand;
    s[SpotDamageClass] = damage.DMG_CLASS;
    s[SpotDamageClassAttr1] = damage.DMG_CLASS_ATTR1;
    s[SpotDamageClassName] = damage.DMG_CLASS_NAME;
    s[SpotDamageClassAttr2] = damage.DMG_CLASS_ATTR2;
    s[SpotWorkUnitNumber] = matrix.Spot[SpotWorkUnitNumber];
    s[SpotColour].clear();
    s[SpotFactor].clear();
    s[SpotMaPercentField].clear();
    s[SpotQuantity].clear();
    line->AwText1 = damage.DMG_CLASS_NAME;
    line->Preise1 = CPriceSet();
    line->Preise1.UnitGross = matrix.Preise1.UnitGross;
    line->Preise1.UnitNet = matrix.Preise1.UnitNet;
    line->Preise1.Vat = matrix.Preise1.Vat;
    line->Preise1.Currency = matrix.Preise1.Currency;
    line->Preise2 = CPriceSet();
    line->Preise2.UnitGross = matrix.Preise1.UnitGross;
    line->Preise2.UnitNet = matrix.Preise1.UnitNet;
    line->Preise2.Vat = matrix.Preise1.Vat;
    line->Preise2.Currency = matrix.Preise1.Currency;
    return line;
}

// The work of one colour from "SPOTR.dat"; false when the dealer offers none.
bool ReadWork(CSpotrRec &spotr, const QString &letter, CPosition &line, const QString &colour,
              const QString &item, QStringList &mismatches)
{
    const QString key = letter + line.Spot[SpotPaintClass] + line.Spot[SpotDamageClass] + colour;
    if (!spotr.MoveSpotr(CCD_MOVE_FIRST, key))
        return false;
    line.Spot[SpotColour] = spotr.SPOTR_COLOUR;
    line.Spot[SpotQuantity] = spotr.SPOTR_QUANTITY;
    line.Quantity = WithoutLeadingZeros(spotr.SPOTR_QUANTITY);
    line.Spot[SpotMaPercentField] = WithoutLeadingZeros(spotr.MA_PERCENT);
    Compare(spotr.NSCID, spotr.DLRID, spotr.Brand, line, QStringLiteral("SPOTR.DAT"), item,
            mismatches);
    return true;
}

} // namespace

bool CSpotRepairData::TakeRows(CPaket &paket, const CPosition *spotRow, const CPosition *head,
                               const CPosition *entry, const CPosition *paintClass,
                               const CPosition *matrixRow)
{
    if (!spotRow || !head || !entry || !paintClass || !matrixRow ||
        spotRow->HG != kSpotRepairMarker)
        return false;
    paket.RemoveAll();
    for (const CPosition *row : {spotRow, head, entry, paintClass, matrixRow})
        paket.AddPosition(std::make_unique<CPosition>(*row));
    return true;
}

const CPosition *CSpotRepairData::MatrixRow(const CPaket &paket)
{
    for (const auto &line : paket)
        if (line->Type == POS_HEAD && IsSpotRepairPathRow(*line))
            return line.get();
    return nullptr;
}

std::vector<CPosition *> CSpotRepairData::WorkLines(const CPaket &paket)
{
    std::vector<CPosition *> works;
    for (const auto &line : paket)
        if (line->Type == POS_WORK)
            works.push_back(line.get());
    return works;
}

CSpotRepairMessages CSpotRepairData::LoadWorks(CPaket &paket, const CPosition &matrixRow) const
{
    CSpotRepairMessages messages;
    CSpotrDmgClassTxtRec damage;
    CSpotrRec spotr;
    if (!damage.Open(m_strFolder)) {
        messages.missingFiles << JoinPath(m_strFolder, CSpotrDmgClassTxtRec::FileName());
        return messages;
    }
    if (!spotr.Open(m_strFolder)) {
        messages.missingFiles << JoinPath(m_strFolder, CSpotrRec::FileName());
        return messages;
    }
    // The matrix row is a line of the package: the lines made here are
    // copied from it before they are added.
    const CPosition matrix = matrixRow;
    const QString damageFile = QStringLiteral("SPOTR_DMG_CLASS_TXT.DAT");
    const QString matrixItem = QStringLiteral("m_pCareCosmeticPckgItem");
    for (int ok = damage.MoveDmgClassName(CCD_MOVE_FIRST, m_strLetter); ok;
         ok = damage.MoveDmgClassName(CCD_MOVE_NEXT, QString())) {
        std::unique_ptr<CPosition> green = WorkLine(damage, matrix);
        std::unique_ptr<CPosition> yellow = WorkLine(damage, matrix);
        Compare(damage.NSCID, damage.DLRID, damage.Brand, matrix, damageFile, matrixItem,
                messages.mismatches);
        if (!ReadWork(spotr, m_strLetter, *green, kSpotGreen,
                      QStringLiteral("pNewAuswahlItemGruen"), messages.mismatches)) {
            yellow->HasPartnerColour = 0;
            green.reset();
        }
        if (!ReadWork(spotr, m_strLetter, *yellow, kSpotYellow,
                      QStringLiteral("pNewAuswahlItemGelb"), messages.mismatches)) {
            if (green)
                green->HasPartnerColour = 0;
            yellow.reset();
        }
        for (std::unique_ptr<CPosition> *work : {&green, &yellow}) {
            if (!*work)
                continue;
            // The package would sort a work of the head's number in right
            // after the head; the works follow the way in file order, so
            // the number is given once the line stands at the end.
            CPosition *added = paket.AddPosition(std::move(*work));
            added->Number = added->Spot[SpotWorkUnitNumber];
        }
    }
    damage.Close();
    spotr.Close();
    return messages;
}

QString CSpotRepairData::ReadCombinationFactor(const std::vector<CPosition *> &works,
                                               CSpotRepairMessages &messages) const
{
    CPosition *first = nullptr;
    CPosition *second = nullptr;
    for (CPosition *line : works) {
        if (line->Type != POS_WORK || !line->Selected)
            continue;
        if (line->Doubled) {
            if (!first)
                first = second = line;
            else
                second = line;
            break;
        }
        if (!first) {
            first = line;
        } else {
            second = line;
            break;
        }
    }
    if (!first || !second || first->Spot[SpotPaintClass] != second->Spot[SpotPaintClass])
        return QString();
    CSpotrCombRec comb;
    if (!comb.Open(m_strFolder)) {
        messages.missingFiles << JoinPath(m_strFolder, CSpotrCombRec::FileName());
        return QString();
    }
    const QString colour =
        first->Spot[SpotColour] == kSpotYellow || second->Spot[SpotColour] == kSpotYellow
            ? kSpotYellow
            : first->Spot[SpotColour];
    const QString key = m_strLetter + first->Spot[SpotPaintClass] + first->Spot[SpotDamageClass] +
                        second->Spot[SpotDamageClass] + colour;
    QString factor;
    if (comb.MoveSpotrComb(CCD_MOVE_FIRST, key)) {
        const QString stored = WithoutLeadingZeros(comb.COMB_FACTOR.trimmed());
        first->Spot[SpotFactor] = stored;
        second->Spot[SpotFactor] = stored;
        factor = stored.startsWith(QLatin1Char('.')) ? QLatin1Char('0') + stored : stored;
        const QString file = QStringLiteral("SPOTR_COMB.DAT");
        Compare(comb.NSCID, comb.DLRID, comb.Brand, *first, file,
                QStringLiteral("pSpotRPaketItem1"), messages.mismatches);
        Compare(comb.NSCID, comb.DLRID, comb.Brand, *second, file,
                QStringLiteral("pSpotRPaketItem2"), messages.mismatches);
    }
    comb.Close();
    return factor;
}

int CSpotRepairData::CountChosen(const std::vector<CPosition *> &works)
{
    int count = 0;
    for (const CPosition *line : works)
        count += (line->Selected ? 1 : 0) + (line->Doubled ? 1 : 0);
    return count;
}

CSpotRepairData::ToggleResult CSpotRepairData::ToggleWork(CPaket &paket, CPosition *line,
                                                          const CPrgSettings *settings) const
{
    ToggleResult out;
    CPosition *head = paket.GetKopf();
    if (!head || head->Preise1.FlatPrice || !line || line->Type != POS_WORK)
        return out;
    const std::vector<CPosition *> works = WorkLines(paket);
    const int selected = line->Selected;
    const int doubled = line->Doubled;
    if (!line->Selected) {
        line->Selected = 1;
    } else if (!line->Doubled) {
        line->Doubled = 1;
    } else {
        line->Selected = 0;
        line->Doubled = 0;
    }
    if (CountChosen(works) > 2) {
        // A third work is refused: the line just changed loses its choice.
        line->Selected = 0;
        line->Doubled = 0;
        out.overLimit = true;
    }
    if (line->Selected == selected && line->Doubled == doubled) {
        out.result = Toggle::Unchanged;
        return out;
    }
    out.result = Toggle::Changed;
    // A factor belongs to the pair it was read for: no line keeps one of a
    // pair that no longer is chosen.
    for (CPosition *work : works)
        work->Spot[SpotFactor].clear();
    out.factor = ReadCombinationFactor(works, out.messages);
    for (CPosition *work : works)
        work->CalcPrice1();
    paket.CalcPrices1(settings);
    if (CPaket::AreExtraPriceSetsActive(settings)) {
        for (CPosition *work : works)
            work->CalcPrice2();
        paket.CalcPrices2(settings);
    }
    head->PriceCalcFlag = 0;
    return out;
}
