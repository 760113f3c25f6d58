#pragma once
// The package request of the transfer system: started in caller mode
// "qvlawtosrp" with a list of package numbers ("-a", separated by ";"), the
// program assembles each service package from the catalogue for the
// identified vehicle and leaves the packages on the clipboard as a
// Basket-List, one basket per number in the order asked, without showing a
// window or a message.
//
// A number that yields no package (not 7 characters, unknown, not valid
// for the vehicle, no head texts, the alternative catalogue active) keeps
// its place as an empty basket of type 0, so the caller can match the
// baskets to its numbers. A package that cannot be assembled because a
// catalogue connection cannot be opened makes the whole answer an error
// code, as an unusable request does: "ERROR" followed by the code.

#include "basket/model/WKListItem.h"
#include "packages/model/Paket.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CBasketListStream;
class CPrgSettings;
class CYaqDb;

class CPaketAnfrage
{
public:
    // Result codes: 0 the answer is the Basket-List; the others replace it
    // by "ERROR%.2i".
    enum
    {
        kDone = 0,
        kNoLanguage = -1,
        kBadVin = -5,
        kNoVin = -6,
        kNoConnection = -7,
        kNoNumbers = -10,
        kTooManyNumbers = -12,
        kAnswerTooLarge = -13,
    };

    // The numbers one request may name. The caller asks for packages of
    // one vehicle: its whole package list fits many times over.
    static constexpr int kMaxNumbers = 1000;
    // The largest answer the clipboard hands over whole (the bytes of its
    // UTF-16 block). The program ends right after the request, and from
    // then on another process serves the answer: the program's clipboard
    // holder, or a desktop clipboard manager, which takes some 16 MB at
    // most and drops a larger block silently, so the caller would find
    // nothing or only the plain-text copy. A larger answer is replaced by
    // kAnswerTooLarge, which the caller can read, as soon as the packages
    // assembled so far make it larger: the rest is not assembled.
    static constexpr qsizetype kMaxAnswerBytes = 8 * 1024 * 1024;

    // callerVin: the VIN as the caller sent it, judged by the request
    // itself (the settings hold the vehicle the identification found, if
    // any). first: the package lines and the labour values; second: the
    // validity of the positions and the texts; open: a further connection
    // with the program's parameters for the lines of one package (null when
    // it cannot be opened). All borrowed; a missing connection finds
    // nothing.
    CPaketAnfrage(CPrgSettings *settings, const QString &callerVin, CYaqDb *first, CYaqDb *second,
                  std::function<std::unique_ptr<CYaqDb>()> open, const QString &numbers);

    // The numbers of the "-a" value: every piece between ";" that has 7
    // characters, any other piece as an empty number; a trailing ";" adds
    // nothing.
    static QStringList SplitNumbers(const QString &value);
    // How many numbers SplitNumbers finds, without splitting.
    static qsizetype CountNumbers(const QString &value);

    // The program could not open the catalogue at its start, or a read of
    // it failed before the request (the identification): a request the
    // vehicle and the numbers would allow is answered with kNoConnection,
    // as is one during which a read of the catalogue fails.
    void SetCatalogueUnavailable() { m_bCatalogueUnavailable = true; }

    // Assembles the answer and leaves it on the clipboard.
    void Run();
    // The answer alone (Run without the clipboard).
    QString BuildAnswer();

    int ResultCode() const { return m_nResult; }
    const QStringList &Numbers() const { return m_numbers; }
    // The numbers gone through: all of them, or up to the one whose package
    // made the answer too large or could not be assembled.
    qsizetype NumbersGoneThrough() const { return m_nGoneThrough; }

private:
    // The Basket-List of the numbers; empty when the result code is no
    // longer kDone.
    QString ProcessNumbers();
    // Writes the entry's baskets into the answer.
    void Answer(CBasketListStream &document, const CWKListItem &entry);
    void AppendEmpty(CBasketListStream &document);
    // The package row of the number valid for the vehicle; false when none.
    bool FindPackage(const QString &number);
    void AddMainGroupLine(const QString &number);
    CPosition *AddPackageHead(const QString &number);
    bool ReadPositionTexts(CPosition &line) const;
    // The failed operations of the two connections; whether one failed
    // since the request began.
    int Failures() const;
    bool CatalogueFailed() const;

    CPrgSettings *m_pSettings;
    QString m_strCallerVin;
    CYaqDb *m_pFirst;
    CYaqDb *m_pSecond;
    std::function<std::unique_ptr<CYaqDb>()> m_open;
    int m_nResult = kDone;
    qsizetype m_nGoneThrough = 0;
    bool m_bCatalogueUnavailable = false;
    int m_nFailuresAtStart = 0;
    bool m_bTooManyNumbers;
    QStringList m_numbers;
    QString m_strPackageId;
    QString m_strPackageKind;
    QString m_strLineNumber;
    QString m_strProductionDate;
    CPaket m_paket;
};
