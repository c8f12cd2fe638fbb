#pragma once
// The twelve month check boxes "Jan" … "Dez" of the recurring-booking windows: a check list in
// three columns of four months, sized to show all twelve without scrolling.

#include <array>

class QListWidget;
class QWidget;

// `bedienbar`: the user may click the checks (the editor); otherwise they only show (the preview).
QListWidget* MonatslisteAnlegen(QWidget* eltern, bool bedienbar);
void MonateSetzen(QListWidget* liste, const std::array<bool, 12>& monate);
std::array<bool, 12> MonateLesen(const QListWidget* liste);
