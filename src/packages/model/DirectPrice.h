#pragma once
// The arithmetic of the direct price adjustment of a package: a reduction
// in percent of the package's standard price and the new price, each derived
// from the other as the adviser types, and the new price stored on the head.

#include <QString>

class CPosition;
class CPrgSettings;

class CDirectPrice
{
public:
    // head: the package head (borrowed); its standard gross price is the
    // base of the reduction.
    CDirectPrice(CPosition *head, const CPrgSettings *settings);

    double StandardPrice() const { return m_standardPrice; }
    // The standard price as shown ("%.2f").
    QString StandardPriceText() const;

    // A reduction was typed (digits and "." only): returns the new price
    // text, empty when there is no standard price to derive it from.
    QString PercentEdited(const QString &percentText);
    // A new price was typed: returns the reduction of that price rounded to
    // the cent (as Apply stores it), empty when there is no standard price.
    QString PriceEdited(const QString &priceText);

    enum class Result
    {
        Applied,
        ReductionTooHigh
    };
    // Stores the typed price on the head unless the reduction, rounded to the
    // two decimals the dialog shows, exceeds the dealer's maximum
    // ("MaxPreisNachlass"). Gross and net are both stored to the cent, the
    // net derived from the stored gross.
    Result Apply(const QString &priceText);

    // The reduction Apply checks against the maximum (unrounded).
    double ReductionFor(double price) const;
    // The dealer's maximum reduction in percent.
    double MaxReduction() const;

    double Percent() const { return m_percent; }
    double NewPrice() const { return m_newPrice; }
    bool PercentTypedLast() const { return m_percentTypedLast; }

private:
    CPosition *m_head;
    const CPrgSettings *m_settings;
    double m_standardPrice;
    double m_percent = 0.0;
    double m_newPrice = 0.0;
    bool m_percentTypedLast = false;
};
