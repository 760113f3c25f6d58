#include "settings/DmsHeader.h"

#include "settings/PrgSettings.h"

const QString kDmsNamespaceHost = QStringLiteral("ns.ormel-ag.example");

QString DmsSchemaVersion(const CPrgSettings &settings)
{
    if (!settings.XMLx && !settings.ReceiveXMLx)
        return QStringLiteral("01.00.05");
    return settings.V117 ? QStringLiteral("01.05.00") : QStringLiteral("01.04.01");
}

void UpdateDmsHeader(CPrgSettings *settings)
{
    settings->SchemaVersion = DmsSchemaVersion(*settings);
    settings->NamespaceAttributes =
        QStringLiteral(
            " xmlns=\"http://%1/SRP\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
            "refSchema=\"serviceRepairPackages.xsd\" version=\"%2\">")
            .arg(kDmsNamespaceHost, settings->SchemaVersion);
}
