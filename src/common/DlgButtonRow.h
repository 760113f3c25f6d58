#pragma once
// The closing row of the program's small edit dialogs: OK, "Abbrechen" and
// "?" on the right. OK accepts, "Abbrechen" rejects with the selection
// sound, "?" and F1 ask for help. With okOnReturn OK is the default button,
// pressed by Return and the pad's Enter in a line of the dialog, and a
// button that has the focus is pressed by them instead; without it no
// button is, not even a focused one, for a dialog that keeps those keys for
// its fields.

#include <functional>

class CPrgSettings;
class QBoxLayout;
class QDialog;

void AddOkCancelHelpRow(QDialog *dlg, QBoxLayout *layout, CPrgSettings *settings, bool okOnReturn,
                        std::function<void()> help);
