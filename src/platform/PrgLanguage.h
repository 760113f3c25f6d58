#pragma once
// The program languages and the locales they stand for, in one table: the
// locale whose conventions and whose Qt texts (the standard buttons, the
// print and file dialogs) belong to a language code, and the locale names of
// a session file that select a language.

#include <QLocale>
#include <QString>
#include <memory>

class QTranslator;

// The locale of a program language ("00" German: de_DE; "07" US English:
// en_US); the C locale for a code that is no program language.
QLocale PrgSpracheLocale(const QString &code);

// The program language of a session file's locale name ("de-DE" -> "00");
// "01" for any locale not in the table.
QString LocaleToPrgSprache(const QString &locale);

// Qt's own texts in a program language, taken from the translations
// installed beside Qt. One object per program; a later Load replaces the
// language of the one before.
class CQtTranslations
{
public:
    CQtTranslations();
    ~CQtTranslations();
    CQtTranslations(const CQtTranslations &) = delete;
    CQtTranslations &operator=(const CQtTranslations &) = delete;

    // Lets Qt speak the language: installs its translations. False when
    // there are none (Qt then speaks English), which is not worth a message.
    bool Load(const QString &code);
    // The folder the translations are read from; Qt's own unless set.
    void SetFolder(const QString &folder) { m_strFolder = folder; }

private:
    void Remove();

    std::unique_ptr<QTranslator> m_pTranslator;
    QString m_strFolder;
};
