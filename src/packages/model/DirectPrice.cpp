#include "packages/model/DirectPrice.h"

#include "packages/model/Position.h"
#include "packages/model/PriceMath.h"
#include "settings/PrgSettings.h"

CDirectPrice::CDirectPrice(CPosition *head, const CPrgSettings *settings)
    : m_head(head), m_settings(settings), m_standardPrice(head ? head->StdGross : kPriceNotSet)
{
}

QString CDirectPrice::StandardPriceText() const
{
    return FormatPrice(m_standardPrice);
}

double CDirectPrice::MaxReduction() const
{
    return m_settings ? ParseNumber(m_settings->MaxPreisNachlass) : 0.0;
}

QString CDirectPrice::PercentEdited(const QString &percentText)
{
    const double percent = ParseNumber(percentText);
    m_percent = percent;
    if (percent < 0.0) {
        m_percentTypedLast = false;
        m_newPrice = kPriceNotSet;
        return QString();
    }
    m_percentTypedLast = true;
    if (m_standardPrice <= 0.0) {
        m_newPrice = 0.0;
        return QString();
    }
    double price = (100.0 - percent) * m_standardPrice / 100.0;
    // At the maximum reduction a price that the cent rounding would push
    // below the allowed one is lifted by a cent.
    const QString threeDecimals = PrintFixed(price, 3);
    const int lastDigit = threeDecimals.back().digitValue();
    if (percent == MaxReduction() && lastDigit < 5 && price != ParseNumber(threeDecimals))
        price += 0.01;
    m_newPrice = price;
    return FormatPrice(price);
}

QString CDirectPrice::PriceEdited(const QString &priceText)
{
    m_percentTypedLast = false;
    const double price = ParseNumber(priceText);
    m_newPrice = price;
    if (price < 0.0) {
        m_percent = kPriceNotSet;
        return QString();
    }
    if (m_standardPrice <= 0.0)
        return QString();
    // The reduction of the price as OK stores it, to the cent, so that the
    // reduction shown is the one judged against the maximum.
    m_percent = 100.0 - RoundPrice(price) * 100.0 / m_standardPrice;
    return FormatPrice(m_percent);
}

double CDirectPrice::ReductionFor(double price) const
{
    if (m_standardPrice > 0.0)
        return m_percentTypedLast ? m_percent : 100.0 - price * 100.0 / m_standardPrice;
    // Without a standard price the reduction is measured against the
    // package's current price.
    const double current = m_head ? m_head->Preise1.Gross : kPriceNotSet;
    if (current > 0.0)
        return 100.0 - price * 100.0 / current;
    return 0.0;
}

CDirectPrice::Result CDirectPrice::Apply(const QString &priceText)
{
    // The price is stored as shown, to the cent, and the reduction is judged
    // as the dialog shows it, to two decimals: 9.45 against 10.50 is 10.00 %,
    // not 10.000000000000014 %.
    const double price = RoundPrice(ParseNumber(priceText));
    if (MaxReduction() < RoundPrice(ReductionFor(price)))
        return Result::ReductionTooHigh;
    if (!m_head)
        return Result::Applied;

    CPriceSet &set = m_head->Preise1;
    double net = kPriceNotSet;
    if (m_head->StdVat > 0.0)
        net = NetFromGross(price, m_head->StdVat);
    else if (set.Gross > 0.0 && set.Net > 0.0)
        net = price * 100.0 / (set.Gross * 100.0 / set.Net); // keeps the gross/net ratio
    else if (IsPriceGiven(set.Vat))
        net = NetFromGross(price, set.Vat);
    set.Net = net == kPriceNotSet ? kPriceNotSet : RoundPrice(net);
    set.Gross = price;
    // Without a way to derive the net price the package price stays incomplete.
    set.Complete = net == kPriceNotSet ? 0 : 1;
    return Result::Applied;
}
