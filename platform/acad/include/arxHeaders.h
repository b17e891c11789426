// The CAD program's interface in one include.
#pragma once

#include "acadstrc.h"
#include "acarray.h"
#include "accmd.h"
#include "aced.h"
#include "acutads.h"
#include "adesk.h"
#include "adscodes.h"
#include "dbid.h"
#include "dbtrans.h"
#include "rxdlinkr.h"
#include "rxentry.h"
#include "rxobject.h"
