#pragma once
// The closing row of the program's small edit dialogs: OK, "Abbrechen" and
// "?" on the right. OK accepts, "Abbrechen" rejects with the selection
// sound, "?" and F1 ask for help. No button is pressed by Return for being
// focused. With okOnReturn OK is the default button, pressed by Return and
// the pad's Enter in a line of the dialog; without it no button is, for a
// dialog that keeps those keys for its fields.

#include <functional>

class CPrgSettings;
class QBoxLayout;
class QDialog;

void AddOkCancelHelpRow(QDialog *dlg, QBoxLayout *layout, CPrgSettings *settings, bool okOnReturn,
                        std::function<void()> help);
