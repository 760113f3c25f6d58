#pragma once
// What the "DMS-VIN" head button does, without the window: the information
// text on the vehicle search where no search is set up (and in the training
// edition with the dealer file), the vehicle search dialog where the
// requests go to the dealer file or the DMS, and the page id the main window
// notes meanwhile.

#include <functional>

class CPrgSettings;

class CDmsVinButton
{
public:
    struct Steps
    {
        bool showInfoText = false;     // "SRP/InfoFg<language>.dat" in the text box
        bool runVehicleSearch = false; // the vehicle search dialog
    };
    static Steps StepsFor(const CPrgSettings &settings);

    // Runs the steps of the settings: the information text, then the
    // search (its dialog result; 1 when a VIN was taken). While the search
    // runs the page id is the search dialog's; a search that took no VIN
    // puts the home page's id back. Returns true when the window goes back
    // to its home page: the VIN field then gets the focus.
    static bool Run(const CPrgSettings &settings, int &pageId,
                    const std::function<void()> &showInfoText,
                    const std::function<int()> &runSearch);
};
