#include "basket/model/BasketListDocument.h"

#include "platform/ClipboardHolder.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QStringEncoder>
#include <QXmlStreamWriter>

#include <initializer_list>
#include <utility>

const QString kBasketListFormat = QStringLiteral("YAQ_BASKET_DATA");

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

QString Number(int value)
{
    return QString::number(value);
}

// "%f" of every number, the markers included: the transfer system reads a
// price that is not set as -1.000000, never as an empty element it might
// take for a price of 0.
QString Amount(double value)
{
    return QString::asprintf("%f", value);
}

using Value = QString (*)(const CPackageCBItem &);

// One element of an item: its name, its value, the item types it is
// written for (none: every type) and the item types it is written for in
// the package request's answer (none listed with inRequest: as above).
struct Element
{
    const char *name;
    Value value;
    std::initializer_list<int> types;
    bool inRequest;
    std::initializer_list<int> requestTypes;
};

#define TEXT(field) [](const CPackageCBItem &i) { return i.field; }
#define INT(field) [](const CPackageCBItem &i) { return Number(i.field); }
#define AMOUNT(field) [](const CPackageCBItem &i) { return Amount(i.field); }

// The heads 9, 18, 19, 20 as item types; 10 a campaign line, 11 a
// campaign package line, 3 a work line, 4 a part, 17 a spot-repair head.
// clang-format off
const Element kElements[] = {
    {"PackageTyp",              INT(PackageTyp),              {}, true, {}},
    {"Number",                  TEXT(Number),                 {}, true, {}},
    {"AwPosRef",                TEXT(AwPosRef),               {}, true, {}},
    {"AwText1",                 TEXT(AwText1),                {}, true, {}},
    {"AwText2",                 TEXT(AwText2),                {}, true, {}},
    {"AwText3",                 TEXT(AwText3),                {}, true, {}},
    {"AwText4",                 TEXT(AwText4),                {}, true, {}},
    {"KlammerText1",            TEXT(KlammerText1),           {}, true, {}},
    {"KlammerText2",            TEXT(KlammerText2),           {}, true, {}},
    {"KlammerText3",            TEXT(KlammerText3),           {}, true, {}},
    {"KlammerText4",            TEXT(KlammerText4),           {}, true, {}},
    {"TeileText",               TEXT(TeileText),              {}, true, {}},
    {"AuftragsArt",             TEXT(AuftragsArt),            {}, true, {}},
    {"BefundText",              TEXT(BefundText),             {}, true, {}},
    {"Lackstufe",               TEXT(Lackstufe),              {}, true, {}},
    {"R",                       TEXT(R),                      {}, true, {}},
    {"U",                       TEXT(U),                      {}, true, {}},
    {"M",                       TEXT(M),                      {}, true, {}},
    {"Flaeche",                 TEXT(Flaeche),                {}, true, {}},
    {"Az",                      TEXT(Az),                     {}, true, {}},
    {"Art",                     TEXT(Art),                    {}, true, {}},
    {"TeileBestand",            AMOUNT(TeileBestand),         {}, true, {}},
    {"TeileBestandFilled",      INT(TeileBestandFilled),      {}, true, {}},
    {"PosLfdNr",                TEXT(PosLfdNr),               {}, true, {}},
    {"PosLfdNrRef",             TEXT(PosLfdNrRef),            {}, true, {}},
    {"VonBaustand",             TEXT(VonBaustand),            {}, true, {}},
    {"BisBaustand",             TEXT(BisBaustand),            {}, true, {}},
    {"PlusKennung",             INT(PlusKennung),             {}, true, {}},
    {"TeileClearing",           INT(TeileClearing),           {}, true, {}},
    {"Kampagnen",               INT(Kampagnen),               {2, 14, 18, 20}, true, {}},
    {"KampagnenName",           TEXT(KampagnenName),          {10}, true, {}},
    {"KampagnenCommercialText", TEXT(KampagnenCommercialText), {10}, false, {}},
    {"KampagnenNo",             TEXT(KampagnenNo),            {10}, true, {}},
    {"Kampagnenpreistyp",       TEXT(Kampagnenpreistyp),      {10}, false, {}},
    {"KampagnenPaketName",      TEXT(KampagnenPaketName),     {11}, true, {}},
    {"KampagnenPaketNo",        TEXT(KampagnenPaketNo),       {11}, true, {}},
    {"KampagnenRabatt",         TEXT(KampagnenRabatt),        {11}, true, {}},
    {"KampagnenRabattDouble",   AMOUNT(KampagnenRabattDouble), {3, 4, 11}, false, {}},
    {"ValueLine",               INT(ValueLine),               {2, 11}, false, {}},
    {"FastLane",                INT(FastLane),                {2, 11, 14, 17, 18, 20}, true, {11}},
    {"ZeilenNr",                TEXT(ZeilenNr),               {}, true, {}},
    {"Menge",                   TEXT(Menge),                  {}, true, {}},
    {"Auswahl",                 INT(Auswahl),                 {}, true, {}},
    {"PreisBrutto",             AMOUNT(PreisBrutto),          {}, true, {}},
    {"PreisNetto",              AMOUNT(PreisNetto),           {}, true, {}},
    {"Mwst",                    AMOUNT(Mwst),                 {}, true, {}},
    {"TotalPreisBrutto",        AMOUNT(TotalPreisBrutto),     {}, true, {}},
    {"TotalPreisNetto",         AMOUNT(TotalPreisNetto),      {}, true, {}},
    {"Pauschalkennung",         INT(Pauschalkennung),         {}, true, {}},
    {"WaehrungsKZ",             TEXT(WaehrungsKZ),            {}, true, {}},
    {"KundenPreisBrutto",       AMOUNT(KundenPreisBrutto),    {}, false, {}},
    {"KundenPreisNetto",        AMOUNT(KundenPreisNetto),     {}, false, {}},
    {"KundenPreisMwst",         AMOUNT(KundenPreisMwst),      {}, false, {}},
    {"KundenTotalPreisBrutto",  AMOUNT(KundenTotalPreisBrutto), {}, false, {}},
    {"KundenTotalPreisNetto",   AMOUNT(KundenTotalPreisNetto), {}, false, {}},
    {"KundenPreisPauschalkennung", INT(KundenPreisPauschalkennung), {}, false, {}},
    {"KundenPreisWaehrungsKZ",  TEXT(KundenPreisWaehrungsKZ), {}, false, {}},
    {"StandardPreisBrutto",     AMOUNT(StandardPreisBrutto),  {}, false, {}},
    {"StandardPreisNetto",      AMOUNT(StandardPreisNetto),   {}, false, {}},
    {"StandardMwst",            AMOUNT(StandardMwst),         {}, false, {}},
    {"StandardTotalPreisBrutto", AMOUNT(StandardTotalPreisBrutto), {}, false, {}},
    {"StandardTotalPreisNetto", AMOUNT(StandardTotalPreisNetto), {}, false, {}},
    {"StandardPauschalkennung", INT(StandardPauschalkennung), {}, false, {}},
    {"StandardWaehrungsKZ",     TEXT(StandardWaehrungsKZ),    {}, false, {}},
    {"KampagnenPreisBrutto",    AMOUNT(KampagnenPreisBrutto), {}, false, {}},
    {"KampagnenPreisNetto",     AMOUNT(KampagnenPreisNetto),  {}, false, {}},
    {"KampagnenMwst",           AMOUNT(KampagnenMwst),        {}, false, {}},
    {"KampagnenTotalPreisBrutto", AMOUNT(KampagnenTotalPreisBrutto), {}, false, {}},
    {"KampagnenTotalPreisNetto", AMOUNT(KampagnenTotalPreisNetto), {}, false, {}},
    {"KampagnenPauschalkennung", INT(KampagnenPauschalkennung), {}, false, {}},
    {"KampagnenWaehrungsKZ",    TEXT(KampagnenWaehrungsKZ),   {}, false, {}},
    {"ErsetztDurchNummer",      TEXT(ErsetztDurchNummer),     {}, true, {}},
    {"ErsetztDurchText",        TEXT(ErsetztDurchText),       {}, true, {}},
    {"ErsetztDurchBeschr",      TEXT(ErsetztDurchBeschr),     {}, true, {}},
    {"Text",                    TEXT(Text),                   {}, true, {}},
    {"HG",                      TEXT(HG),                     {}, true, {}},
    {"PaketID",                 TEXT(PaketID),                {}, true, {}},
    {"PaketArt",                TEXT(PaketArt),               {}, true, {}},
    {"HGText",                  TEXT(HGText),                 {}, true, {}},
};
// clang-format on

