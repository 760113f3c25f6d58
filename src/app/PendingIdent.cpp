#include "app/PendingIdent.h"

#include "app/VinCheck.h"
#include "settings/PrgSettings.h"

const QString CPendingIdent::kNoModel = QStringLiteral(". . . . . . .");

QString CPendingIdent::NoVehicleModel(const CPrgSettings &s)
{
    return s.bKatalogansicht ? kNoModel : QString();
}

QString CPendingIdent::ShortVin() const
{
    return strFgstnrFull.isEmpty() ? strVin7 : CVinCheck::ShortVin(strFgstnrFull);
}

void CPendingIdent::CommitTo(CPrgSettings &s) const
{
    if (bCleared) {
        ClearVehicle(s);
        return;
    }
    if (s.Bestellnr != strTypNr) {
        s.HGText.clear();
        s.KatZeile.clear();
        s.bAltKatalog = bAltKatalog;
    }
    s.FgstnrFull = strFgstnrFull;
    s.Fgstnr = ShortVin();
    s.ZusatzCode = strZusatz;
    s.TypSchl = strTypSchl;
    s.KatalogKey = strKatBstNr;
    s.nKatalogFlag = strKatBstNr == QLatin1String("1") ? 0 : 1;
    s.LeadTyp = strLTyp;
    s.Bestellnr = strTypNr;
    s.ModellBez = strModellBez;
    s.EReihe = strEReihe;
    s.Marke = strMarke;
    s.Land = strLand;
    s.VertragText1.clear();
}

void CPendingIdent::ClearVehicle(CPrgSettings &s)
{
    ForgetVin(s);
    s.LeadTyp.clear();
    s.ModellBez = NoVehicleModel(s);
}

void CPendingIdent::ForgetVin(CPrgSettings &s)
{
    s.Fgstnr.clear();
    s.FgstnrFull.clear();
    s.TypSchl.clear();
    s.ZusatzCode.clear();
    s.nVertrag = 0;
    s.bVertragUngeprueft = 0;
    s.VertragText1.clear();
    s.VertragText2.clear();
    s.bCustomerSpecificPrice = 0;
}

bool CPendingIdent::VinFieldShowsVehicle(const CPrgSettings &s, const QString &vinText)
{
    if (vinText.isEmpty())
        return s.Fgstnr.isEmpty() && s.FgstnrFull.isEmpty() && s.TypSchl.isEmpty();
    return vinText == (s.FgstnrFull.isEmpty() ? s.Fgstnr : s.FgstnrFull);
}

CIdentSnapshot CIdentSnapshot::Take(const CPrgSettings &s)
{
    CIdentSnapshot v;
    v.strFgstnr = s.Fgstnr;
    v.strFgstnrFull = s.FgstnrFull;
    v.strTypSchl = s.TypSchl;
    v.strZusatz = s.ZusatzCode;
    v.strLTyp = s.LeadTyp;
    v.strTypNr = s.Bestellnr;
    v.strModellBez = s.ModellBez;
    v.strEReihe = s.EReihe;
    v.strErstzul = s.Erstzulassung;
    v.strKatalogKey = s.KatalogKey;
    v.strMarke = s.Marke;
    v.strLand = s.Land;
    v.strDlgTitel = s.DlgTitel;
    v.strHGText = s.HGText;
    v.strKatZeile = s.KatZeile;
    v.strVertragText1 = s.VertragText1;
    v.strVertragText2 = s.VertragText2;
    v.nKatalogFlag = s.nKatalogFlag;
    v.bAltKatalog = s.bAltKatalog;
    v.nVertrag = s.nVertrag;
    v.bVertragUngeprueft = s.bVertragUngeprueft;
    v.bCustomerSpecificPrice = s.bCustomerSpecificPrice;
    return v;
}

void CIdentSnapshot::Restore(CPrgSettings &s) const
{
    s.Fgstnr = strFgstnr;
    s.FgstnrFull = strFgstnrFull;
    s.TypSchl = strTypSchl;
    s.ZusatzCode = strZusatz;
    s.LeadTyp = strLTyp;
    s.Bestellnr = strTypNr;
    s.ModellBez = strModellBez;
    s.EReihe = strEReihe;
    s.Erstzulassung = strErstzul;
    s.KatalogKey = strKatalogKey;
    s.Marke = strMarke;
    s.Land = strLand;
    s.DlgTitel = strDlgTitel;
    s.HGText = strHGText;
    s.KatZeile = strKatZeile;
    s.VertragText1 = strVertragText1;
    s.VertragText2 = strVertragText2;
    s.nKatalogFlag = nKatalogFlag;
    s.bAltKatalog = bAltKatalog;
    s.nVertrag = nVertrag;
    s.bVertragUngeprueft = bVertragUngeprueft;
    s.bCustomerSpecificPrice = bCustomerSpecificPrice;
}

CChangeFlags CIdentSnapshot::Changes(const CIdentSnapshot &before, const CIdentSnapshot &after)
{
    CChangeFlags c;
    c.bFgstnr = before.strFgstnr != after.strFgstnr ? 1 : 0;
    c.bTypSchl = before.strTypSchl != after.strTypSchl ? 1 : 0;
    c.bEReihe = before.strEReihe != after.strEReihe ? 1 : 0;
    c.bTypNr = before.strTypNr != after.strTypNr ? 1 : 0;
    c.bModellBez = before.strModellBez != after.strModellBez ? 1 : 0;
    c.bLeadTyp = before.strLTyp != after.strLTyp ? 1 : 0;
    c.bErstzul = before.strErstzul != after.strErstzul ? 1 : 0;
    c.bIdent = (c.bFgstnr || c.bTypSchl || c.bEReihe || c.bTypNr || c.bModellBez || c.bLeadTyp ||
                c.bErstzul)
                   ? 1
                   : 0;
    return c;
}
