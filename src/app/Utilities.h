#pragma once
// Free functions several parts of the program call: help-file names, the
// special labour positions, the catalogue column of a model, escaped line
// breaks in texts, the brand checks against the dealer's contracts, the
// marketing attributes of a package and the reversible transformation of one
// stored start-up value. None of them keeps state.

#include "platform/db/CatalogueFailure.h"

#include <QString>

class CPrgSettings;
class CYaqDb;
class CModelMapping;

// The help file of a page or dialog id; empty for an unknown id.
QString GetHelpFileName(int id);

// True for the labour positions priced apart (and for an empty number): the
// first seven characters are one of the entries of the fixed list.
bool IsSpecialAPNr(const QString &apNr);

// The labour-value catalogue column of a model designation
// (common/readers/CatalogueColumn.h) with the model-name mapping given;
// without one no model code counts as mapped. A read that failed says so.
CatalogueAnswer<int> GetAwKatSpalte(CPrgSettings *settings, CYaqDb *db,
                                    const QString &modelDesignation, const CModelMapping *mapping);

// Removes backslash-backslash-n entirely, then turns backslash-n into a blank.
void ReplaceNewlineEscapes(QString &text);

// The dealer platform's name of a two-letter brand code ("VQ" -> "voq");
// empty for an unknown code.
QString DealerBrandName(const QString &code);
// 1 when the dealer may serve the brand: the dealer list is empty (no
// restriction) or holds the brand's platform name exactly.
int GetBrandFromDealerData(CPrgSettings *settings, const QString &code);
// 1 when the dealer holds a contract for the main brand (or has no list).
int IsVoqDealer(CPrgSettings *settings);

// The eight-character key of ScrambleString, built at run time.
QString MakeScrambleKey();
// Each character xor the key character at i mod 8, all bits inverted.
// Applying it twice with the same key gives the text back.
QString ScrambleString(const QString &key, const QString &text);
