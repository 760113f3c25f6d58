#include "platform/OrmelText.h"

#include "platform/StringUtil.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>

namespace {

struct TextStore
{
    QString folder;
    QString language = QStringLiteral("00");
    QHash<QString, QHash<int, QString>> tables; // language code -> id -> text
};

TextStore &store()
{
    static TextStore s;
    return s;
}

QHash<int, QString> loadTable(const QString &path)
{
    QHash<int, QString> table;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return table;
    const QString content = QString::fromUtf8(file.readAll());
    const QStringList lines = content.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int tab = line.indexOf(QLatin1Char('\t'));
        if (tab <= 0)
            continue;
        bool ok = false;
        const int id = line.left(tab).trimmed().toInt(&ok);
        if (!ok)
            continue;
        table.insert(id, UnescapeFieldText(line.mid(tab + 1)));
    }
    return table;
}

} // namespace

void InitOrmelText(const QString &folder)
{
    TextStore &s = store();
    s.folder = folder;
    s.tables.clear();
    const QDir dir(folder);
    static const QRegularExpression namePattern(QStringLiteral("^PrgTxt(\\d\\d)\\.txt$"));
    const QStringList files = dir.entryList({QStringLiteral("PrgTxt*.txt")}, QDir::Files);
    for (const QString &name : files) {
        const auto match = namePattern.match(name);
        if (match.hasMatch())
            s.tables.insert(match.captured(1), loadTable(dir.filePath(name)));
    }
}

QString OrmelText(int id)
{
    const TextStore &s = store();
    const auto lang = s.tables.constFind(GetPrgTextSprache());
    if (lang != s.tables.constEnd()) {
        const auto it = lang->constFind(id);
        if (it != lang->constEnd())
            return *it;
    }
    const auto german = s.tables.constFind(QStringLiteral("00"));
    if (german != s.tables.constEnd())
        return german->value(id);
    return QString();
}

QString OrmelTextArgs(int id, const QStringList &args, const QString &fallback)
{
    QString text = OrmelText(id);
    if (text.isEmpty())
        text = fallback;
    // Filled from left to right, so a placeholder inside an argument stays.
    qsizetype from = 0;
    for (const QString &arg : args) {
        const qsizetype at = text.indexOf(QLatin1String("%s"), from);
        if (at < 0)
            break;
        text.replace(at, 2, arg);
        from = at + arg.size();
    }
    return text;
}

QString GetPrgSprache()
{
    return store().language;
}

void SetPrgSprache(const QString &code)
{
    store().language = code;
}

QString GetPrgTextSprache()
{
    const TextStore &s = store();
    if (s.tables.contains(s.language))
        return s.language;
    return QStringLiteral("00");
}

QString GetSprachKey()
{
    return QStringLiteral("00");
}

int GetPrgCodePage(const QString &language)
{
    static const QHash<QString, int> pages = {
        {QStringLiteral("18"), 1253}, // Greek
        {QStringLiteral("19"), 1254}, // Turkish
        {QStringLiteral("27"), 1251}, // Bulgarian
        {QStringLiteral("16"), 1251}, // Russian
        {QStringLiteral("45"), 1250}, // Romanian
        {QStringLiteral("72"), 1250}, {QStringLiteral("75"), 1250},
        {QStringLiteral("76"), 1250}, // Slovenian
        {QStringLiteral("77"), 1250}, // Czech
        {QStringLiteral("78"), 1250}, // Hungarian
        {QStringLiteral("17"), 1250}, // Polish
        {QStringLiteral("11"), 874},  // Thai
        {QStringLiteral("08"), 932},  // Japanese
        {QStringLiteral("12"), 950},  // Taiwanese
        {QStringLiteral("13"), 936},  // Chinese
        {QStringLiteral("14"), 949},  // Korean
    };
    return pages.value(language, 1252);
}

QString CodePageName(int codePage)
{
    switch (codePage) {
    case 874:
        return QStringLiteral("CP874");
    case 932:
        return QStringLiteral("CP932"); // Windows-31J: Shift-JIS with the Windows extensions
    case 936:
        return QStringLiteral("GBK");
    case 949:
        return QStringLiteral("CP949");
    case 950:
        return QStringLiteral("BIG5");
    case 65001:
        return QStringLiteral("UTF-8");
    default:
        return QStringLiteral("CP%1").arg(codePage);
    }
}
