#pragma once
// What changed since a page was last shown. The main window sets the flags
// when the vehicle identification, the program language or the setup
// changes; the page evaluates and clears them when it is shown again.

struct CChangeFlags
{
    int bIdent = 0;     // any part of the identification
    int bFgstnr = 0;    // VIN
    int bTypSchl = 0;   // type key
    int bEReihe = 0;    // model series
    int bTypNr = 0;     // type number
    int bModellBez = 0; // model designation
    int bLeadTyp = 0;   // lead type
    int bErstzul = 0;   // first registration
    int bSprache = 0;   // program language
    int bSetup1 = 0;
    int bSetup2 = 0;
    int bSetup3 = 0;
    int bSetup4 = 0;
    int bKilometer = 0; // mileage

    // Which groups of flags a page keeps.
    enum Groups
    {
        Ident = 1,
        LanguageSetup = 2,
        Mileage = 4
    };

    // Stores every nonzero flag of `changes` that belongs to one of the
    // groups; a zero flag leaves this page's flag as it is.
    void Merge(const CChangeFlags &changes, int groups)
    {
        auto take = [](int &mine, int given) {
            if (given)
                mine = given;
        };
        if (groups & Ident) {
            take(bIdent, changes.bIdent);
            take(bFgstnr, changes.bFgstnr);
            take(bTypSchl, changes.bTypSchl);
            take(bEReihe, changes.bEReihe);
            take(bTypNr, changes.bTypNr);
            take(bModellBez, changes.bModellBez);
            take(bLeadTyp, changes.bLeadTyp);
            take(bErstzul, changes.bErstzul);
        }
        if (groups & LanguageSetup) {
            take(bSprache, changes.bSprache);
            take(bSetup1, changes.bSetup1);
            take(bSetup2, changes.bSetup2);
            take(bSetup3, changes.bSetup3);
            take(bSetup4, changes.bSetup4);
        }
        if (groups & Mileage)
            take(bKilometer, changes.bKilometer);
    }

    void Clear() { *this = CChangeFlags(); }
};
