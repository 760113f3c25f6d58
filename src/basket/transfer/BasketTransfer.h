#pragma once
// The transfer of the basket to the outside world, chosen by how the program
// was started and by the send mode of the settings:
//   - started by the transfer system in one of its caller modes: the
//     Basket-List road (handed in by the page; the program closes after it);
//   - send mode 4: the SOAP message "transferYAQPositions" to the dealer
//     management system (DMS), with "transferVehicleInfo" first when the DMS
//     does not know the vehicle and the adviser wants it created;
//   - send mode 3: the text export (handed in by the page);
//   - any other send mode: nothing is sent.
//
// After a confirmed transfer exactly the entries that went out leave the
// basket; what the road could not carry stays and is named in the result
// message. A failed transfer leaves the basket as it was. The transfer
// knows no windows: it tells the adviser through an IDmsNotice, asks through
// an ITransferQuestion and sends through an IDmsSender.

#include "basket/transfer/TransferRequest.h"

#include <QString>
#include <QStringList>

#include <functional>

class CPrgSettings;
class CWKList;
class IDmsNotice;
class IDmsSender;

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
};

class CBasketTransfer
{
public:
    // Borrowed; the question may be null (nothing is created then).
    CBasketTransfer(CPrgSettings *settings, IDmsNotice *notice, IDmsSender *sender,
                    ITransferQuestion *question);

    // The roads other parts of the program own. The text export returns
    // non-zero when it wrote; without one the road is reported missing and
    // nothing is sent.
    void SetBasketListRoad(std::function<void(const CWKList &)> road)
    {
        m_basketListRoad = std::move(road);
    }
    void SetTextExportRoad(std::function<int(const CWKList &)> road)
    {
        m_textExportRoad = std::move(road);
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

private:
    int SendPositions(const CWKList &basket, const CTransferOrder &order,
                      std::vector<const CWKListItem *> *sent, bool *createVehicle);
    int SendVehicleInfo(const CTransferOrder &order);
    QString Road() const;

    CPrgSettings *m_settings;
    IDmsNotice *m_notice;
    IDmsSender *m_sender;
    ITransferQuestion *m_question;
    std::function<void(const CWKList &)> m_basketListRoad;
    std::function<int(const CWKList &)> m_textExportRoad;
};
