#pragma once
// A palette class's picture: the bitmap its package carries under the class name, drawn as it is
// (24 x 24, 16 colours); the host's own classes have none and get a plain drawn one.

#include <QImage>

#include "host/Registry.h"

QImage PaletteImage(const TDesignRegistry::TPaletteEntry& entry);
