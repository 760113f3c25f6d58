#include "app/StartupConfig.h"

#include "app/PendingIdent.h"
#include "app/Utilities.h"
#include "platform/Profile.h"
#include "platform/SoapReq.h"
#include "settings/PrgSettings.h"

#include <QFile>
#include <QStandardPaths>

const QString CStartupConfig::kProfileName = QStringLiteral("YAQStartup");
const QString CStartupConfig::kPlatformConfigFile = QStringLiteral("vemro-ip-real.cfg");

namespace {

const QString kGeneral = QStringLiteral("General");
const QString kYaq2 = QStringLiteral("YAQ2");

const QString kDefaultHttpPort = QStringLiteral("23006");
const QString kDefaultHttpsPort = QStringLiteral("23008");
const QString kBrokerPort = QStringLiteral("8095");
const QString kAgentPath = QStringLiteral("services/UdraAgentService/v2");
const QString kBrokerPath = QStringLiteral("brell_broker/servlet/messagerouter");
const QString kBrokerNamespace = QStringLiteral("http://orva.yaq2.example/brell");
const QString kDbUser = QStringLiteral("YAQ_CONNECT");
constexpr int kDefaultOraclePort = 1521;

// No real value of the platform comes near this; a longer one is no value.
constexpr int kMaxValueLength = 255;
// What the address file may hold; the rest is not read.
constexpr qint64 kMaxConfigFileBytes = 64 * 1024;
// What is kept of an answer for the support.
constexpr int kMaxNoteLength = 4096;

void Note(QStringList *list, const QString &text)
{
    list->append(text.left(kMaxNoteLength));
}

QString Value(const QString &text)
{
    return text.size() <= kMaxValueLength ? text : QString();
}

void AppendOnce(QStringList *list, const QStringList &items)
{
    for (const QString &item : items) {
        if (!list->contains(item))
            list->append(item);
    }
}

// The vehicle of the start is taken out of the settings: the dealer serves
// no contract of its brand.
void ClearStartVehicle(CPrgSettings &s)
{
    s.Fgstnr.clear();
    s.FgstnrFull.clear();
    s.TypSchl.clear();
    s.ZusatzCode.clear();
    s.LeadTyp.clear();
    s.Bestellnr.clear();
    s.ModellBez = CPendingIdent::NoVehicleModel(s);
    s.EReihe.clear();
    s.Marke.clear();
    s.Land.clear();
    s.Erstzulassung.clear();
    s.HGText.clear();
    s.KatZeile.clear();
    s.KatalogKey = QStringLiteral("1");
    s.bAltKatalog = 0;
    s.nKatalogFlag = 0;
    s.bCustomerSpecificPrice = 0;
    s.nVertrag = 0;
    s.bVertragUngeprueft = 0;
}

} // namespace

CStartupConfig::CStartupConfig()
    : m_pProfile(std::make_unique<CProfile>(kProfileName)), m_deadline(kStepTimeoutMs)
{
    // The file holds the database password: it is the user's alone.
    m_pProfile->KeepOwnerOnly();
    LoadFromProfile();
    if (m_nNeva) {
        m_strHttpPort = kBrokerPort;
        m_strPath = kBrokerPath;
        m_nHttpScheme = 1;
    } else {
        m_strHttpPort = kDefaultHttpPort;
        m_strPath = kAgentPath;
        m_nHttpScheme = 0;
    }
}

CStartupConfig::~CStartupConfig()
{
    Save();
}

void CStartupConfig::SetTimeLimits(int requestMs, int stepMs)
{
    m_requestTimeoutMs = requestMs;
    m_deadline.setRemainingTime(stepMs);
}

void CStartupConfig::SetBrokerPort(quint16 port)
{
    if (m_nNeva)
        m_strHttpPort = QString::number(port);
}

