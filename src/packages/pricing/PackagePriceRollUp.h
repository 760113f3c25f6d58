#pragma once
// The roll-up that follows every pricing of a package, from the DMS or from
// the dealer's price files: for each price kind asked for, the currencies of
// the lines must agree; then the line prices are computed and summed onto
// the head. A kind whose lines carry two currencies is not summed (a total
// of euros and francs means nothing); the adviser is told which kind it was,
// except where the asker leaves the customer price unnamed (the dealer's
// files, the optional sub-package dialog): there 5068 stands by itself.

#include <QString>

class CPaket;
class CPrgSettings;
class IPaketNotice;

class CPackagePriceRollUp
{
public:
    // The price kinds, as bits.
    enum Kind
    {
        Customer = 1, // set 1: the customer price shown and sent
        Standard = 2, // set 2: the standard retail price
        Campaign = 4, // set 3: the campaign price of a campaign package
    };

    // The name of a kind at the end of message 5068.
    static QString KindName(Kind kind);
    // Message 5068 followed directly by the kind's name; unnamed: 5068 alone.
    static QString MixedCurrencyText(Kind kind, bool named = true);

    // When the roll-up runs: prices just came in (from the DMS or the
    // dealer's files), or the package was loaded or its choice changed.
    // Only the first tells that the DMS left the campaign package price out.
    enum class Occasion
    {
        PricesArrived,
        ChoiceChanged,
    };

    // Rolls the kinds up, in the order customer, standard, campaign. Returns
    // the kinds that were not rolled up because their currencies differ;
    // each is told to the notice (none: nobody is told), those among
    // unnamedKinds without their name.
    static int RollUp(CPaket &paket, const CPrgSettings *settings, int kinds, IPaketNotice *notice,
                      Occasion occasion, int unnamedKinds = 0);
};
