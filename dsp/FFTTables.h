#pragma once
// What the transform needs that depends only on its size, computed once: the twiddle
// factors of every stage and the exchanges of the bit-reversal reordering.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace linelab {

// The tables serve every transform up to this size (the program uses 2048 points); larger
// transforms compute the same values on the fly.
inline constexpr int kFFTTableLog2 = 11;
inline constexpr std::size_t kFFTTablePoints = std::size_t{1} << kFFTTableLog2;

struct Twiddle {
    double wr;
    double wi;
};

// The half-angle sine recurrence for the stage of span `half` complex points: two sine
// evaluations per stage, none per twiddle. The angle uses this literal value of 2 pi, not a
// full-precision one, so the twiddles come out exactly as they always have.
class TwiddleRecurrence {
  public:
    TwiddleRecurrence(std::size_t half, double sign) {
        const double theta = 6.28318530717959 / static_cast<double>(2 * half);
        const double wtemp = sign * std::sin(0.5 * theta);
        wpr_ = -2.0 * wtemp * wtemp;
        wpi_ = sign * std::sin(theta);
    }
    double wr() const { return wr_; }
    double wi() const { return wi_; }
    void Advance() {
        const double w0 = wr_;
        wr_ = wr_ * wpr_ - wi_ * wpi_ + wr_;
        wi_ = wi_ * wpr_ + w0 * wpi_ + wi_;
    }

  private:
    double wpr_ = 0;
    double wpi_ = 0;
    double wr_ = 1;
    double wi_ = 0;
};

// The forward twiddles of the stage of span half (1 .. kFFTTablePoints / 2), in order. The
// inverse direction's are their exact conjugates: negating the sines negates every wi of
// the recurrence exactly and leaves every wr as it is.
const Twiddle* StageTwiddles(std::size_t half);

// The same twiddles spread for the vector butterflies: for twiddle m of the stage, wr holds
// (wr, wr) at [2 m, 2 m + 2) and nwi holds (-wi, wi), the forward direction's signs.
struct SpreadTwiddles {
    const double* wr;
    const double* nwi;
};
SpreadTwiddles StageSpreadTwiddles(std::size_t half);

// Position p's source in the bit-reversed order of 2^log2Points values (log2Points up to
// kFFTTableLog2): the value the first stage reads for position p.
const uint16_t* BitReversedOrder(int log2Points);

// The bit-reversal reordering of 2^log2Points complex values.
void BitReverse(double* d, std::size_t points, int log2Points);

}  // namespace linelab
