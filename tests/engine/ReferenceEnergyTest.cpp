// The mean transmitted energy a fixed noise density refers to: the closed form against the
// mean over simulated runs, for every mapping, transmit filter, pulse width, line code,
// pre-coding and data source that changes the levels' statistics.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "dsp/DesignFilters.h"
#include "engine/LinkReference.h"
#include "tests/CaseName.h"

namespace linelab::test {
namespace {

struct EnergyCase {
    DataSource data;
    PreCoding pre;
    LineCoding code;
    Format format;
    FilterType filter;
    int width;  // the pulse width in sixteenths
};

struct EnergyLink {
    LinkConfig config;
    Responses responses{};
    double dBaudRate = 1;
};

// The link of a case, its responses designed for it as the engine designs them.
EnergyLink LinkOf(const EnergyCase& c) {
    EnergyLink link;
    link.config.data = c.data;
    link.config.preCode = {c.pre, c.pre};
    link.config.code = {c.code, c.code};
    link.config.format = {c.format, c.format};
    link.config.iPulseWidth = static_cast<int16_t>(c.width);
    FilterConfig filters;
    filters.side[0].type = c.filter;
    filters.side[0].iPulseWidth = c.width;
    link.dBaudRate = SymbolRate(c.code, c.format);
    DesignFilters(filters, link.dBaudRate, link.responses);
    return link;
}

// The simulated mean over enough runs that 0.1 % is at least four of its standard errors.
EnergyEstimate SimulatedMean(const EnergyLink& link) {
    constexpr int kPilot = 4096;
    EnergyEstimate e = SimulatedEnergyPerSlot(link.config, link.responses, kPilot);
    const double wanted = 0.00025 * e.mean;
    if (e.standardError > wanted) {
        const double runs = 1.2 * kPilot * std::pow(e.standardError / wanted, 2);
        e = SimulatedEnergyPerSlot(link.config, link.responses,
                                   static_cast<int>(std::min(runs, 500000.0)));
    }
    return e;
}

class ClosedFormEnergy : public ::testing::TestWithParam<EnergyCase> {};

TEST_P(ClosedFormEnergy, WithinATenthOfAPerCentOfTheSimulatedMean) {
    const EnergyLink link = LinkOf(GetParam());
    const std::optional<double> expected = ExpectedEnergyPerSlot(link.config, link.responses);
    ASSERT_TRUE(expected.has_value());
    const EnergyEstimate simulated = SimulatedMean(link);
    ASSERT_GT(simulated.mean, 0);
    EXPECT_LE(simulated.standardError, 0.00025 * simulated.mean);
    EXPECT_NEAR(*expected / simulated.mean, 1.0, 0.001);
    // The engine refers a fixed noise density to the closed form.
    EXPECT_EQ(ComputeLinkReference(link.config, link.responses, link.dBaudRate).energyPerSlot,
              *expected);
}

using D = DataSource;
using P = PreCoding;
using C = LineCoding;
using F = Format;
using T = FilterType;

// Every mapping with the filters and pulse widths in turn, every line code, and the biased,
// periodic and constant sources with the pre-codings (random data stay random through them).
// HDB3's balancing pulses need four zeros inside the run: all zeros shows the run's end.
INSTANTIATE_TEST_SUITE_P(
    ReferenceEnergy, ClosedFormEnergy,
    ::testing::Values(
        EnergyCase{D::Random, P::None, C::None, F::UnipolarNrz, T::None, 16},
        EnergyCase{D::Random, P::None, C::None, F::UnipolarNrz, T::SteepCutoff, 8},
        EnergyCase{D::Random, P::None, C::None, F::UnipolarNrzi, T::SinglePole, 16},
        EnergyCase{D::Random, P::None, C::None, F::PolarNrz, T::RC, 16},
        EnergyCase{D::Random, P::None, C::None, F::PolarNrz, T::SteepCutoff, 5},
        EnergyCase{D::Random, P::None, C::None, F::PolarNrzi, T::RootRC, 16},
        EnergyCase{D::Random, P::None, C::None, F::Ami, T::SteepCutoff, 16},
        EnergyCase{D::Random, P::None, C::None, F::Ami, T::RootRC, 8},
        EnergyCase{D::Random, P::None, C::None, F::Mlt3, T::RC, 16},
        EnergyCase{D::Random, P::None, C::None, F::Hdb3, T::SteepCutoff, 16},
        EnergyCase{D::Random, P::None, C::None, F::Hdb3, T::SinglePole, 8},
        EnergyCase{D::Random, P::None, C::None, F::Pam4, T::RootRC, 16},
        EnergyCase{D::Random, P::None, C::None, F::Pam4, T::None, 8},
        EnergyCase{D::Random, P::None, C::Differential, F::UnipolarNrz, T::SteepCutoff, 16},
        EnergyCase{D::Random, P::None, C::Manchester, F::PolarNrz, T::RC, 16},
        EnergyCase{D::Random, P::None, C::DiffManchester, F::Ami, T::SinglePole, 16},
        EnergyCase{D::Random, P::None, C::FourB5B, F::Mlt3, T::SteepCutoff, 16},
        EnergyCase{D::Random, P::None, C::FourB5BNrzi, F::Hdb3, T::RootRC, 16},
        EnergyCase{D::Random, P::None, C::Manchester, F::Pam4, T::SteepCutoff, 16},
        EnergyCase{D::Zeros75, P::Differential, C::None, F::PolarNrz, T::SinglePole, 16},
        EnergyCase{D::Ones75, P::Scramble, C::None, F::UnipolarNrz, T::SteepCutoff, 16},
        EnergyCase{D::Zeros75, P::None, C::None, F::Hdb3, T::SteepCutoff, 16},
        EnergyCase{D::Prbs7, P::None, C::None, F::Hdb3, T::RC, 16},
        EnergyCase{D::Prbs7, P::Differential, C::FourB5B, F::PolarNrzi, T::SteepCutoff, 16},
        EnergyCase{D::AllZeros, P::None, C::None, F::Hdb3, T::SteepCutoff, 16},
        EnergyCase{D::AllOnes, P::None, C::Manchester, F::UnipolarNrzi, T::SinglePole, 16}),
    [](const ::testing::TestParamInfo<EnergyCase>& info) {
        const EnergyCase& c = info.param;
        return std::string(IdName(c.data)) + "_" + std::string(IdName(c.pre)) + "_" +
               std::string(IdName(c.code)) + "_" + std::string(IdName(c.format)) + "_" +
               std::string(IdName(c.filter)) + "_" + std::to_string(c.width);
    });

// Exponential runs have no closed form: the engine takes the simulated mean instead; a link
// with an unknown entry has no reference energy at all, nor one whose transmit filter passes
// nothing (the matched filter is a receive filter).
TEST(ReferenceEnergy, SimulatedWhereNoClosedFormApplies) {
    const EnergyLink matched = LinkOf({D::Random, P::None, C::None, F::PolarNrz, T::Matched, 16});
    EXPECT_EQ(ExpectedEnergyPerSlot(matched.config, matched.responses), 0.0);
    EXPECT_EQ(SimulatedEnergyPerSlot(matched.config, matched.responses, 64).mean, 0.0);

    EnergyLink link = LinkOf({D::ExponentialRuns, P::None, C::None, F::Ami, T::SteepCutoff, 16});
    EXPECT_FALSE(ExpectedEnergyPerSlot(link.config, link.responses).has_value());
    const double energy =
        ComputeLinkReference(link.config, link.responses, link.dBaudRate).energyPerSlot;
    EXPECT_GT(energy, 0);
    EXPECT_EQ(energy, SimulatedEnergyPerSlot(link.config, link.responses, 2048).mean);

    link.config.format[0].reset();
    EXPECT_FALSE(ExpectedEnergyPerSlot(link.config, link.responses).has_value());
    EXPECT_EQ(ComputeLinkReference(link.config, link.responses, link.dBaudRate).energyPerSlot, 0);
}

}  // namespace
}  // namespace linelab::test
