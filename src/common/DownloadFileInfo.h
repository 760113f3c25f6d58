#pragma once
// Records of the download page: a model series of the download selection and
// the descriptor of one export file.

#include <QString>
#include <QVector>

class CEReiheKat
{
public:
    CEReiheKat() = default;
    virtual ~CEReiheKat() = default;

    QString m_strEReihe;
    QString m_strText;
    int m_nAuswahl = 0;
};

class CDownloadFileInfo
{
public:
    CDownloadFileInfo() = default;

    QString m_strName;
    // Date of the file (1 January 1970 until the download run sets it) and a
    // fourth value, 1.
    int m_nTag = 1;
    int m_nMonat = 1;
    int m_nJahr = 1970;
    int m_nFlag = 1;
    // Set by the download run.
    int m_nStatus = 0;
    int m_nAnzahl = 0;
    // The first two are read by the export run; the last two take a download
    // language's code and name.
    QString m_strQuelle;
    QString m_strZiel;
    QString m_strSprachCode;
    QString m_strSprachName;
    int m_nReserve = 0;
    int m_nWert1 = 0;
    int m_nWert2 = 0;
    int m_nWert3 = 0;
    int m_nWert4 = 0;
    int m_nWert5 = 0;
    QVector<CEReiheKat> m_EReihen; // model series
};
