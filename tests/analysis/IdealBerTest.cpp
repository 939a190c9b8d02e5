#include <gtest/gtest.h>

#include <cmath>

#include "analysis/IdealBer.h"

namespace linelab {
namespace {

double Db(double dB) {
    return std::pow(10.0, dB / 10);
}

// Textbook anchors: polar signalling reaches 1e-5 at 9.59 dB and 1e-6 at 10.53 dB.
TEST(IdealBer, PolarMeetsItsTextbookPoints) {
    EXPECT_NEAR(IdealBerAtDb("Polar (N)RZ", "None", "None", 9.5879), 1e-5, 2e-8);
    EXPECT_NEAR(IdealBerAtDb("Polar (N)RZ", "None", "None", 10.5298), 1e-6, 2e-9);
    EXPECT_NEAR(GaussianTail(0), 0.5, 1e-15);
}

// The mappings against each other: on-off needs twice the energy of antipodal; 4-PAM's
// crossing is Q(sqrt(0.8 Eb/N0)); a differential stage roughly doubles small rates.
TEST(IdealBer, MappingsKeepTheirKnownRelations) {
    for (double dB : {4.0, 8.0}) {
        const double polar = IdealBerAtDb("Polar (N)RZ", "None", "None", dB);
        EXPECT_NEAR(IdealBerAtDb("Unipolar (N)RZ", "None", "None", dB + 10 * std::log10(2.0)),
                    polar, 1e-12);
        EXPECT_NEAR(IdealBerAtDb("4-PAM", "None", "None", dB),
                    GaussianTail(std::sqrt(0.8 * Db(dB))), 1e-15);
        EXPECT_NEAR(IdealBerAtDb("AMI", "None", "None", dB), 1.5 * GaussianTail(std::sqrt(Db(dB))),
                    1e-15);
        EXPECT_NEAR(IdealBerAtDb("Polar (N)RZ", "None", "Differential", dB), 2 * polar,
                    2 * polar * polar + 1e-15);
        // Manchester spends two symbols per bit and needs both halves right.
        const double half = GaussianTail(std::sqrt(Db(dB)));
        EXPECT_NEAR(IdealBerAtDb("Polar (N)RZ", "Manchester", "None", dB), 2 * half - half * half,
                    1e-15);
    }
    EXPECT_GT(IdealBerAtDb("MLT3", "None", "None", 6), IdealBerAtDb("AMI", "None", "None", 6));
    EXPECT_EQ(IdealBer("nonsense", "", "", Db(6)), IdealBerAtDb("Polar (N)RZ", "None", "None", 6));
    EXPECT_EQ(IdealBer("Polar (N)RZ", "None", "None", -1.0), 0.5);
}

}  // namespace
}  // namespace linelab
