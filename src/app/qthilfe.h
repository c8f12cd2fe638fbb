#pragma once
// Which section of the help page belongs to which window. F1 opens the help at the section of the
// window that has the focus; a window is known by its object name.

#include <QString>

class QWidget;

// The help section (an anchor of the help page) of the window `w` belongs to: the first widget
// from `w` up through its parents whose object name names a window with a section; "" (the top
// of the page) when there is none.
QString HilfeAbschnitt(const QWidget* w);

// Every window name with its section, for the check that the page has each section.
struct HilfeEintrag {
    const char* Fenster;
    const char* Abschnitt;
};
const HilfeEintrag* HilfeEintraege(int& anzahl);
