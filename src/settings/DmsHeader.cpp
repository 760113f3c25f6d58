#include "settings/DmsHeader.h"

#include "settings/PrgSettings.h"

const QString kDmsRefSchema = QStringLiteral("serviceRepairPackages.xsd");

QString DmsNamespaceUri()
{
    return QStringLiteral("http://") + QLatin1String(kDmsNamespaceHost) + QStringLiteral("/SRP");
}

QString DmsSoapAction(const QString &method)
{
    return DmsNamespaceUri() + QStringLiteral("/action/YAQ.") + method;
}

QString DmsSchemaVersion(const CPrgSettings &settings)
{
    if (!settings.XMLx && !settings.ReceiveXMLx)
        return QStringLiteral("01.00.05");
    return settings.V117 ? QStringLiteral("01.05.00") : QStringLiteral("01.04.01");
}

QString DmsHeaderVersion(const CPrgSettings &settings)
{
    return settings.SchemaVersion.isEmpty() ? DmsSchemaVersion(settings) : settings.SchemaVersion;
}

QString DmsNamespaceAttributes(const QString &version)
{
    return QStringLiteral(" xmlns=\"%1\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                          "refSchema=\"%2\" version=\"%3\">")
        .arg(DmsNamespaceUri(), kDmsRefSchema, version);
}

void UpdateDmsHeader(CPrgSettings *settings)
{
    settings->SchemaVersion = DmsSchemaVersion(*settings);
    settings->NamespaceAttributes = DmsNamespaceAttributes(settings->SchemaVersion);
}

bool CheckDmsHeader(const CPrgSettings &settings, const QString &refSchema, const QString &version)
{
    return refSchema.compare(kDmsRefSchema, Qt::CaseInsensitive) == 0 &&
           version.compare(DmsHeaderVersion(settings), Qt::CaseInsensitive) == 0;
}
