#pragma once
// The designer's design-time interface, under the platform's unit name that design-time packages
// include: property editors, component editors and the three registration calls a package makes.
// A designer host installs the registry those calls fill (IDesignRegistry) and implements
// TFormDesigner for each form it designs.

#include "vcl50/Dsgndesigner.h"
#include "vcl50/Dsgneditors.h"
#include "vcl50/Dsgnproperties.h"
#include "vcl50/Dsgnpropertyeditor.h"
#include "vcl50/Dsgnregistry.h"
