#pragma once
// The first registration date of the head row, without the window: what the
// field accepts while the user types, when a typed date is taken, and the
// DMS request "requestFirstRegistrationDate" with the reading of its answer.
//
// The date is held as DD.MM.YYYY; the field shows the placeholder (text
// 6061) while there is none. A change of the date is a change of the
// vehicle identification: the basket is asked first (the window's question,
// handed in), and the caller reports the change to the pages with the flags
// returned. Each operation tells the window, as data, what the field shows
// afterwards; the settings are written here.

#include "common/ChangeFlags.h"
#include "platform/db/CatalogueFailure.h"

#include <QString>
#include <functional>

class CDmsAnswer;
class CDmsClient;
class CDmsMessageWriter;
class CPrgSettings;
class CYaqDb;
class IDmsNotice;

class CFirstRegistration
{
public:
    static constexpr const char *kMethod = "requestFirstRegistrationDate";

    explicit CFirstRegistration(CPrgSettings *settings) : m_settings(settings) {}

    // The placeholder of the empty field ("TT.MM.JJJJ").
    static QString Placeholder();
    // A real calendar date written DD.MM.YYYY with a year from 1970 to 2037.
    static bool IsValidDate(const QString &text);
    // The date of a DMS message, written YYYY-MM-DD with or without a time
    // zone (XmlDate), as DD.MM.YYYY; empty when the text is not such a date.
    static QString FromDmsDate(const QString &text);

    // --- Typing into the field
    // Focus: the placeholder gives way to an empty field unless the field is
    // read-only. Returns the text the field shows.
    static QString OnSetFocus(const QString &text, bool readOnly);
    // Each update of the field: removes the first character that is neither
    // a digit nor "."; returns where the caret goes, -1 when nothing was
    // removed.
    static int FilterTyped(QString &text);

    // The basket's answer to a change of the first registration: 1 keeps
    // the old date (the basket holds entries and the user kept them).
    using BasketQuestion = std::function<int()>;

    struct FieldResult
    {
        QString fieldText;      // what the field shows afterwards
        bool selectAll = false; // the old date came back: select it
        int messageId = 0;      // 4024 for a date that is not valid
        CChangeFlags changes;   // for the change report to the pages
    };
    // The field's text changed: a text of ten characters is checked and,
    // when valid, taken after the basket agreed; an invalid one empties the
    // settings' date.
    FieldResult OnChange(const QString &text, const BasketQuestion &askBasket);
    // The field was left: an incomplete or empty text takes the date away
    // (after the basket agreed when there was one); the field then shows the
    // placeholder.
    FieldResult OnKillFocus(const QString &text, const BasketQuestion &askBasket);

    // --- The DMS request
    // Whether the DMS is asked for an empty first registration after an
    // identification: XML requests, extended format and campaigns on, and
    // not for the transfer system's package request (caller mode
    // "qvlawtosrp").
    static bool ShouldRequest(const CPrgSettings &settings);
    // The body of the request for the settings' full VIN; empty without one.
    QString BuildRequest(const QString &version) const;
    // Its children after the header; false without a full VIN.
    bool WriteRequest(CDmsMessageWriter &body) const;

    struct AnswerResult
    {
        int applied = 0;           // the answer was taken over
        QString firstRegistration; // DD.MM.YYYY, for the field
        bool hasMileage = false;   // the mileage field takes `mileage`
        QString mileage;
        CChangeFlags changes;
    };
    // Sends the request through the client and takes the answer over; the
    // messages go to the notice.
    AnswerResult Request(CDmsClient &client, IDmsNotice *notice);
    // Reads the answer element: applied only when the answer holds a valid
    // date and names, when it names a VIN, the vehicle asked about (a short
    // VIN only when no second vehicle shares it). Writes date, mileage and
    // (with V117) the customer-specific-price flag into the settings.
    AnswerResult ApplyAnswer(CDmsAnswer &answer, const QString &askedVin);

private:
    CPrgSettings *m_settings;
};
