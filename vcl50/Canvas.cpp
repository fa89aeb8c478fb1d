#include "vcl50/Canvas.h"

TCanvas::TCanvas() = default;
TCanvas::~TCanvas() = default;

IPaintedForm::~IPaintedForm() = default;