#undef TEXT
#undef INT
#undef AMOUNT

bool Holds(std::initializer_list<int> types, int type)
{
    if (types.size() == 0)
        return true;
    for (int t : types) {
        if (t == type)
            return true;
    }
    return false;
}

} // namespace

class CBasketListWriter
{
public:
    CBasketListWriter(QString *out, BasketListForm form)
        : m_xml(out), m_request(form == BasketListForm::PackageRequest)
    {
    }

    void Begin(const CBasketListHead &head)
    {
        m_xml.writeStartElement(QStringLiteral("Basket-List"));
        Break();
        // The package request answers prices it never looked up: its totals
        // are not set.
        WriteElement(QStringLiteral("TotalPreisBrutto"), Amount(m_request ? -1.0 : head.gross));
        WriteElement(QStringLiteral("TotalPreisNetto"), Amount(m_request ? -1.0 : head.net));
        WriteElement(QStringLiteral("WaehrungsKZ"), m_request ? QString() : head.currency);
        if (!m_request && head.withLabourQuery) {
            WriteElement(QStringLiteral("AW"), Number(head.labourValue));
            WriteElement(QStringLiteral("Hersteller"), head.brand == QLatin1String("LU")
                                                           ? QStringLiteral("LUMO")
                                                           : QStringLiteral("VOQ"));
        }
    }

