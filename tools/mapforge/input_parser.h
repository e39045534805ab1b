#pragma once
// Reads the compiler input strictly: the blocks, keys and number formats the
// editor writes, with LF or CR LF line ends. Any bytes are safe to give it.

#include <string_view>

#include "track_input.h"

namespace mapforge {

// Every syntax error is added to `diagnostics`; after an error the parser
// skips to the next block and goes on, so that one run reports them all.
TrackInput ParseCompilerInput(std::string_view text, Diagnostics& diagnostics);

}  // namespace mapforge
