#pragma once
// The command line of the program.
//
// Other programs (among them the maker's transfer system with its caller
// modes) start the program with a vehicle, a language, a start page, a caller
// mode and its data, database connection values or a session file.
//
// Positional parameters come first: VIN (or a session file "*.YAQCFG" /
// "*.YAQ2CFG"), program language, start page. Switches ("-TNS name") take the
// next parameter as their value, whatever it begins with ("-w /dealer",
// "-w -1"), unless it is one of the program's own switches ("-k -f DATE":
// "-f" is the switch, "-k" stays without a value); a switch value counts
// among the positional parameters, so "-m qvl VIN" puts the VIN into the
// language field.

#include "platform/PrgLanguage.h" // LocaleToPrgSprache, the session file's language

#include <QString>
#include <QStringList>

class CCmdLine
{
public:
    CCmdLine() = default;
    CCmdLine(const CCmdLine &) = delete;
    CCmdLine &operator=(const CCmdLine &) = delete;

    // Feeds one parameter (without its "-" or "/" when it is a switch).
    void ParseParam(const QString &param, bool isSwitch, bool isLast);
    // Feeds the program's arguments (without the program name). One of the
    // program's switches, "-" or "/" and its name, is that switch wherever
    // it stands. Any other parameter after a switch that takes a value is
    // that value as given. Elsewhere a parameter starting with "-" is a
    // switch (an unknown one takes no value); one starting with "/" is a
    // switch only when it holds no further "/", so absolute file paths stay
    // plain.
    void ParseArguments(const QStringList &arguments);
    // Whether a switch that takes a value waits for it (the last parameter
    // fed was such a switch).
    bool ValuePending() const { return m_pPending != nullptr; }

    QString m_strTNS;
    QString m_strUID;
    QString m_strPWD;
    QString m_strCC;
    QString m_strFgstnr;  // VIN
    QString m_strSprache; // program language
    QString m_strStartPage;
    QString m_strMode; // caller mode, lower-cased
    QString m_strX;
    QString m_strY;
    int m_nX = -1;
    int m_nY = -1;
    QString m_strPaketNr;       // package number ("p")
    QString m_strKilometer;     // mileage ("k")
    QString m_strAPNr;          // AP number or list ("a")
    QString m_strSetting;       // setting name ("s")
    QString m_strValue;         // setting value ("w")
    QString m_strErstzulassung; // first registration "YYYY-MM-DD" ("f")
    int m_nParamCount = 0;
    QString m_strSessionFile;
    // The first switch, as written, that takes a value but got none: it
    // ended the command line, or one of the program's switches followed it
    // ("-s -w 0"); its field stays empty. Empty when every switch got its
    // value.
    QString m_strSwitchWithoutValue;

private:
    QString *m_pPending = nullptr;
};

// The first registration of the switch "f": a real calendar date written
// YYYY-MM-DD gives "DD.MM.YYYY"; anything else gives an empty text.
QString FirstRegistrationFromSwitch(const QString &value);

// The values of a session file (root "OSSParameters").
struct COssParameters
{
    QString sessionId;
    QString applicationServer;
    QString applicationServerAddress;
    QString language; // program language from the locale
    bool hasSessionId = false;
    bool hasApplicationServer = false;
    bool hasApplicationServerAddress = false;
    bool hasLanguage = false;
};

// Reads a session file: every line trimmed and joined, then parsed as XML.
// Returns false when the file cannot be read or parsed; the values found are
// marked in the result. A session file that is no regular file (a pipe, a
// device) is refused at once, with the reason in *unreadable.
bool ReadOssParametersFile(const QString &path, COssParameters *result,
                           QString *unreadable = nullptr);
