#include "app/ModelMapping.h"

#include "platform/AppPaths.h"
#include "platform/ccd/CCDFile.h"

#include <QFileInfo>
#include <QLocale>
#include <QSet>

CModelMapping::CModelMapping()
{
    if (QLocale::system().language() == QLocale::German)
        m_strLanguage = QStringLiteral("00");
}

CModelMapping::~CModelMapping() = default;

QString CModelMapping::FileName(const QString &language) const
{
    const QString folder = m_strFolder.isEmpty() ? GetAppDirectory() : m_strFolder;
    return JoinPath(folder, QStringLiteral("ModelMapping%1.txt").arg(language));
}

void CModelMapping::Load(const QString &language)
{
    if (m_bCatalogueView)
        return;
    const QString name = FileName(language);
    const bool exists = QFileInfo(name).isFile();
    Clear();
    if (!exists)
        return;

    CCDFile file;
    QString text;
    if (!file.Open(name, 0, 0) || !file.ReadFile(text)) {
        file.Close();
        return;
    }
    file.Close();

    QSet<QString> seen;
    auto takeLine = [&](const QString &line) {
        const QString code = line.left(4);
        const QString model = line.mid(4);
        if (code.isEmpty() || model.isEmpty() || seen.contains(code))
            return;
        seen.insert(code);
        if (!m_pEntries)
            m_pEntries = std::make_unique<QList<Entry>>();
        m_pEntries->append(Entry{code, model});
    };
    QString line;
    line.reserve(113);
    for (const QChar c : std::as_const(text)) {
        if (c == QLatin1Char('\n')) {
            takeLine(line);
            line.clear();
        } else if (c != QLatin1Char('\r')) {
            line.append(c);
        }
    }
    // The last line counts also without a final line feed.
    if (!line.isEmpty())
        takeLine(line);
}

int CModelMapping::GetModelName(QString &name, const QString &code) const
{
    if (!m_pEntries)
        return 0;
    for (const Entry &e : std::as_const(*m_pEntries)) {
        if (e.code == code) {
            if (e.name.isEmpty())
                return 0;
            name = e.name;
            return 1;
        }
    }
    return 0;
}

int CModelMapping::GetCodesForModel(QStringList &codes, const QString &name) const
{
    if (!m_pEntries)
        return 0;
    codes.clear();
    for (const Entry &e : std::as_const(*m_pEntries)) {
        if (e.name == name && !e.code.isEmpty())
            codes.append(e.code);
    }
    return 1;
}

int CModelMapping::HasCode(const QString &code) const
{
    if (!m_pEntries)
        return 0;
    for (const Entry &e : std::as_const(*m_pEntries)) {
        if (e.code == code)
            return 1;
    }
    return 0;
}

void CModelMapping::Clear()
{
    m_pEntries.reset();
}
