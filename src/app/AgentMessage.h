#pragma once
// The messages of the dealer platform's agent service and of its broker:
// the request envelope of one method and the reading of the answer. The
// answers come from the dealer's network, so they are read within the XML
// limits (no document type, bounded size and depth) and matched by the
// local names of their elements, whatever prefixes the service gives them.
// Nothing here sends or shows anything.

#include <QDomDocument>
#include <QList>
#include <QString>
#include <QStringList>

// One parameter of an agent request.
struct CAgentParam
{
    QString name;
    QString value;
};

// One contract of the dealer's outlet as the platform lists it.
struct CDealerContract
{
    QString brand;
    QString product;
};

// The request in its SOAP envelope. The agent service takes the method in
// the namespace (prefix "v1") with its parameters as children; the broker
// takes the method with the schema reference of its server data and no
// parameters.
QString WriteAgentRequest(bool broker, const QString &agentNamespace, const QString &method,
                          const QList<CAgentParam> &params);

class CAgentAnswer
{
public:
    // Takes the answer text. False for anything that is not an answer: not
    // XML within the limits, or a SOAP Fault.
    bool Load(const QString &xml);

    // Whether an element of that local name is anywhere in the answer.
    bool Has(const QString &localName) const;
    // The text of the first element of that local name anywhere in the
    // answer; empty when there is none. Blanks around it are kept only
    // when keepBlanks is set (a password is taken as it came).
    QString Text(const QString &localName, bool keepBlanks = false) const;
    // The text as a number; 0 when it is missing, empty or not a number.
    int Number(const QString &localName) const;

    // The contracts of the dealer's outlet: the "contract" elements under
    // "getDealerDataBeanReturn/distributionPartner/outlet" (agent) or
    // "nevaDealerData/outlet" (broker), each read with its own brand and
    // product, so that a contract without one never shifts the others.
    QList<CDealerContract> Contracts(bool broker) const;
    // Whether the answer holds the dealer data at all.
    bool HasDealerData(bool broker) const;

private:
    QDomDocument m_doc;
};

// The brands (lower-cased, each once, in the order of the contracts) of
// the contracts whose product is a vehicle: "vehicle" at the agent, "car"
// at the broker, without regard to case.
QStringList VehicleBrands(const QList<CDealerContract> &contracts, bool broker);
