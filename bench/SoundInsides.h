// The sound layer's insides that the in-process sound benchmarks use (the output's shutdown and
// the decoder's read seam), in this tree's layout or in an older one's, so that
// bench/compare-sound can build those benchmarks in an older checkout too.
#pragma once

#if __has_include("framework/audio/AudioOutput.h")
#include "framework/Testing.h"
#include "framework/audio/AudioOutput.h"
#else
#include "framework/AudioOutput.h"
#include "framework/Mp3Decoder.h"
#endif