void CStartupConfig::LoadFromProfile()
{
    // A missing or empty text takes its default.
    const auto text = [this](const QString &section, const QString &key,
                             const QString &defaultValue = QString()) {
        const QString value = m_pProfile->GetProfileString(section, key);
        return value.isEmpty() ? defaultValue : value;
    };
    m_strIP = Value(text(kGeneral, QStringLiteral("IP")).trimmed());
    m_strHttpPort = text(kGeneral, QStringLiteral("HTTPPort"), kDefaultHttpPort);
    m_strHttpsPort = text(kGeneral, QStringLiteral("HTTPSPort"), kDefaultHttpsPort);
    m_nNeva = m_pProfile->GetProfileInt(kGeneral, QStringLiteral("NEVA"), 0);
    m_strOracleIP = text(kYaq2, QStringLiteral("OracleIP"));
    m_strOracleSID = text(kYaq2, QStringLiteral("OracleSID"));
    m_nOraclePort = m_pProfile->GetProfileInt(kYaq2, QStringLiteral("OraclePort"), 0);
    m_strDbPassword = PasswordFromStore(text(kYaq2, QStringLiteral("YaqDbPasswort")));
    m_strCountryCode = text(kYaq2, QStringLiteral("CountryCode"));
    m_brands = text(kYaq2, QStringLiteral("Brands")).split(QLatin1Char('|'), Qt::SkipEmptyParts);
    if (!m_strIP.isEmpty())
        m_hosts.append(m_strIP);
    m_loaded = HeldValues();
}

QStringList CStartupConfig::HeldValues() const
{
    return {m_strIP,         m_strHttpPort,    m_strHttpsPort,
            m_strOracleIP,   m_strOracleSID,   QString::number(m_nOraclePort),
            m_strDbPassword, m_strCountryCode, m_brands.join(QLatin1Char('|'))};
}

bool CStartupConfig::Save(QString *failure)
{
    if (failure)
        failure->clear();
    // A step that learnt nothing leaves the profile as it is (and as it is
    // not, when there is none).
    CProfile &p = *m_pProfile;
    if (HeldValues() == m_loaded && !p.HasChanges())
        return true;
    p.WriteProfileString(kGeneral, QStringLiteral("IP"), m_strIP);
    p.WriteProfileString(kGeneral, QStringLiteral("HTTPPort"), m_strHttpPort);
    p.WriteProfileString(kGeneral, QStringLiteral("HTTPSPort"), m_strHttpsPort);
    p.WriteProfileString(kYaq2, QStringLiteral("OracleIP"), m_strOracleIP);
    p.WriteProfileString(kYaq2, QStringLiteral("OracleSID"), m_strOracleSID);
    p.WriteProfileInt(kYaq2, QStringLiteral("OraclePort"), m_nOraclePort);
    p.WriteProfileString(kYaq2, QStringLiteral("YaqDbPasswort"), StoredPassword(m_strDbPassword));
    p.WriteProfileString(kYaq2, QStringLiteral("CountryCode"), m_strCountryCode);
    p.WriteProfileString(kYaq2, QStringLiteral("Brands"), m_brands.join(QLatin1Char('|')));
    if (!p.Sync(failure))
        return false;
    m_loaded = HeldValues();
    return true;
}

QString CStartupConfig::PlatformConfigPath()
{
    return QStandardPaths::locate(QStandardPaths::GenericConfigLocation,
                                  QStringLiteral("ORVA/") + kPlatformConfigFile);
}

bool CStartupConfig::ReadPlatformConfigFile()
{
    if (!m_hosts.isEmpty())
        return true;
    const QString path = PlatformConfigPath();
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    const QString text = QString::fromUtf8(file.read(kMaxConfigFileBytes));
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString host = line.trimmed();
        if (host.isEmpty() || host.size() > kMaxValueLength || m_hosts.contains(host))
            continue;
        if (m_hosts.size() == kMaxHosts)
            break;
        m_hosts.append(host);
    }
    return true;
}

QString CStartupConfig::AgentUrl(const QString &host) const
{
    // An IPv6 address stands in brackets before its port.
    const QString authority = host.contains(QLatin1Char(':')) && !host.startsWith(QLatin1Char('['))
                                  ? QLatin1Char('[') + host + QLatin1Char(']')
                                  : host;
    return QStringLiteral("%1://%2:%3/%4")
        .arg(m_nHttpScheme ? QStringLiteral("http") : QStringLiteral("https"), authority,
             m_nHttpScheme ? m_strHttpPort : m_strHttpsPort, m_strPath);
}

