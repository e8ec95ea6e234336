#pragma once

namespace thermalyx {

// How the periodic thermal response evaluates its sums: Fast uses sine and
// cosine tables over the fixed angle grid; Literal evaluates every sine and
// cosine as written, and serves as the reference the fast path is checked against.
enum class SolverPath { Fast, Literal };

}  // namespace thermalyx
