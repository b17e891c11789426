// Result codes and names of the CAD program's classic application interface.
#pragma once

#include "adesk.h"

constexpr int RTNONE = 5000;
constexpr int RTNORM = 5100;
constexpr int RTERROR = -5001;
constexpr int RTCAN = -5002;
constexpr int RTREJ = -5003;
constexpr int RTFAIL = -5004;
constexpr int RTKWORD = -5005;

// An entity or selection-set name: two machine words.
using ads_name = Adesk::Int64[2];
using ads_real = double;
using ads_point = ads_real[3];
struct resbuf;
