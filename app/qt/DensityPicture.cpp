#include "app/qt/DensityPicture.h"

#include <array>
#include <bit>
#include <cstdint>

#include "analysis/DensityEye.h"

namespace linelab {
namespace {

constexpr int kStepsPerOctave = 64;
constexpr int kStepBits = 6;  // log2 of kStepsPerOctave
constexpr uint32_t kOpaqueBlack = 0xFF000000;

// The octave of a count and its position within it, in 1/64 steps.
int StepOf(uint32_t count) {
    const int msb = std::bit_width(count) - 1;
    const uint32_t below = msb >= kStepBits ? (count >> (msb - kStepBits)) & (kStepsPerOctave - 1)
                                            : (count << (kStepBits - msb)) & (kStepsPerOctave - 1);
    return msb * kStepsPerOctave + static_cast<int>(below);
}

// The smallest count of a step: counts below 64 are exact (one count per step or more).
uint32_t CountOf(int step) {
    const int msb = step / kStepsPerOctave;
    const uint32_t below = static_cast<uint32_t>(step % kStepsPerOctave);
    if (msb >= kStepBits) return (1u << msb) | (below << (msb - kStepBits));
    return (1u << msb) | (below >> (kStepBits - msb));
}

}  // namespace

QImage DensityPicture(const DensityEye& eye) {
    if (eye.Width() <= 0 || eye.Height() <= 0) return QImage();
    QImage image(eye.Width(), eye.Height(), QImage::Format_RGB32);
    if (image.isNull()) return image;
    const uint32_t maxCount = eye.MaxCount();
    std::array<uint32_t, 32 * kStepsPerOctave> table{};
    table.fill(0);
    const auto counts = eye.Counts();
    for (int y = 0; y < eye.Height(); ++y) {
        auto* line = reinterpret_cast<uint32_t*>(image.scanLine(y));
        const uint32_t* row = counts.data() + static_cast<std::size_t>(y) * eye.Width();
        for (int x = 0; x < eye.Width(); ++x) {
            const uint32_t count = row[x];
            if (count == 0) {
                line[x] = kOpaqueBlack;
                continue;
            }
            uint32_t& colour = table[static_cast<std::size_t>(StepOf(count))];
            if (colour == 0) colour = DensityColour(CountOf(StepOf(count)), maxCount, kOpaqueBlack);
            line[x] = colour;
        }
    }
    return image;
}

}  // namespace linelab