QString CStartupConfig::AgentNamespace() const
{
    if (m_nNeva)
        return kBrokerNamespace;
    return QStringLiteral("http://localhost:") + m_strHttpPort + QLatin1Char('/') + m_strPath;
}

QString CStartupConfig::MakeOracleDescriptor(const QString &host, int port, const QString &sid)
{
    return QStringLiteral("(DESCRIPTION=(ADDRESS_LIST=(ADDRESS=(PROTOCOL=TCP)(HOST=%1)(PORT=%2)))"
                          "(CONNECT_DATA=(SID=%3)(SERVER=DEDICATED)))")
        .arg(host)
        .arg(port)
        .arg(sid);
}

QString CStartupConfig::StoredPassword(const QString &password)
{
    const QString scrambled = ScrambleString(MakeScrambleKey(), password);
    QString hex;
    hex.reserve(scrambled.size() * 4);
    for (const QChar c : scrambled)
        hex += QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    return hex;
}

QString CStartupConfig::PasswordFromStore(const QString &stored)
{
    if (stored.size() % 4 != 0)
        return QString();
    QString scrambled;
    scrambled.reserve(stored.size() / 4);
    for (int i = 0; i < stored.size(); i += 4) {
        bool ok = false;
        const uint unit = QStringView(stored).mid(i, 4).toUInt(&ok, 16);
        if (!ok)
            return QString();
        scrambled.append(QChar(char16_t(unit)));
    }
    return ScrambleString(MakeScrambleKey(), scrambled);
}

bool CStartupConfig::AskHost(const QString &host, const QString &method,
                             const QList<CAgentParam> &params, const Reader &reader)
{
    if (m_silentHosts.contains(host))
        return false;
    const qint64 left = m_deadline.remainingTime();
    if (left == 0) {
        Note(&m_failedAnswers, QStringLiteral("%1: no time left for %2.").arg(host, method));
        return false;
    }
    CSoapReq request;
    request.m_strURL = AgentUrl(host);
    request.SetTimeout(int(left < 0 ? m_requestTimeoutMs : qMin<qint64>(m_requestTimeoutMs, left)));
    const QString text = request.RequestMessage(
        method, WriteAgentRequest(IsBroker(), AgentNamespace(), method, params));
    if (request.LastStatus() == 0)
        m_silentHosts.insert(host);
    CAgentAnswer answer;
    const int status = request.LastStatus();
    if (text.isEmpty() || status < 200 || status > 299 || !answer.Load(text) || !reader(answer)) {
        Note(&m_failedAnswers, text.isEmpty() ? request.LastError() : text);
        return false;
    }
    Note(&m_answers, text);
    m_strIP = host;
    return true;
}

bool CStartupConfig::Ask(const QString &method, const QList<CAgentParam> &params,
                         const Reader &reader, bool currentFirst)
{
    QStringList order = m_hosts;
    if (currentFirst && !m_strIP.isEmpty()) {
        order.removeAll(m_strIP);
        order.prepend(m_strIP);
    }
    for (const QString &host : order) {
        if (AskHost(host, method, params, reader))
            return true;
    }
    return false;
}

bool CStartupConfig::HeldDatabase() const
{
    return !m_strOracleIP.isEmpty() && !m_strOracleSID.isEmpty() && m_nOraclePort > 0;
}

bool CStartupConfig::AskDatabase()
{
    if (HeldDatabase())
        return AskDBUserPw();
    const bool answered =
        Ask(QStringLiteral("getBrellDatabase"), {}, [this](const CAgentAnswer &a) {
            const QString ip = Value(a.Text(QStringLiteral("ip")));
            const QString sid = Value(a.Text(QStringLiteral("sid")));
            if (ip.isEmpty() || sid.isEmpty())
                return false;
            const int port = a.Number(QStringLiteral("port"));
            m_strOracleIP = ip;
            m_strOracleSID = sid;
            m_nOraclePort = port > 0 && port <= 65535 ? port : kDefaultOraclePort;
            return true;
        });
    return answered && AskDBUserPw();
}

