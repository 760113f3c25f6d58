#include "platform/PrgLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QStringList>
#include <QTranslator>

namespace {

struct LanguageRow
{
    const char *code;           // the program language
    const char *locale;         // its locale
    const char *sessionLocales; // the session file's names for it, blank-separated
};

// Session files name only the languages of the application server's portal;
// its US English selects the program's English.
const LanguageRow kLanguages[] = {
    {"00", "de_DE", "de-DE"}, {"01", "en_GB", "en-GB en-US"},
    {"02", "fr_FR", "fr-FR"}, {"03", "es_ES", "es-ES"},
    {"04", "it_IT", "it-IT"}, {"05", "sv_SE", "sv-SE"},
    {"06", "nl_NL", "nl-NL"}, {"07", "en_US", ""},
    {"08", "ja_JP", "ja-JP"}, {"11", "th_TH", ""},
    {"12", "zh_TW", "zh-TW"}, {"13", "zh_CN", "zh-CN"},
    {"14", "ko_KR", ""},      {"15", "id_ID", ""},
    {"16", "ru_RU", "ru-RU"}, {"17", "pl_PL", ""},
    {"18", "el_GR", "el-GR"}, {"19", "tr_TR", ""},
    {"21", "pt_PT", "pt-PT"}, {"22", "fi_FI", ""},
    {"23", "da_DK", ""},      {"27", "bg_BG", ""},
    {"45", "ro_RO", ""},      {"72", "hr_HR", ""},
    {"75", "sk_SK", ""},      {"76", "sl_SI", ""},
    {"77", "cs_CZ", ""},      {"78", "hu_HU", ""},
};

const LanguageRow *FindLanguage(const QString &code)
{
    for (const LanguageRow &row : kLanguages) {
        if (code == QLatin1String(row.code))
            return &row;
    }
    return nullptr;
}

} // namespace

QLocale PrgSpracheLocale(const QString &code)
{
    const LanguageRow *row = FindLanguage(code);
    return row ? QLocale(QString::fromLatin1(row->locale)) : QLocale::c();
}

QString LocaleToPrgSprache(const QString &locale)
{
    for (const LanguageRow &row : kLanguages) {
        const QStringList names =
            QString::fromLatin1(row.sessionLocales).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (names.contains(locale, Qt::CaseSensitive))
            return QString::fromLatin1(row.code);
    }
    return QStringLiteral("01");
}

CQtTranslations::CQtTranslations() = default;

CQtTranslations::~CQtTranslations()
{
    Remove();
}

void CQtTranslations::Remove()
{
    if (!m_pTranslator)
        return;
    QCoreApplication::removeTranslator(m_pTranslator.get());
    m_pTranslator.reset();
}

bool CQtTranslations::Load(const QString &code)
{
    // The texts of the language before go in any case: a language without
    // translations speaks Qt's English, not the previous language.
    Remove();
    if (!FindLanguage(code))
        return false;
    // Qt's own texts are English.
    if (PrgSpracheLocale(code).language() == QLocale::English)
        return true;
    const QString folder =
        m_strFolder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : m_strFolder;
    auto translator = std::make_unique<QTranslator>();
    // "qt_<locale>.qm" gathers the translations of every Qt module.
    if (!translator->load(PrgSpracheLocale(code), QStringLiteral("qt"), QStringLiteral("_"),
                          folder))
        return false;
    if (!QCoreApplication::installTranslator(translator.get()))
        return false;
    m_pTranslator = std::move(translator);
    return true;
}
