#include "simulation/SkyModel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace penumbro {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kKappa = 1.041;  // for the zenith angle in radians

// Upper bounds of the sky clearness bins 1..7; bin 8 is everything from 6.2 on.
constexpr std::array<double, 7> kClearnessBounds = {1.065, 1.23, 1.5, 1.95, 2.8, 4.5, 6.2};

// F11, F12, F13, F21, F22, F23 per clearness bin: the composite fit to all sites of
// Perez et al. (1990), Table 6.
constexpr std::array<std::array<double, 6>, 8> kCoefficients = {{
    {-0.008, 0.588, -0.062, -0.060, 0.072, -0.022},
    {0.130, 0.683, -0.151, -0.019, 0.066, -0.029},
    {0.330, 0.487, -0.221, 0.055, -0.064, -0.026},
    {0.568, 0.187, -0.295, 0.109, -0.152, -0.014},
    {0.873, -0.392, -0.362, 0.226, -0.462, 0.001},
    {1.132, -1.237, -0.412, 0.288, -0.823, 0.056},
    {1.060, -1.600, -0.359, 0.264, -1.127, 0.131},
    {0.678, -0.327, -0.250, 0.156, -1.377, 0.251},
}};

}  // namespace

std::optional<SkyModel> skyModelFromName(const std::string& name) {
    if (name == "isotropic") return SkyModel::Isotropic;
    if (name == "perez") return SkyModel::Perez;
    return std::nullopt;
}

const char* skyModelName(SkyModel model) { return model == SkyModel::Perez ? "perez" : "isotropic"; }

double relativeAirMass(double zenithDeg) {
    return 1.0 / (std::cos(zenithDeg * kPi / 180.0) + 0.50572 * std::pow(96.07995 - zenithDeg, -1.6364));
}

double extraterrestrialNormal(int dayNumber) {
    const double b = 2.0 * kPi * (dayNumber - 1) / 365.0;
    return 1367.0 * (1.00011 + 0.034221 * std::cos(b) + 0.00128 * std::sin(b) + 0.000719 * std::cos(2 * b) +
                     0.000077 * std::sin(2 * b));
}

PerezParts perezParts(double diffuseHorizontal, double directNormal, double zenith, int dayNumber,
                      double cosIncidence, double tilt) {
    PerezParts p;
    if (!(diffuseHorizontal > 0)) return p;
    const double viewOfSky = (1.0 + std::cos(tilt)) / 2.0;
    if (!(zenith < kPi / 2)) {
        p.isotropic = diffuseHorizontal * viewOfSky;
        return p;
    }
    const double z3 = kKappa * zenith * zenith * zenith;
    const double clearness = ((diffuseHorizontal + directNormal) / diffuseHorizontal + z3) / (1.0 + z3);
    const double brightness =
        diffuseHorizontal * relativeAirMass(zenith * 180.0 / kPi) / extraterrestrialNormal(dayNumber);
    const auto bin = static_cast<std::size_t>(
        std::upper_bound(kClearnessBounds.begin(), kClearnessBounds.end(), clearness) - kClearnessBounds.begin());
    const auto& c = kCoefficients[bin];
    p.bin = static_cast<int>(bin) + 1;
    p.f1 = std::max(0.0, c[0] + c[1] * brightness + c[2] * zenith);
    p.f2 = c[3] + c[4] * brightness + c[5] * zenith;
    const double a = std::max(0.0, cosIncidence);
    const double b = std::max(std::cos(85.0 * kPi / 180.0), std::cos(zenith));
    p.isotropic = diffuseHorizontal * (1.0 - p.f1) * viewOfSky;
    p.circumsolar = diffuseHorizontal * p.f1 * a / b;
    p.horizon = diffuseHorizontal * p.f2 * std::sin(tilt);
    return p;
}

}  // namespace penumbro
