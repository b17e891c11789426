// Status codes of the framework: the CAD program's status enumeration, usable unqualified.
// Framework and module operations produce only eOk (success) and eInvalidInput (any failure).
#pragma once

#include "acadstrc.h"

using Acad::eInvalidInput;
using Acad::eOk;
using Acad::ErrorStatus;
