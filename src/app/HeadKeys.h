#pragma once
// What a key does on the main window's head buttons: Enter on a head button
// runs its action, Tab from the "DMS-VIN" button goes into the home page,
// Escape never closes the window.

class CHeadKeys
{
public:
    enum Action
    {
        KeyDefault,    // the focused control and the dialog handle the key
        KeyRunButton,  // the focused head button runs its action
        KeyToHomePage, // the focus goes to the home page's labour-value button
        KeySwallow,    // the key is dropped (Escape on the window itself)
    };

    // key is a Qt::Key; focusedId the head-control id of the focused
    // control (0 when the focus is on none of them).
    static Action ForKey(int key, int focusedId);
    // Whether Enter on the head control runs its action.
    static bool RunsOnEnter(int headId);
};
