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
#include "common/readers/ShortVinCount.h"
#include "platform/OrmelText.h"
#include "platform/SoapSvr.h"
#include "platform/db/ServerWait.h"
#include "settings/PrgSettings.h"

#include <QLineEdit>

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
    // An answer naming a short VIN that several vehicles share is not taken.
    m_client.SetShortVinCount([this](const QString &shortVin) {
        return DmsShortVinCount(m_host.Db(0), shortVin, m_host.Window());
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
    // The DMS's push is a step of its own, as an input of the adviser is: a
    // catalogue server found silent in an earlier step is asked again, and
    // waited on at most once in this one.
    CServerWait::BeginStep();
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

    // The vehicle goes to the identification, which shows it and takes the
    // fields it brings; its order data go to the basket page: all three, so
    // that an order the request does not name leaves none of the previous
    // order behind.
    bool taken = false;
    switch (out.action) {
    case CTransferVinOutcome::SameVehicle:
        taken = m_ident.Identify(out.Vehicle());
        break;
    case CTransferVinOutcome::NewVehicle:
        // The user agreed to give up the basket with the vehicle shown; a
        // vehicle whose catalogue could not be read leaves both as they are.
        taken = m_ident.Identify(out.Vehicle());
        if (basket && !m_ident.CatalogueReadFailed()) {
            basket->ClearBasket();
            basket->ResetPrintData();
        }
        break;
    default:
        break;
    }
    if (taken && basket) {
        CWkOrderData order = basket->Order();
        order.strAuftragsNr = out.data.orderNumber;
        order.bAuftragsNrVomDms = !out.data.orderNumber.isEmpty();
        order.strAbrechnung = out.data.settlementCode;
        order.strJobNr = out.data.jobNumber;
        basket->SetOrder(order);
    }
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
                CGivenVehicle found;
                found.origin = CGivenVehicle::Search;
                found.vin = vin;
                found.firstRegistration = firstRegistration;
                found.mileage = mileage;
                found.plate = plate;
                return m_ident.Identify(found);
            };
            target.help = [this] { m_host.WinHelp(); };
            target.client = &m_client;
            CFgstNrAbfDlg search(m_pSettings, m_host.Db(0), m_host.Window(), target);
            return search.DoModal();
        });
    if (backHome)
        m_head.Vin()->setFocus();
}
