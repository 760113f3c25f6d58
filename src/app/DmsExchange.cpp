#include "app/DmsExchange.h"

#include "app/DmsVinButton.h"
#include "app/FgstNrAbfDlg.h"
#include "app/HeadRowView.h"
#include "app/IdentFlow.h"
#include "app/PendingIdent.h"
#include "app/SelVin7TypschlDlg.h"
#include "app/TransferVinHandler.h"
#include "basket/model/WkBasket.h"
#include "common/OwnSound.h"
#include "common/TextDlg.h"
#include "platform/OrmelText.h"
#include "platform/SoapSvr.h"
#include "settings/PrgSettings.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace {
// Writes a head-row field from code: never counts as a user edit.
void SetFieldText(QLineEdit *edit, const QString &text)
{
    const QSignalBlocker block(edit);
    edit->setText(text);
}
} // namespace

CDmsExchange::CDmsExchange(IDmsExchangeHost &host, CHeadRowView &head, CIdentFlow &ident,
                           CPrgSettings *settings)
    : m_host(host), m_head(head), m_ident(ident), m_pSettings(settings), m_dmsNotice(host.Window()),
      m_listenerNotice(host.Window(), MSG_ALIGN_NOTICE),
      m_listenerMessages(&m_listenerNotice,
                         [this] { return m_pListener ? m_pListener->Arrivals() : 0; }),
      m_sender(settings), m_wait(host.Window()), m_client(settings, &m_sender, &m_wait),
      m_listenerFrame(settings, &m_listenerMessages, nullptr,
                      [this](const QString &envelope) {
                          // The answer goes to the client only while the
                          // listener runs.
                          if (m_pListener && m_pListener->HasInterface())
                              m_pListener->SetResponse(envelope);
                      }),
      m_firstReg(settings),
      // A request of the program waiting for its answer holds the
      // listener's requests back: the DMS's request is fetched once that
      // request is done.
      m_watch(
          settings, [this] { return m_client.IsBusy() || m_bClosed; },
          [this](const QString &request, quint64 number) {
              m_listenerMessages.SetRequest(number);
              HandleSoapRequest(request);
          })
{
    // The listener's messages leave the listener going: the next request is
    // taken while the adviser reads about the last one.
    m_listenerNotice.SetNonModal([this] { m_listenerMessages.Closed(); });
    m_listenerMessages.SetShownStaysOpen(true);
    // A request of the DMS the window cannot take soon is refused.
    m_watch.SetRefusal([this] {
        return CDmsFrame::ListenerEnvelope(
            m_listenerFrame.ExceptionBody(QLatin1String(CTransferVinHandler::kAnswer), 4));
    });
    // The wait window keeps the adviser's input from the pages while a
    // request waits.
    m_sender.SetInputGuarded(true);
    m_client.SetShortVinCount([this](const QString &shortVin) {
        return CFirstRegistration::CountShortVin(m_host.Db(0), shortVin);
    });
}

void CDmsExchange::SetListener(ISoapSvr *listener)
{
    m_pListener = listener;
    m_listenerMessages.Reset();
    m_watch.SetListener(listener);
}

void CDmsExchange::StartPolling()
{
    m_watch.Start();
}

void CDmsExchange::Close()
{
    m_bClosed = true;
    m_watch.Stop();
}

CFirstRegistration::AnswerResult CDmsExchange::RequestFirstRegistrationDate()
{
    return m_firstReg.Request(m_client, &m_dmsNotice);
}

