#pragma once

// What inserting or deleting whole lines or columns did.
struct CTableEditResult {
    enum Status {
        DONE,         // the cells changed (one undo step)
        NO_SELECTION, // nothing is selected: nothing changed
        NO_ROOM,      // an insert would push content off the canvas: nothing changed
    };
    Status m_nStatus = DONE;
    // For NO_ROOM: the lines (or columns) the canvas would need so that the insert
    // pushes nothing off it; it may exceed the largest canvas, 99.
    int m_nNeeded = 0;

    bool Done() const { return m_nStatus == DONE; }
};
