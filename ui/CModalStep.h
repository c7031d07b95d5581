#pragma once

class LFrame;
class LHandler;

// One step of a dialog's modal loop: the requester becomes the application's current mode
// while exactly one window message is handled. The dialog's window is shown on the first
// step.
class CModalStep {
public:
    // Waits for the next message (the largest timeout) and handles it.
    static void Wait(LHandler& requester, LFrame& dialog);
    // Handles one message when one is pending and returns at once otherwise (a zero timeout):
    // long work calls it between its units and must never be held up by an empty queue. True
    // when a message was handled.
    static bool Poll(LHandler& requester, LFrame& dialog);
    // Shows the dialog's window if it is not visible yet.
    static void ShowIfHidden(LFrame& dialog);
};
