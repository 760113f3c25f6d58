#pragma once
// The Basket-List: the form in which the basket travels to the transfer
// system. A list of baskets, each with its type, its items in order and one
// head item; an item is a flat record of one package line or labour
// position: texts, flags and four price sets (plain, customer, standard,
// campaign). Every field bears the name of its element in the document.
//
// ToBasketArray turns the basket's entries into baskets and expands every
// package into items: a campaign package into one basket that takes the
// lines of its chosen sub-packages, any other package into one basket of
// its own followed by one basket for each chosen sub-package. Lines that
// are not chosen stay out, except the unchosen work line that carries the
// labour of a flat-priced head.
//
// The entries are only read: the conversion changes nothing of the basket.

#include <QString>

#include <vector>

class CPaket;
class CPosition;
class CWKList;
class CWKListItem;

class CPackageCBItem
{
public:
    // Every field to its default: texts empty, doubles -1.0 (not set),
    // integers 0, Auswahl 1.
    void Init() { *this = CPackageCBItem(); }
    // Removes trailing white space from every text field.
    void TrimData();

    int PackageTyp = 0;
    QString Number;
    QString AwPosRef;
    QString AwText1, AwText2, AwText3, AwText4;
    QString KlammerText1, KlammerText2, KlammerText3, KlammerText4;
    QString TeileText;
    QString AuftragsArt;
    QString BefundText;
    QString Lackstufe;
    QString R, U, M;
    QString Flaeche;
    QString Az;
    QString Art;
    double TeileBestand = -1.0;
    int TeileBestandFilled = 0;
    QString PosLfdNr;
    QString PosLfdNrRef;
    QString VonBaustand;
    QString BisBaustand;
    int PlusKennung = 0;
    int TeileClearing = 0;
    int Kampagnen = 0;
    QString KampagnenName;
    QString KampagnenCommercialText;
    QString KampagnenNo;
    QString Kampagnenpreistyp;
    QString KampagnenPaketName;
    QString KampagnenPaketNo;
    QString KampagnenRabatt;
    double KampagnenRabattDouble = -1.0;
    int ValueLine = 0;
    int FastLane = 0;
    QString ZeilenNr;
    QString Menge;
    int Auswahl = 1;
    // Plain price set.
    double PreisBrutto = -1.0, PreisNetto = -1.0, Mwst = -1.0, TotalPreisBrutto = -1.0,
           TotalPreisNetto = -1.0;
    int Pauschalkennung = 0;
    QString WaehrungsKZ;
    // Customer price set.
    double KundenPreisBrutto = -1.0, KundenPreisNetto = -1.0, KundenPreisMwst = -1.0,
           KundenTotalPreisBrutto = -1.0, KundenTotalPreisNetto = -1.0;
    int KundenPreisPauschalkennung = 0;
    QString KundenPreisWaehrungsKZ;
    // Standard price set.
    double StandardPreisBrutto = -1.0, StandardPreisNetto = -1.0, StandardMwst = -1.0,
           StandardTotalPreisBrutto = -1.0, StandardTotalPreisNetto = -1.0;
    int StandardPauschalkennung = 0;
    QString StandardWaehrungsKZ;
    // Campaign price set.
    double KampagnenPreisBrutto = -1.0, KampagnenPreisNetto = -1.0, KampagnenMwst = -1.0,
           KampagnenTotalPreisBrutto = -1.0, KampagnenTotalPreisNetto = -1.0;
    int KampagnenPauschalkennung = 0;
    QString KampagnenWaehrungsKZ;
    QString ErsetztDurchNummer;
    QString ErsetztDurchText;
    QString ErsetztDurchBeschr;
    QString Text;
    QString HG;
    QString PaketID;
    QString PaketArt;
    QString HGText;
};

class CBasket
{
public:
    int BasketTyp = 0;
    std::vector<CPackageCBItem> Items;
    // Filled only for an entry that carries a labour position.
    CPackageCBItem HeadItem;
};

using CBasketArray = std::vector<CBasket>;

// The baskets of all entries of the list, in list order. The type key is
// the current vehicle's: a package head's number carries it.
CBasketArray ToBasketArray(const CWKList &list, const QString &typeKey);
// The baskets of one entry (the package request answers entry by entry).
void AppendBaskets(CBasketArray &out, const CWKListItem &entry, const QString &typeKey);
