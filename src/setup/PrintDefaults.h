#pragma once
// The dealer's print defaults of "YAQTrader.ini" that both basket print-outs
// use: the letterhead with its captions, the terms, the price captions, the
// number caption and the title of the offer. Edited by the default print
// settings dialog, stored through the settings' dealer-file writer.

#include <QString>

class CPrgSettings;
struct CPrgSettingsData;

// One text of the print defaults: its field in the settings and the dealer
// file's key it is stored under.
struct CPrintDefaultField
{
    const char *key;
    QString CPrgSettingsData::*field;
    bool multiLine; // edited in lines (the dealer file escapes its line breaks)
};

// The print defaults in the order the dialog shows them.
const CPrintDefaultField *PrintDefaultFields(int *count);

// Takes the edited texts (one per field of PrintDefaultFields) into the
// settings and writes the dealer file into the dealer folder. When
// the file cannot be written, the settings keep their former texts and the
// result is false, with the file and the reason in *failure.
bool StorePrintDefaults(CPrgSettings &settings, const QStringList &editedTexts,
                        QString *failure = nullptr);
