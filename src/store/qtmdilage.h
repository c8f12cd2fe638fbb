#pragma once
// The placement of a child window of the main window, kept in the settings file: read when its
// frame is made, applied when the frame is first shown, handed back when the frame closes.

#include <functional>

#include "store/einstellungen.h"

class QMdiSubWindow;
class QRect;
class QWidget;

namespace talerwerk {

// Puts `inhalt` into a new MDI frame (deleted on close) of the size of `lage`. The MDI area places
// a new frame itself when it is added, so the stored position is applied when the frame is first
// shown, never smaller than the frame's least size (larger fonts must not cut buttons off). A
// placement that makes no window (a damaged settings file, below `kleinste` pixels) takes the size
// of `vorgabe`. On closing, `speichern` receives the frame's normal geometry.
QMdiSubWindow* RahmenMitLage(QWidget* inhalt, FensterLage lage, const FensterLage& vorgabe, int kleinste,
                             std::function<void(const QRect&)> speichern);

}  // namespace talerwerk
