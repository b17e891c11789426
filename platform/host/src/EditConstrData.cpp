#include "trk/EditConstrData.h"

// Out of line so that the virtual table lives in the framework library.
EditConstrData::~EditConstrData() = default;
