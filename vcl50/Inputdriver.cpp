#include "vcl50/Inputdriver.h"

TInputDriver::~TInputDriver() = default;
