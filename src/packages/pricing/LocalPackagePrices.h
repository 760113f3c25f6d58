#pragma once
// Prices of a package from the price files the dealer system leaves in the
// request folder (setting "ReqDateiVerz"), for dealers whose DMS is not
// asked (request mode 3): labour prices by main group, parts prices and the
// dealer's own parts, and in the training edition flat prices, discounts
// and stock as well. Then the roll-up with its currency checks.

#include <QString>
#include <QStringList>

class CPaket;
class CPrgSettings;
class IPaketNotice;

class CLocalPackagePrices
{
public:
    struct Outcome
    {
        QStringList missingFiles; // paths of the price files that did not open
        int mixedKinds = 0;       // CPackagePriceRollUp kinds not rolled up
    };

    // The notice is told of each file that does not open and of differing
    // currencies; none: nobody is told.
    CLocalPackagePrices(const CPrgSettings *settings, IPaketNotice *notice)
        : m_settings(settings), m_notice(notice)
    {
    }

    // The path of a price file in the folder, as message 4012 names it.
    static QString FilePath(const QString &folder, const QString &fileName);

    // Prices the package in the program language given (the dealer's parts
    // file "DIP_<language>.dat"). A file that does not open is named and
    // contributes no prices; the others still do. A file found incomplete
    // (being written) leaves without price what it would have priced: an
    // incomplete "DIP_" file the parts, an incomplete flat-rate or discount
    // file every line. Every line is priced
    // anew, so prices set earlier (by the DMS or by hand) are replaced. In
    // the campaign mode the campaign price is applied too.
    Outcome Price(CPaket &paket, const QString &language, bool campaignMode) const;

private:
    const CPrgSettings *m_settings;
    IPaketNotice *m_notice;
};
