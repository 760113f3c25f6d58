#pragma once
// The closing row of the program's small edit dialogs: OK, "Abbrechen" and
// "?" on the right. OK accepts, "Abbrechen" rejects with the selection
// sound, "?" and F1 ask for help. No button is a default button, so Enter
// in a text field never closes the dialog.

#include <functional>

class CPrgSettings;
class QBoxLayout;
class QDialog;

void AddOkCancelHelpRow(QDialog *dlg, QBoxLayout *layout, CPrgSettings *settings,
                        std::function<void()> help);
