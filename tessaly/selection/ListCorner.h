#pragma once

class QAbstractScrollArea;

// The square where a list's two scroll bars meet is filled with the window colour, which the
// list would take from the kit's black window; this gives the list the desktop's own.
void KeepDesktopCorner(QAbstractScrollArea& list);
