#pragma once
// The transfer of the basket to the outside world, chosen by how the program
// was started and by the send mode of the settings:
//   - started by the transfer system in one of its caller modes: the
//     Basket-List on the clipboard (or the road a caller hands in); the
//     program closes after it;
//   - send mode 4: the SOAP message "transferYAQPositions" to the dealer
//     management system (DMS), with "transferVehicleInfo" first when the DMS
//     does not know the vehicle and the adviser wants it created;
//   - send mode 3: the text export (handed in by the page);
//   - any other send mode: nothing is sent.
//
// After a confirmed transfer exactly the entries that went out leave the
// basket; what the road could not carry stays and is named in the result
// message, and the basket is marked as having sent its order
// (CWKList::MarkOrderSent), so that its owner clears the order data. A
// failed transfer leaves the basket as it was, and so does one the adviser
// cancelled while it waited for the DMS (without a result message). The
// transfer knows no windows: it tells the adviser through an IDmsNotice,
// asks through an ITransferQuestion and sends through the one DMS client.

#include "basket/transfer/TextExport.h"
#include "basket/transfer/TransferRequest.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class CDmsAnswer;
class CDmsClient;
enum class DmsOutcome;
class CPrgSettings;
class CWKList;
class IDmsNotice;

// The yes/no question of the transfer (the vehicle is unknown to the DMS:
// create it?).
class ITransferQuestion
{
public:
    virtual ~ITransferQuestion() = default;
    virtual bool Ask(const QString &text) = 0;
};

enum class TransferRoad
{
    None,       // send mode without transfer, or nothing the road carries
    BasketList, // a caller mode of the transfer system
    Soap,
    TextExport,
};

struct CTransferResult
{
    TransferRoad road = TransferRoad::None;
    int result = 0;              // 1: the DMS confirmed (the export wrote)
    bool vehicleCreated = false; // the DMS created the vehicle on the way
    int removed = 0;             // entries that left the basket
    QStringList kept;            // numbers of the entries the road could not carry
    QString message;             // the last result message shown; empty: none
    bool closeProgram = false;   // the Basket-List road ends the program
    // The Basket-List was not put: a read of the catalogue it needs failed
    // (told by the check); the caller's work is not done.
    bool catalogueUnread = false;
    bool cancelled = false; // the adviser cancelled a request: nothing changed
};

class CBasketTransfer
{
public:
    // Borrowed; the question may be null (nothing is created then).
    CBasketTransfer(CDmsClient &client, IDmsNotice *notice, ITransferQuestion *question);

    // The roads other parts of the program own. The text export says
    // whether it delivered, why not, and which entries it left out (they
    // stay in the basket); without one the road is reported missing and
    // nothing is sent.
    void SetBasketListRoad(std::function<void(const CWKList &)> road)
    {
        m_basketListRoad = std::move(road);
    }
    void SetTextExportRoad(std::function<CTextExportOutcome(const CWKList &)> road)
    {
        m_textExportRoad = std::move(road);
    }
    // The program's own text export (CTextExport) with the header fields of
    // the basket page and the head row.
    void SetTextExportHead(const CTextExportHead &head);
    // Caller mode "qvlaposquery": whether the caller's labour position has
    // labour values for the vehicle, for the Basket-List the program
    // otherwise puts on the clipboard itself. Without it the answer is 0;
    // no value (a read that failed) puts no Basket-List at all, as "0"
    // would tell the caller that there are none.
    void SetLabourValueCheck(std::function<std::optional<int>(const QString &)> check)
    {
        m_labourValueCheck = std::move(check);
    }

    CTransferResult Transfer(CWKList &basket, const CTransferOrder &order);

    // The result message of one pass; empty: show nothing.
    struct Flags
    {
        bool packages = false;
        bool valueLine = false;
        bool campaign = false;
        bool labour = false;
        bool findings = false;
    };
    QString ResultText(int result, const Flags &flags, bool vehicleCreated) const;
    static Flags ContentFlags(const CWKList &basket);

    // The readers of the two answers: 1 when the DMS confirmed. The answer
    // to the positions asks about creating an unknown vehicle when
    // createVehicle is given, and creates it when the adviser wants.
    int ReadPositionsAnswer(CDmsAnswer &answer, const CTransferOrder &order, bool *createVehicle);
    int ReadVehicleInfoAnswer(CDmsAnswer &answer);

private:
    int SendPositions(const CWKList &basket, const CTransferOrder &order,
                      std::vector<const CWKListItem *> *sent, bool *createVehicle);
    int SendVehicleInfo(const CTransferOrder &order);
    // A request ended without an answer: cancelled, and whether the DMS
    // may have it all the same.
    void NoteBrokenOff(DmsOutcome outcome);
    // 1: on the clipboard, 0: it could not be put, -1: a read failed.
    int PutBasketList(const CWKList &basket) const;
    QString Road() const;
    void Tell(const QString &text) const;

    CDmsClient &m_client;
    CPrgSettings *m_settings;
    IDmsNotice *m_notice;
    ITransferQuestion *m_question;
    bool m_cancelled = false;
    // A request of this transfer broke off after it may have reached the DMS.
    bool m_mayBeBooked = false;
    std::function<void(const CWKList &)> m_basketListRoad;
    std::function<CTextExportOutcome(const CWKList &)> m_textExportRoad;
    std::function<std::optional<int>(const QString &)> m_labourValueCheck;
};
