#include "trk/MacroData.h"

// Out of line so that the virtual table lives in the framework library.
MacroData::~MacroData() = default;
