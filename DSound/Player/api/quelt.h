// Quelt: a software mixer that plays one tracker module (XM, S3M, MOD, QLT)
// and short samples, and streams the mix to the sound device from a thread of
// its own. Everything is addressed by small indices; no handles are given out.
// Results are bool or an index with -1 for failure; nothing is raised.
#pragma once

#include "QueltExport.h"
#include "QueltDialog.h"
#include "QueltModules.h"
#include "QueltSamples.h"
#include "QueltSetup.h"

// Points to the version text "Quelt v 0.1.1 beta".
QUELT_API extern char* QLT_ID;
