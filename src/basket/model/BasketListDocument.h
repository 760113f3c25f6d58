#pragma once
// The Basket-List document, the answer the program leaves on the clipboard
// for the transfer system: root "Basket-List", the basket's totals, then one
// "Basket" per basket with its type and items. Two forms:
//   - Transfer: what the basket page hands over in the caller modes, one
//     element per line, every price set, a labour position's item as
//     "ClipboardItem";
//   - PackageRequest: the answer to the package request given at start,
//     without line breaks, without totals and without the customer,
//     standard and campaign prices.
//
// Texts are written as XML text (a "<" or "&" in a package text cannot
// break the document). Numbers are written "%f", the price markers too: a
// price that is not set reads -1.000000, as the transfer system expects.
//
// On the clipboard the document lies under the program's own format
// "YAQ_BASKET_DATA" as UTF-16 characters (little-endian) with a closing
// zero character, and nothing else; the answer to the package request is
// offered as plain text as well.

#include "basket/model/BasketList.h"

#include <QString>

#include <memory>

class QMimeData;
class CBasketListWriter;

enum class BasketListForm
{
    Transfer,
    PackageRequest,
};

// What the document says above its baskets.
struct CBasketListHead
{
    double gross = -1.0;
    double net = -1.0;
    QString currency;
    // Caller mode "qvlaposquery": whether the labour position the caller
    // asked about has labour values, and the maker.
    bool withLabourQuery = false;
    int labourValue = 0;
    QString brand; // "LU" names the maker "LUMO", every other code "VOQ"
};

QString WriteBasketList(const CBasketArray &baskets, const CBasketListHead &head,
                        BasketListForm form);

// The same document written basket by basket, for a writer that stops as
// soon as the document grows past what it may hand over: the text written
// so far is all it holds.
class CBasketListStream
{
public:
    CBasketListStream(const CBasketListHead &head, BasketListForm form);
    ~CBasketListStream();
    CBasketListStream(const CBasketListStream &) = delete;
    CBasketListStream &operator=(const CBasketListStream &) = delete;

    void Add(const CBasket &basket);
    // BasketListBlockBytes of the document were it ended now.
    qsizetype EndedBlockBytes() const;
    // The whole document; the stream takes nothing more.
    QString End();

private:
    QString m_out;
    std::unique_ptr<CBasketListWriter> m_writer;
};

// The clipboard format of the transfer system.
extern const QString kBasketListFormat; // "YAQ_BASKET_DATA"

// The bytes of the block under the program's format: two a character and
// two for the closing zero character.
qsizetype BasketListBlockBytes(const QString &document);
// The document as the clipboard takes it: under the format, and for the
// package request's answer as plain text too.
QMimeData *BasketListMimeData(const QString &document, BasketListForm form);
// Replaces the clipboard's content by the document. False when the program
// has no clipboard (no graphical session).
bool PutBasketListOnClipboard(const QString &document, BasketListForm form);