    void Basket(const CBasket &basket)
    {
        Break();
        m_xml.writeStartElement(QStringLiteral("Basket"));
        Break();
        WriteElement(QStringLiteral("BasketTyp"), Number(basket.BasketTyp));
        Break();
        for (const CPackageCBItem &item : basket.Items) {
            m_xml.writeStartElement(QStringLiteral("PackageItem"));
            Break();
            Item(item);
            m_xml.writeEndElement();
            Break();
        }
        if (!m_request && basket.BasketTyp == 2) {
            m_xml.writeStartElement(QStringLiteral("ClipboardItem"));
            Item(basket.HeadItem);
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
        Break();
    }

    void End()
    {
        Break();
        m_xml.writeEndElement();
    }

    // What End writes: the head's elements have closed the root's start
    // tag, so its end tag follows whole.
    qsizetype EndLength() const
    {
        return (m_request ? 0 : kLineBreak.size()) + QStringLiteral("</Basket-List>").size();
    }

private:
    void Break()
    {
        if (!m_request)
            m_xml.writeCharacters(kLineBreak);
    }

    void WriteElement(const QString &name, const QString &value)
    {
        m_xml.writeTextElement(name, value);
        Break();
    }

    void Item(const CPackageCBItem &item)
    {
        for (const Element &e : kElements) {
            if (m_request ? !e.inRequest || !Holds(e.requestTypes.size() ? e.requestTypes : e.types,
                                                   item.PackageTyp)
                          : !Holds(e.types, item.PackageTyp))
                continue;
            WriteElement(QLatin1String(e.name), e.value(item));
        }
    }

    QXmlStreamWriter m_xml;
    const bool m_request;
};

QString WriteBasketList(const CBasketArray &baskets, const CBasketListHead &head,
                        BasketListForm form)
{
    CBasketListStream document(head, form);
    for (const CBasket &basket : baskets)
        document.Add(basket);
    return document.End();
}

CBasketListStream::CBasketListStream(const CBasketListHead &head, BasketListForm form)
    : m_writer(std::make_unique<CBasketListWriter>(&m_out, form))
{
    m_writer->Begin(head);
}

CBasketListStream::~CBasketListStream() = default;

void CBasketListStream::Add(const CBasket &basket)
{
    m_writer->Basket(basket);
}

qsizetype CBasketListStream::EndedBlockBytes() const
{
    return 2 * (m_out.size() + m_writer->EndLength() + 1);
}

QString CBasketListStream::End()
{
    m_writer->End();
    m_writer.reset();
    return std::move(m_out);
}

qsizetype BasketListBlockBytes(const QString &document)
{
    // UTF-16 takes as many units as the text has.
    return 2 * (document.size() + 1);
}

QMimeData *BasketListMimeData(const QString &document, BasketListForm form)
{
    // The transfer system reads its format as a block of UTF-16 characters
    // (little-endian) closed by a zero character.
    QStringEncoder encode(QStringEncoder::Utf16LE);
    QByteArray block = encode(document);
    block.append(2, '\0');
    auto *mime = new QMimeData;
    mime->setData(kBasketListFormat, block);
    // The basket page hands the transfer system its format alone; the
    // package request's answer is offered to every reader.
    if (form == BasketListForm::PackageRequest)
        mime->setText(document);
    return mime;
}

bool PutBasketListOnClipboard(const QString &document, BasketListForm form)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return false;
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    // The clipboard owns the data from here on; earlier content in every
    // format is gone.
    clipboard->setMimeData(BasketListMimeData(document, form));
    NoteClipboardAnswer(kBasketListFormat);
    return true;
}
