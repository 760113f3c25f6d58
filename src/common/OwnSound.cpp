#include "common/OwnSound.h"

#include "settings/PrgSettings.h"

#include <QApplication>

void PlaySoundSelected(const CPrgSettings *settings)
{
    if (settings && settings->Sound)
        QApplication::beep();
}
