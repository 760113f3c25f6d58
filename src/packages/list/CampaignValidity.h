#pragma once
// Whether a campaign package is offered for the vehicle: the rules of the
// dealer's campaign data on the first registration (a first-registration
// period, or the vehicle's age in months), the production date (the
// campaign's production period, which names the models it is meant for)
// and today's date (the campaign period). All dates are eight-digit texts,
// YYYYMMDD, compared as texts; an empty upper bound lets nothing pass.

#include <QDate>
#include <QString>

class CPosition;

class CCampaignValidity
{
public:
    // firstRegistration: DD.MM.YYYY as the head row shows it (anything else
    // is not known); productionDate: YYYYMM or longer, of which the month
    // counts; today: YYYYMMDD.
    CCampaignValidity(const QString &firstRegistration, const QString &productionDate,
                      QString today);

    struct Verdict
    {
        bool valid = false;
        // The campaign defines a first-registration period and a vehicle
        // age: the age is ignored (the data fault the adviser is told of).
        bool periodAndAge = false;
        // A vehicle age is no whole number of months, or is negative: the
        // campaign is not offered (the data fault the adviser is told of).
        bool badAge = false;
    };
    // Judges the campaign fields of a campaign row (CPosition::Campaign...).
    Verdict Judge(const CPosition &campaign) const;

    bool FirstRegistrationKnown() const { return m_firstRegistration.isValid(); }
    // The first registration plus a number of months, on the calendar: the
    // day is kept where the month has it, else the month's last day.
    static QString AddMonths(const QDate &date, int months);
    // A vehicle age: empty is no age (true, *months -1); digits (blanks
    // around them allowed) a whole number of months; anything else, a sign
    // included, is false.
    static bool ParseMonths(const QString &text, int *months);

private:
    QDate m_firstRegistration;
    QString m_strFirstRegistration; // YYYYMMDD when known
    QString m_strProduction;        // YYYYMM + "01"
    QString m_strToday;
};