bool CStartupConfig::AskDBUserPw()
{
    m_strDbUser = kDbUser;
    if (!m_strDbPassword.isEmpty())
        return true;
    // The password comes from the host that gave the database, when one did.
    return Ask(
        QStringLiteral("getBrellDBUserPw"), {{QStringLiteral("user"), kDbUser}},
        [this](const CAgentAnswer &a) {
            const QString password = Value(a.Text(QStringLiteral("getBrellDBUserPwReturn"), true));
            if (password.isEmpty())
                return false;
            m_strDbPassword = password;
            return true;
        },
        true);
}

bool CStartupConfig::AskCountryCode(QString *code)
{
    const QString element =
        m_nNeva ? QStringLiteral("countryCode") : QStringLiteral("getCountryCodeReturn");
    return Ask(QStringLiteral("getCountryCode"), {}, [&](const CAgentAnswer &a) {
        // An answer without a code says nothing about the held one.
        const QString answered = Value(a.Text(element));
        if (answered.isEmpty())
            return false;
        *code = answered;
        return true;
    });
}

bool CStartupConfig::GetDatabase(QString *user, QString *password, QString *tns)
{
    m_answers.clear();
    m_failedAnswers.clear();
    m_strDbUser = kDbUser;
    // Values held from an earlier start are used as they are: only what is
    // missing is asked.
    if (!HeldDatabase() || m_strDbPassword.isEmpty()) {
        if (!ReadPlatformConfigFile() || !AskDatabase())
            return false;
    }
    *tns = MakeOracleDescriptor(m_strOracleIP, m_nOraclePort, m_strOracleSID);
    *user = m_strDbUser;
    *password = m_strDbPassword;
    return true;
}

bool CStartupConfig::GetCountryCode(QString *code, int *asked)
{
    m_answers.clear();
    m_failedAnswers.clear();
    if (ReadPlatformConfigFile()) {
        QString answered;
        if (AskCountryCode(&answered)) {
            m_strCountryCode = answered;
            *code = answered;
            *asked = 0;
            return true;
        }
        *asked = 1;
    }
    // Without an answer the code of the last answer holds.
    if (!m_strCountryCode.isEmpty())
        *code = m_strCountryCode;
    return false;
}

void CStartupConfig::GetDealerData(QStringList *brands, int *found)
{
    m_answers.clear();
    m_failedAnswers.clear();
    const bool broker = IsBroker();
    const QString method =
        broker ? QStringLiteral("getNevaDealerData") : QStringLiteral("getDealerDataBean");
    const bool answered =
        ReadPlatformConfigFile() && Ask(method, {}, [this, broker](const CAgentAnswer &a) {
            if (!a.HasDealerData(broker))
                return false;
            QStringList vehicleBrands;
            for (const QString &brand : VehicleBrands(a.Contracts(broker), broker)) {
                if (Value(brand) == brand)
                    vehicleBrands.append(brand);
            }
            m_brands = vehicleBrands;
            return true;
        });
    if (answered)
        *found = 1;
    // Without an answer the brands of the last answer hold, once.
    AppendOnce(brands, m_brands);
}

bool RunStartupConfig(CStartupConfig &config, CPrgSettings &s, CStartupConnection *connection)
{
    int asked = 0;
    if (!s.bLocalDataSet) {
        if (connection->tns.isEmpty() &&
            config.GetDatabase(&connection->uid, &connection->pwd, &connection->tns))
            config.GetCountryCode(&s.CountryCode, &asked);
    } else {
        config.GetCountryCode(&s.CountryCode, &asked);
        int found = 0;
        config.GetDealerData(&s.DealerList, &found);
        if (found && !GetBrandFromDealerData(&s, s.Marke))
            ClearStartVehicle(s);
    }
    const bool callerMode =
        s.bQvl || s.bQvlEdit || s.bQvlAPosSearch || s.bQvlAPosQuery || s.bQvlAwToSrp;
    return !callerMode && s.bMeldungCountryCode && asked && s.CountryCode.isEmpty();
}
