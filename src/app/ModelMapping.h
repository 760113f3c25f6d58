#pragma once
// Model-name mapping: the catalogue database names models by codes of its
// own; a mapping file in the program folder gives the model designations the
// head row shows instead.
//
// File "<program folder>ModelMapping<language>.txt": one entry per line, the
// code in the first four characters and the model name from the fifth on
// (blanks kept, no separator). Carriage returns are ignored; a line with an
// empty code or name is skipped; for a repeated code the first line counts.

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class CModelMapping
{
public:
    struct Entry
    {
        QString code;
        QString name;
    };

    CModelMapping();
    ~CModelMapping();

    // The folder of the mapping files (ending in "/"); the program folder
    // when never set.
    void SetFolder(const QString &folder) { m_strFolder = folder; }
    // While the catalogue view is on, Load keeps the current mapping.
    void SetCatalogueView(int on) { m_bCatalogueView = on; }
    // The file name for a language.
    QString FileName(const QString &language) const;

    // Replaces the mapping by the file of the language (a missing file
    // leaves the mapping empty).
    void Load(const QString &language);
    // 1 and the name when the first entry with the code has a name; else 0
    // and the name unchanged.
    int GetModelName(QString &name, const QString &code) const;
    // The codes of every entry with that name, in file order; 1 when a
    // mapping is loaded, 0 (list untouched) when none is.
    int GetCodesForModel(QStringList &codes, const QString &name) const;
    int HasCode(const QString &code) const;
    void Clear();

    bool IsLoaded() const { return m_pEntries != nullptr; }
    // Language text: "00" when the user's locale is German, else empty.
    QString m_strLanguage;

private:
    // Null until the first entry is stored.
    std::unique_ptr<QList<Entry>> m_pEntries;
    QString m_strFolder;
    int m_bCatalogueView = 0;
};
