#pragma once
// The dealer platform's start-up configuration: what the program needs from
// the platform when it starts outside a session (the catalogue database's
// address, user and password, the dealer's country code, the brands of the
// dealer's vehicle contracts). The last known values are kept in the
// profile of the application "YAQStartup" (groups "General" and "YAQ2");
// what is missing is asked from the platform's agent service by SOAP over
// https on the configured port, or, with the broker flag ("NEVA") set, from
// the broker over http on port 8095.
//
// The hosts to ask are the held "IP", else the lines of the platform's
// address file (PlatformConfigPath). A host that fails leads to the next;
// nothing is ever shown. The whole step is bounded in time: each request
// waits at most the request limit, a host that did not answer at all is not
// asked again by the same object, and once the step's time (counted from
// the construction) is over no request is sent any more, so a silent
// platform never holds up the start for long.
//
// One object lives for one step; Save, or else its destruction, writes
// everything learnt back to the profile, so that the next start finds it;
// a step that learnt nothing writes nothing.

#include "app/AgentMessage.h"

#include <QDeadlineTimer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class CPrgSettings;
class CProfile;

class CStartupConfig
{
public:
    // The profile's application name and its groups.
    static const QString kProfileName; // "YAQStartup"
    // The platform's address file, one host a line.
    static const QString kPlatformConfigFile; // "vemro-ip-real.cfg"
    // Time limits of one request and of the whole step, in milliseconds.
    static constexpr int kRequestTimeoutMs = 3000;
    static constexpr int kStepTimeoutMs = 6000;
    // At most this many hosts of the address file are asked.
    static constexpr int kMaxHosts = 32;

    CStartupConfig();
    ~CStartupConfig();
    CStartupConfig(const CStartupConfig &) = delete;
    CStartupConfig &operator=(const CStartupConfig &) = delete;

    // Writes what was learnt to the profile; when nothing was (every value
    // as the profile gave it), nothing is written. False when the profile
    // could not be written: it stays as it was and *failure names the file
    // and the reason (a full disk is the one thing of the step the user
    // hears of); what was not written is not written later either, by this
    // object's end.
    bool Save(QString *failure = nullptr);

    // Shorter limits (tests); the step's time counts anew from now.
    void SetTimeLimits(int requestMs, int stepMs);
    // The broker on another port than the platform's (tests, whose stand-in
    // takes a port no other program holds).
    void SetBrokerPort(quint16 port);

    // The connection of the catalogue database: held values are used as
    // they are; only what is missing is asked. True with the descriptor,
    // user and password filled; otherwise false and the values unchanged.
    bool GetDatabase(QString *user, QString *password, QString *tns);
    // The dealer's country code from the first host that gives one: true
    // with *code filled and *asked = 0. Otherwise false and *code the held
    // code (unchanged when none is held); *asked = 1 when hosts were asked,
    // unchanged when there are none.
    bool GetCountryCode(QString *code, int *asked);
    // The brands of the dealer's vehicle contracts, appended to *brands
    // (each once). The first host that answers gives them and sets *found
    // to 1; when none answers the held brands are appended (once) and
    // *found is left as it was.
    void GetDealerData(QStringList *brands, int *found);

    // The host of the agent service that answered last (profile "IP").
    QString AgentHost() const { return m_strIP; }
    bool IsBroker() const { return m_nNeva != 0; }
    QString AgentUrl(const QString &host) const;
    QString AgentNamespace() const;
    // The answers of the requests of this object, and why the others failed.
    const QStringList &Answers() const { return m_answers; }
    const QStringList &FailedAnswers() const { return m_failedAnswers; }

    // "ORVA/vemro-ip-real.cfg" in the first configuration folder that has
    // it: $XDG_CONFIG_HOME (~/.config), then $XDG_CONFIG_DIRS (/etc/xdg),
    // where the platform installs it for every user. Empty when none has.
    static QString PlatformConfigPath();
    static QString MakeOracleDescriptor(const QString &host, int port, const QString &sid);
    // The password as the profile keeps it: scrambled (ScrambleString),
    // each 16-bit unit of that as four hex digits, so that every unit the
    // scrambling makes survives the text store; and back (empty for a
    // value not of that form).
    static QString StoredPassword(const QString &password);
    static QString PasswordFromStore(const QString &stored);

private:
    void LoadFromProfile();
    // The values Save writes, as texts.
    QStringList HeldValues() const;
    bool ReadPlatformConfigFile();
    bool AskDatabase();
    bool AskDBUserPw();
    bool AskCountryCode(QString *code);
    bool HeldDatabase() const;

    // Asks the hosts in order (the current agent host first when
    // currentFirst) until one gives an answer the reader takes. The host
    // whose answer was taken becomes the current agent host.
    using Reader = std::function<bool(const CAgentAnswer &)>;
    bool Ask(const QString &method, const QList<CAgentParam> &params, const Reader &reader,
             bool currentFirst = false);
    bool AskHost(const QString &host, const QString &method, const QList<CAgentParam> &params,
                 const Reader &reader);

    std::unique_ptr<CProfile> m_pProfile;
    QStringList m_answers;
    QStringList m_failedAnswers;
    QString m_strIP; // the current agent host
    QStringList m_hosts;
    QString m_strDbUser;
    QString m_strDbPassword; // held in clear, stored scrambled
    QString m_strCountryCode;
    QStringList m_brands;
    QString m_strOracleSID;
    int m_nOraclePort = 0;
    QString m_strOracleIP;
    int m_nHttpScheme = 0; // 1: http with the HTTP port, 0: https with the HTTPS port
    int m_nNeva = 0;       // 1: the broker, 0: the agent service
    QString m_strHttpPort;
    QString m_strHttpsPort;
    QString m_strPath;
    // The values as the profile gave them (or as last saved).
    QStringList m_loaded;

    int m_requestTimeoutMs = kRequestTimeoutMs;
    QDeadlineTimer m_deadline;
    // Hosts that gave no answer at all during this step.
    QSet<QString> m_silentHosts;
};

// The connection values of the start (command line or platform).
struct CStartupConnection
{
    QString tns;
    QString uid;
    QString pwd;
};

// The platform's step of the main window's construction, outside a
// session: without a local data set and without a TNS name of the command
// line, the connection and then the country code; with a local data set
// the country code and the dealer's brands, and a vehicle of a brand the
// dealer holds no contract for is taken out of the settings. True when the
// country-code notice is to be shown: no caller mode, the notice enabled,
// the platform asked and still no country code.
bool RunStartupConfig(CStartupConfig &config, CPrgSettings &settings,
                      CStartupConnection *connection);
