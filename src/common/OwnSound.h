#pragma once
// Click sounds of the buttons; played only while the setting "Sound" is on.

class CPrgSettings;

// The sound of a pressed button.
void PlaySoundSelected(const CPrgSettings *settings);
