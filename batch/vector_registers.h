#pragma once

namespace vespera {

// On processors with AVX-512, glibc's memcpy leaves the upper halves of the vector
// registers marked in use, and until a VZEROUPPER clears them every plain SSE instruction
// that follows pays for the transition (the "AVX-SSE transition" of Intel's optimization
// manual). The calculation of a star is such SSE arithmetic, right after the copying of
// its line: clearing the registers in between makes it about twice as fast there. Does
// nothing on processors without AVX.
void clearUpperVectorRegisters();

}  // namespace vespera
