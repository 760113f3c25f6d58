#pragma once
// What the two basket print-outs print besides the entries: the dealer's
// letterhead, the header fields of the print dialog, the vehicle and the
// fields of the main window's head row. Gathered once per print-out so that
// the forms read plain values and never the live windows.

#include <QString>
#include <QStringList>

class CPrgSettings;

// The twelve customer and print texts of the settings (PrintTexts), by index.
enum BasketPrintText
{
    BPT_VALID_UNTIL = 0,
    BPT_CUSTOMER1 = 1, // customer lines 1 to 5: 1 .. 5
    BPT_OFFER_NUMBER = 6,
    BPT_INFO1 = 7, // further information (the information sheet's remarks) 1 to 3: 7 .. 9
    BPT_BRAND = 10,
    BPT_REMARK = 11,
    BPT_COUNT = 12,
};

QString GetPrintText(const CPrgSettings &settings, int index);
void SetPrintText(CPrgSettings &settings, int index, const QString &text);

// The print form setting.
enum BasketPrintForm
{
    BPF_STANDARD = 0,
    BPF_INFO_SHEET = 1,
};

// --- the print dialog's rules on the settings ----------------------------

// The telephone and fax the print dialog offers: the adviser's own (the
// profile's), else the dealer's (the dealer file's).
QString OfferedTel(const CPrgSettings &settings);
QString OfferedFax(const CPrgSettings &settings);
// The brand heading of the standard form: "LUMO Service" for the brand code
// "LU", else "VOQ Service".
QString PrintBrandHeading(const QString &brandCode);
// Chooses the form: the standard form carries the vehicle's brand heading,
// the information sheet none.
void SelectPrintForm(CPrgSettings &settings, int form);
// The dealer's print defaults were confirmed: the dealer file is read again
// and the standard form chosen, whatever was chosen before.
void TakePrintDefaults(CPrgSettings &settings);
// "Drucken" and "PDF erzeugen": the typed texts (offer number, validity,
// customer, further information, the terms and the user) lose their
// trailing blanks; telephone, fax and user go into the profile values.
void FinishPrintFields(CPrgSettings &settings, const QString &tel, const QString &fax,
                       const QString &user);

struct CBasketPrintData
{
    int form = BPF_STANDARD;
    QString language; // program language; "11" prints larger

    // Dealer data ("YAQTrader.ini").
    QString firma, strasse, city, city2, tel1, traderFax;
    QString firmaT, strasseT, cityT, city2T;
    QString angebotenDurch, agb, agb2, netto, mwst, brutto, nummer, titel;
    // Profile values of the adviser.
    QString tel, fax, user;

    // Header fields of the print dialog.
    QString brand, offerNumber, date, validUntil, remark;
    QStringList customer = QStringList(5, QString());
    QStringList info = QStringList(3, QString());

    // Vehicle and head row.
    QString vin, typeKey, modelSeries, leadType, modelDesignation;
    QString plate, mileage, orderNumber;

    // Everything the settings hold; date, plate, mileage and order number
    // come from the main window and the basket page.
    static CBasketPrintData FromSettings(const CPrgSettings &settings);
};
