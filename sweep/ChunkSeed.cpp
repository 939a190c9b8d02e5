#include "sweep/ChunkRunner.h"

namespace linelab {
namespace {

uint64_t Mix(uint64_t z) {
    z += 0x9e3779b97f4a7c15ULL;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

}  // namespace

uint64_t ChunkSeed(uint64_t seed, uint64_t point, uint64_t chunk) {
    return Mix(Mix(Mix(seed) ^ point) ^ chunk);
}

const char* RunnerName(const ChunkCounts& counts) {
    if (counts.runs == 0 || counts.foldedRuns == counts.runs) return counts.runs ? "folded" : "";
    return counts.foldedRuns == 0 ? "engine" : "mixed";
}

}  // namespace linelab
