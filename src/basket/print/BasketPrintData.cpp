#include "basket/print/BasketPrintData.h"

#include "platform/OrmelText.h"
#include "platform/StringUtil.h"
#include "settings/PrgSettings.h"

QString GetPrintText(const CPrgSettings &settings, int index)
{
    return index >= 0 && index < settings.PrintTexts.size() ? settings.PrintTexts.at(index)
                                                            : QString();
}

void SetPrintText(CPrgSettings &settings, int index, const QString &text)
{
    if (index < 0 || index >= BPT_COUNT)
        return;
    if (settings.PrintTexts.size() < BPT_COUNT)
        settings.PrintTexts.resize(BPT_COUNT);
    settings.PrintTexts[index] = text;
}

QString OfferedTel(const CPrgSettings &s)
{
    return s.Tel.isEmpty() ? s.Tel1 : s.Tel;
}

QString OfferedFax(const CPrgSettings &s)
{
    return s.Fax.isEmpty() ? s.TraderFax : s.Fax;
}

QString PrintBrandHeading(const QString &brandCode)
{
    return OrmelText(brandCode == QLatin1String("LU") ? 6042 : 6041);
}

void SelectPrintForm(CPrgSettings &s, int form)
{
    s.nBasketPrintForm = form;
    SetPrintText(s, BPT_BRAND, form == BPF_STANDARD ? PrintBrandHeading(s.Marke) : QString());
}

void TakePrintDefaults(CPrgSettings &s)
{
    s.ReadTraderIni();
    SelectPrintForm(s, BPF_STANDARD);
}

void FinishPrintFields(CPrgSettings &s, const QString &tel, const QString &fax, const QString &user)
{
    for (int index : {int(BPT_OFFER_NUMBER), int(BPT_VALID_UNTIL), BPT_CUSTOMER1 + 0,
                      BPT_CUSTOMER1 + 1, BPT_CUSTOMER1 + 2, BPT_CUSTOMER1 + 3, BPT_CUSTOMER1 + 4,
                      BPT_INFO1 + 0, BPT_INFO1 + 1, BPT_INFO1 + 2})
        SetPrintText(s, index, WithoutTrailingBlanks(GetPrintText(s, index)));
    s.AGB = WithoutTrailingBlanks(s.AGB);
    s.Tel = tel;
    s.Fax = fax;
    s.User = WithoutTrailingBlanks(user);
}

CBasketPrintData CBasketPrintData::FromSettings(const CPrgSettings &s)
{
    CBasketPrintData d;
    d.form = s.nBasketPrintForm == 0 ? BPF_STANDARD : BPF_INFO_SHEET;
    d.language = GetPrgSprache();
    d.firma = s.Firma;
    d.strasse = s.Strasse;
    d.city = s.City;
    d.city2 = s.City2;
    d.tel1 = s.Tel1;
    d.traderFax = s.TraderFax;
    d.firmaT = s.FirmaT;
    d.strasseT = s.StrasseT;
    d.cityT = s.CityT;
    d.city2T = s.City2T;
    d.angebotenDurch = s.AngebotenDurch;
    d.agb = s.AGB;
    d.agb2 = s.AGB2;
    d.netto = s.Netto;
    d.mwst = s.MwSt;
    d.brutto = s.Brutto;
    d.nummer = s.Nummer;
    d.titel = s.TitelAngebotDruck;
    d.tel = s.Tel;
    d.fax = s.Fax;
    d.user = s.User;
    d.validUntil = GetPrintText(s, BPT_VALID_UNTIL);
    for (int i = 0; i < 5; ++i)
        d.customer[i] = GetPrintText(s, BPT_CUSTOMER1 + i);
    d.offerNumber = GetPrintText(s, BPT_OFFER_NUMBER);
    for (int i = 0; i < 3; ++i)
        d.info[i] = GetPrintText(s, BPT_INFO1 + i);
    d.brand = GetPrintText(s, BPT_BRAND);
    d.remark = GetPrintText(s, BPT_REMARK);
    d.vin = s.FgstnrFull.isEmpty() ? s.Fgstnr : s.FgstnrFull;
    d.typeKey = s.TypSchl;
    d.modelSeries = s.EReihe.trimmed();
    d.leadType = s.LeadTyp;
    d.modelDesignation = s.ModellBez;
    d.mileage = s.Kilometer;
    return d;
}
