#pragma once
// How a booking type looks everywhere in the program: its colour (Einnahme blue, Ausgabe red,
// Umbuchung yellow) and its picture, a disc in that colour with the type's sign.

#include <QColor>
#include <QPixmap>

#include <cstdint>

#include "bookings/kontosuche.h"

namespace talerwerk {

QColor ArtFarbeQt(ArtFarbe f);

// The picture of a booking type, `groesse` pixels square (at the screen's pixel ratio).
QPixmap ArtBild(int32_t bart, int groesse);

}  // namespace talerwerk
