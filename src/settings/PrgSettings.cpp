#include "settings/PrgSettings.h"

#include "platform/OrmelText.h"

#include <QApplication>
#include <QDialog>

const QString kDefaultEReihe = QStringLiteral("V30");
const QString kDefaultBestellnr = QStringLiteral("VQ30110");

// Object name of the main window, so that settings code can close it
// without knowing its class.
static const char *const kMainWindowName = "YAQ2MainWindow";

CPrgSettings::CPrgSettings()
{
    static const struct
    {
        int id;
        const char *code;
        int bitmap;
    } languages[] = {
        {1000, "00", 200}, {1001, "01", 212}, {1002, "02", 199}, {1003, "03", 209},
        {1004, "04", 203}, {1005, "05", 210}, {1006, "06", 206}, {1022, "22", 198},
        {1023, "23", 241}, {1072, "72", 281}, {1007, "07", 213}, {1018, "18", 201},
        {1019, "19", 197}, {1021, "21", 207}, {1027, "27", 265}, {1045, "45", 272},
        {1075, "75", 283}, {1077, "77", 243}, {1078, "78", 280}, {1017, "17", 259},
        {1011, "11", 211}, {1016, "16", 208}, {1076, "76", 262}, {1008, "08", 204},
        {1012, "12", 215}, {1013, "13", 214}, {1014, "14", 205}, {1015, "15", 202},
    };
    for (const auto &l : languages)
        SprachListe.append(CSprachEintrag{l.id, QString::fromLatin1(l.code), l.bitmap});
}

CPrgSettings::CPrgSettings(const CPrgSettings &other) : CPrgSettingsData()
{
    SprachListe.clear();
    *this = other;
}

CPrgSettings &CPrgSettings::operator=(const CPrgSettings &other)
{
    if (this == &other)
        return *this;
    // The fields the copy rule leaves alone keep their values in this object.
    const QString fullVin = FgstnrFull;
    const QList<CHLXVertragInfo> contracts = HLXVertragList;
    const QString key1 = HLXListKey1;
    const QString key2 = HLXListKey2;
    const QStringList dealers = DealerList;
    const QString firmaT = FirmaT, strasseT = StrasseT, cityT = CityT, city2T = City2T;
    const QString city2 = City2;
    const QString localFolder = LocalFolder;
    const QStringList printTexts = PrintTexts;
    const QString ns = NamespaceAttributes;
    const QString schema = SchemaVersion;

    // The language list holds values, so this assignment gives the copy its
    // own entries.
    static_cast<CPrgSettingsData &>(*this) = other;

    FgstnrFull = fullVin;
    HLXVertragList = contracts;
    HLXListKey1 = key1;
    HLXListKey2 = key2;
    DealerList = dealers;
    FirmaT = firmaT;
    StrasseT = strasseT;
    CityT = cityT;
    City2T = city2T;
    City2 = city2;
    LocalFolder = localFolder;
    PrintTexts = printTexts;
    NamespaceAttributes = ns;
    SchemaVersion = schema;
    return *this;
}

int CPrgSettings::FindSprache(const QString &code) const
{
    for (const CSprachEintrag &entry : SprachListe) {
        if (entry.strCode == code)
            return 1;
    }
    return 0;
}

QColor CPrgSettings::GetBkColor() const
{
    if (CitrixColor > 0)
        return QColor(255, 255, 255);
    return QColor(166, 202, 240);
}

QString CPrgSettings::ProductionDate() const
{
    if (Erstzulassung.size() != 10)
        return QString();
    return Erstzulassung.mid(6, 4) + Erstzulassung.mid(3, 2) + Erstzulassung.left(2);
}

void CPrgSettings::GetTitle()
{
    PrgTitel = QStringLiteral("Y A Q 2 ");
    const QString aw = OrmelText(3009);
    QString series = EReihe;
    while (series.endsWith(QLatin1Char(' ')))
        series.chop(1);

    if (series.isEmpty()) {
        // Without a model series the caption is "<AW>  <rest>": replace the
        // leading word instead of putting a second one in front.
        const int gap = DlgTitel.indexOf(QStringLiteral("  "));
        const QString rest = gap >= 0 ? DlgTitel.mid(gap + 2) : DlgTitel;
        DlgTitel = aw + QStringLiteral("  ") + rest;
        return;
    }
    const int pos = DlgTitel.indexOf(series);
    if (pos >= 0)
        DlgTitel = aw + QStringLiteral("  ") + DlgTitel.mid(pos);
    else
        DlgTitel = aw + DlgTitel.mid(2);
}

void CPrgSettings::CloseMainWnd()
{
    const auto widgets = QApplication::topLevelWidgets();
    for (QWidget *widget : widgets) {
        if (widget->objectName() == QLatin1String(kMainWindowName)) {
            if (auto *dialog = qobject_cast<QDialog *>(widget))
                dialog->accept();
            return;
        }
    }
}