void CDmsExchange::HandleSoapRequest(const QString &request)
{
    CPrgSettings &s = *m_pSettings;
    const CIdentSnapshot before = CIdentSnapshot::Take(s);
    CWkBasket *basket = m_host.Basket();

    CTransferVinHandler handler(m_pSettings, &m_listenerFrame);
    bool dmsAnswered = false;
    handler.SetVinCompletion([this, &dmsAnswered](QString *vin) {
        CSelVin7TypschlDlg complete(*vin, m_host.Window());
        // Once the DMS has had its answer the push is over: the dialog ends
        // as Cancel.
        if (m_pListener)
            QObject::connect(m_pListener, &ISoapSvr::HandedOutEnded, &complete,
                             [&dmsAnswered, &complete] {
                                 dmsAnswered = true;
                                 complete.reject();
                             });
        if (complete.DoModal() != IDOK)
            return false;
        *vin = complete.GetVin();
        return true;
    });
    handler.SetDmsAnswered([&dmsAnswered] { return dmsAnswered; });
    handler.SetQuestion([this](const QString &text) {
        return OwnMsgBox(text, m_host.Window(), kMsgBoxTitle, MSG_ALIGN_LEFT, MB_YESNO) == IDYES;
    });
    handler.SetBasketHasEntries([basket] { return basket && basket->GetEntryCount() > 0; });
    const CTransferVinOutcome out = handler.HandleSoapRequest(request);
    if (out.result)
        m_ident.Holds().DmsVehicleConfirmed();

    // The order data of the request go to the basket page and the head row:
    // all three, so that an order the request does not name leaves none of
    // the previous order behind.
    auto takeOrderData = [&] {
        out.ApplyOrderData(s);
        SetFieldText(m_head.Mileage(), s.Kilometer);
        m_head.SetCustomerSpecificPrice();
        if (!basket)
            return;
        CWkOrderData order = basket->Order();
        order.strAuftragsNr = out.data.orderNumber;
        order.bAuftragsNrVomDms = !out.data.orderNumber.isEmpty();
        order.strAbrechnung = out.data.settlementCode;
        order.strJobNr = out.data.jobNumber;
        basket->SetOrder(order);
    };

    switch (out.action) {
    case CTransferVinOutcome::SameVehicle:
        takeOrderData();
        break;
    case CTransferVinOutcome::NewVehicle:
        // The user agreed to give up the basket with the vehicle shown.
        if (basket) {
            basket->ClearBasket();
            basket->ResetPrintData();
        }
        m_host.ShowHomePage();
        if (out.vinDiffers) {
            SetFieldText(m_head.Vin(), out.data.vin);
            m_ident.OnEnChangeFgstNr();
        }
        if (!s.TypSchl.isEmpty() && !s.Fgstnr.isEmpty()) {
            SetFieldText(m_head.Plate(), QString());
            SetFieldText(m_head.Mileage(), QString());
            s.Kilometer.clear();
            takeOrderData();
            // The vehicle's first registration is the one the DMS sent, never
            // the one of the vehicle shown before; a date it did not send
            // leaves the field as leaving it empty does.
            const QString date = out.firstRegistrationMode ? out.firstRegistration : QString();
            s.Erstzulassung = date;
            const CFirstRegistration::FieldResult field =
                CFirstRegistration(m_pSettings).OnKillFocus(date, {});
            SetFieldText(m_head.FirstRegistration(), field.fieldText);
        }
        break;
    default:
        break;
    }
    m_ident.Holds().DmsRequestDone();
    m_host.SetIdentChanged(CIdentSnapshot::Changes(before, CIdentSnapshot::Take(s)));
}

void CDmsExchange::RunVehicleSearch(int &currentPage)
{
    PlaySoundSelected(m_pSettings);
    const bool backHome = CDmsVinButton::Run(
        *m_pSettings, currentPage,
        [this] {
            CTextDlg text(m_host.Window());
            text.DoModalText(m_pSettings->DataDir + QStringLiteral("/SRP/InfoFg"), GetPrgSprache(),
                             QStringLiteral(".dat"));
        },
        [this] {
            CVehicleSearchTarget target;
            target.apply = [this](const QString &vin, const QString &firstRegistration,
                                  const QString &mileage, const QString &plate) {
                return ApplyVehicleSearchResult(vin, firstRegistration, mileage, plate);
            };
            target.help = [this] { m_host.WinHelp(); };
            target.client = &m_client;
            CFgstNrAbfDlg search(m_pSettings, m_host.Db(0), m_host.Window(), target);
            return search.DoModal();
        });
    if (backHome)
        m_head.Vin()->setFocus();
}

bool CDmsExchange::ApplyVehicleSearchResult(const QString &vin, const QString &firstRegistration,
                                            const QString &mileage, const QString &plate)
{
    CPrgSettings &s = *m_pSettings;
    // The found vehicle brings its own first registration, mileage and
    // plate: while its VIN is identified the head row keeps those fields and
    // the DMS is not asked for the date. The basket is asked as for a typed
    // VIN.
    m_ident.Holds().SearchResultArrives();
    SetFieldText(m_head.Vin(), vin);
    m_ident.OnEnChangeFgstNr();
    m_ident.Holds().SearchResultTaken();
    if (s.FgstnrFull != vin)
        return false; // refused, or the basket kept the vehicle shown

    const CIdentSnapshot before = CIdentSnapshot::Take(s);
    const bool mileageChanged = s.Kilometer != mileage;
    s.Erstzulassung = firstRegistration;
    SetFieldText(m_head.FirstRegistration(), firstRegistration.isEmpty() && s.MarketingCampaigns
                                                 ? OrmelText(6061)
                                                 : firstRegistration);
    s.Kilometer = mileage;
    SetFieldText(m_head.Mileage(), mileage);
    SetFieldText(m_head.Plate(), plate);
    m_head.SetCustomerSpecificPrice();
    CChangeFlags changes = CIdentSnapshot::Changes(before, CIdentSnapshot::Take(s));
    changes.bKilometer = mileageChanged ? 1 : 0;
    m_host.SetIdentChanged(changes);
    return true;
}
