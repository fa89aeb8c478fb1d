#include "vcl50/Dsgndesigner.h"

TFormDesigner::~TFormDesigner() = default;
