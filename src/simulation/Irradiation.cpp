#include "simulation/Irradiation.h"

#include "engine/Augenblick.h"
#include "project/Calendar.h"
#include "engine/Diffuse.h"
#include "engine/Frames.h"
#include "project/Numbers.h"

#include <cmath>
#include <numbers>

namespace penumbro {

IrradiationSums& IrradiationSums::operator+=(const IrradiationSums& o) {
    beam += o.beam, sky += o.sky, ground += o.ground;
    beamShaded += o.beamShaded, skyShaded += o.skyShaded, groundShaded += o.groundShaded;
    skyIsotropic += o.skyIsotropic, skyCircumsolar += o.skyCircumsolar, skyHorizon += o.skyHorizon;
    skyIsotropicShaded += o.skyIsotropicShaded, skyCircumsolarShaded += o.skyCircumsolarShaded;
    skyHorizonShaded += o.skyHorizonShaded;
    return *this;
}

double IrradiationSums::lossPercent() const {
    const double unshaded = beam + sky + ground;
    if (!(unshaded > 0)) return 0;
    const double loss = 100.0 * (1.0 - (beamShaded + skyShaded + groundShaded) / unshaded);
    return std::fabs(loss) < 1e-9 ? 0.0 : loss;
}

namespace {

constexpr double kRad = std::numbers::pi / 180.0;

double angleBetween(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180.0 ? 360.0 - d : d;
}

std::vector<std::string> siteWarnings(const WeatherFile& w, const Site& site) {
    std::vector<std::string> out;
    // The weather file counts longitude east and its time zone ahead of universal
    // time; the project counts longitude west and its correction the other way round.
    if (std::fabs(w.latitude - site.latitude) > 1.0 || angleBetween(w.longitude, -site.longitude) > 1.0)
        out.push_back("the weather file's site (latitude " + formatFixed(w.latitude, 0, 2) + ", longitude " +
                      formatFixed(w.longitude, 0, 2) + " east) lies more than 1 degree from the project's (" +
                      formatFixed(site.latitude, 0, 2) + ", " + formatFixed(-site.longitude, 0, 2) + " east)");
    if (std::fabs(w.timeZone + site.correction) >= 1.0)
        out.push_back("the weather file's time zone (" + formatFixed(w.timeZone, 0, 1) +
                      " h ahead of universal time) is not the project's (time correction " +
                      formatFixed(site.correction, 0, 1) + " h)");
    return out;
}

// Accumulators of the last target's grid with every direction open and no horizon
// line: what the pre-computation gives for the same plane with nothing in front.
DiffuseAccumulators bareAccumulators(const CompiledModel& model, int intervals) {
    const TFlaeche* last = nullptr;
    for (const TFlaeche& s : model.flaechen) last = s.istTarget ? &s : last;
    DiffuseAccumulators acc;
    const DiffuseGrid grid = makeDiffuseGrid(intervals);
    for (double a : grid.azimuth)
        for (double eps : grid.elevation) addShares(acc, {1.0, 0.0, 0.0}, gridDirection(a, eps, last->alpha, last->beta), {});
    return acc;
}

// shaded / bare, 1 where the bare plane receives nothing of that kind (a horizontal
// plane sees no ground) and where the two agree to rounding.
double ratio(double shaded, double bare) {
    if (!(bare > 0)) return 1.0;
    const double q = shaded / bare;
    return std::fabs(q - 1.0) < 1e-9 ? 1.0 : q;
}

// Where the horizon-brightening part comes from: the pre-computation's lowest band
// (elevation asin(1/2N)) laid along the world horizon and sampled at its 4N azimuth
// steps, symmetric about the plane's azimuth. Each direction in front of the plane
// counts with its cosine of incidence, the light it brings to the plane. Per month the
// share that arrives: open target above the horizon line, crowns as open by the part
// without foliage, directions exactly at the horizon line by half, as in the sky factor.
std::array<double, 12> horizonBandOpen(const CompiledModel& model, double planeAzimuth, int intervals,
                                       const std::function<SampleShares(const Vec3&)>& sample) {
    const DiffuseGrid grid = makeDiffuseGrid(intervals);
    const double elevation = grid.elevation.front();
    const auto steps = grid.azimuth.size();
    const double step = 2.0 * std::numbers::pi / static_cast<double>(steps);
    double weight = 0, open = 0, crown = 0;
    for (std::size_t j = 0; j < steps; ++j) {
        const double azimuth = planeAzimuth + (static_cast<double>(j) + 0.5) * step;
        const Vec3 s = Sonnenvektor(elevation, azimuth, model.frame);
        if (!(s.y > 0)) continue;
        const SampleShares shares = sample(s);
        const double total = shares.open + shares.crown + shares.other;
        weight += s.y;
        if (!(total > 0)) continue;
        const double h = horizonHeight(model.horizon, std::fmod(azimuth / kRad + 720.0, 360.0));
        const double e = elevation / kRad;
        const double above = e > h ? 1.0 : e == h ? 0.5 : 0.0;
        open += s.y * above * shares.open / total;
        crown += s.y * above * shares.crown / total;
    }
    std::array<double, 12> out{};
    for (std::size_t m = 0; m < 12; ++m)
        out[m] = weight > 0 ? (open + crown * (100 - model.foliage[m]) / 100.0) / weight : 1.0;
    return out;
}

}  // namespace

IrradiationResult computeIrradiation(const IrradiationRequest& request, const WeatherFile& weather) {
    TSimParameter p = request.params;
    p.diffuse = true;
    selectRunMode(p, true);
    const CompiledModel model = prepareRun(request.text, request.projectFile, p, Language::English, request.method);
    const bool exactAreas = request.method == ShadingMethod::Exact;

    IrradiationResult r;
    r.warnings = siteWarnings(weather, model.site);
    const double beta = model.frame.beta;
    r.tiltDeg = 90.0 - beta / kRad;
    r.azimuthDeg = std::fmod(-model.frame.alphaPrime / kRad + 720.0, 360.0);
    const double cosTilt = std::sin(beta);
    const bool perez = request.skyModel == SkyModel::Perez;
    r.skyModel = request.skyModel;

    ShadingRaster raster;
    raster.reset(DrawingWindowKind::FastRun);
    ExactShading exact;
    const DiffuseAccumulators acc = exactAreas ? diffusePrecomputationExact(model, exact, p.elevationIntervals)
                                               : diffusePrecomputation(model, raster, p.elevationIntervals,
                                                                       p.diffuseResolution);
    const DiffuseAccumulators bare = bareAccumulators(model, p.elevationIntervals);
    // Reflectance 100 in both: the ground factor is proportional to it, so the ratio
    // holds in months whose reflectance is 0 too.
    std::array<double, 12> skyRatio{}, groundRatio{};
    for (std::size_t m = 0; m < 12; ++m) {
        const auto f = diffuseFactors(acc, model.foliage[m], 100, p.skyReduction, p.obstacleReflectance);
        const auto b = diffuseFactors(bare, model.foliage[m], 100, p.skyReduction, p.obstacleReflectance);
        skyRatio[m] = f && b ? ratio(f->sky, b->sky) : 1.0;
        groundRatio[m] = f && b ? ratio(f->ground, b->ground) : 1.0;
    }
    r.horizonOpen.fill(1.0);
    if (perez)
        r.horizonOpen = horizonBandOpen(model, r.azimuthDeg * kRad, p.elevationIntervals, [&](const Vec3& s) {
            if (exactAreas) {
                const ShadowAreas a = exact.pass(model, s);
                return SampleShares{a.target - a.shaded, a.crown, a.shaded - a.crown};
            }
            const RasterCounts c = raster.pass(model, s, p.diffuseResolution);
            return SampleShares{static_cast<double>(c.lit), static_cast<double>(c.crown),
                                static_cast<double>(c.shaded - c.crown)};
        });

    if (request.keepHours) r.hours.reserve(weather.hours.size());
    for (const WeatherHour& w : weather.hours) {
        const auto m = static_cast<std::size_t>(w.month - 1);
        IrradiationHour h;
        h.weather = &w;
        h.dayNumber = kMonatsanfang[m] + w.day - 1;
        if (w.hour == 1 && request.newDay) request.newDay(h.dayNumber);
        // The row holds the hour ending at its clock hour: the sun of its middle.
        h.sun = Sonnenstand(kSimulationYear, h.dayNumber, static_cast<float>(w.hour) - 0.5f, model.site.latitude,
                            model.site.longitude, model.site.correction);
        const double cosIncidence = Sonnenvektor(h.sun.elevation * kRad, h.sun.azimuth * kRad, model.frame).y;
        PerezParts parts;
        if (perez)
            parts = perezParts(w.diffuse, w.direct, (90.0 - h.sun.elevation) * kRad, h.dayNumber, cosIncidence,
                               std::numbers::pi / 2 - beta);
        // Open share of the sun's own direction, which the circumsolar light shares.
        double sunOpen = 0;
        if (w.direct > 0 || parts.circumsolar > 0) {
            const InstantResult instant =
                exactAreas ? instantForSunExact(model, exact, h.sun, w.month)
                           : instantForSun(model, raster, h.sun, w.month, p.resolution);
            h.computed = true;
            h.shading = instant.ergebnis;
            if (instant.ergebnis >= 0) {
                sunOpen = 1.0 - instant.ergebnis;
                if (w.direct > 0) {
                    h.wh.beam = w.direct * std::max(0.0, cosIncidence);
                    h.wh.beamShaded = h.wh.beam * sunOpen;
                }
            }
        }
        h.wh.ground = w.global * model.reflectance[m] / 100.0 * (1.0 - cosTilt) / 2.0;
        h.wh.groundShaded = h.wh.ground * groundRatio[m];
        if (perez) {
            h.wh.skyIsotropic = parts.isotropic;
            h.wh.skyCircumsolar = parts.circumsolar;
            h.wh.skyHorizon = parts.horizon;
            h.wh.skyIsotropicShaded = parts.isotropic * skyRatio[m];
            h.wh.skyCircumsolarShaded = parts.circumsolar * sunOpen;
            h.wh.skyHorizonShaded = parts.horizon * r.horizonOpen[m];
            h.wh.sky = h.wh.skyIsotropic + h.wh.skyCircumsolar + h.wh.skyHorizon;
            h.wh.skyShaded = h.wh.skyIsotropicShaded + h.wh.skyCircumsolarShaded + h.wh.skyHorizonShaded;
        } else {
            h.wh.sky = w.diffuse * (1.0 + cosTilt) / 2.0;
            h.wh.skyShaded = h.wh.sky * skyRatio[m];
            h.wh.skyIsotropic = h.wh.sky;
            h.wh.skyIsotropicShaded = h.wh.skyShaded;
        }
        r.months[m] += h.wh;
        if (request.keepHours) r.hours.push_back(h);
    }
    for (IrradiationSums& s : r.months) {
        for (double* v : {&s.beam, &s.sky, &s.ground, &s.beamShaded, &s.skyShaded, &s.groundShaded, &s.skyIsotropic,
                          &s.skyCircumsolar, &s.skyHorizon, &s.skyIsotropicShaded, &s.skyCircumsolarShaded,
                          &s.skyHorizonShaded})
            *v /= 1000.0;
        r.year += s;
    }
    return r;
}

namespace {

// A negative horizon part can round to nothing; it is written "0.00", not "-0.00".
std::string fixed(double value, int decimals) {
    std::string s = formatFixed(value, 0, decimals);
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
    return s;
}

const char* const kColumns[] = {"month",       "beam_kwh",   "sky_kwh",           "ground_kwh",
                                "beam_shaded_kwh", "sky_shaded_kwh", "ground_shaded_kwh", "loss_percent"};

std::vector<std::string> rowFields(const std::string& label, const IrradiationSums& s) {
    std::vector<std::string> f = {label};
    for (double v : {s.beam, s.sky, s.ground, s.beamShaded, s.skyShaded, s.groundShaded}) f.push_back(fixed(v, 3));
    f.push_back(formatFixed(s.lossPercent(), 0, 2));
    return f;
}

}  // namespace

std::vector<std::vector<std::string>> irradiationRows(const IrradiationResult& r) {
    std::vector<std::vector<std::string>> out;
    out.emplace_back(std::begin(kColumns), std::end(kColumns));
    for (std::size_t m = 0; m < 12; ++m) out.push_back(rowFields(std::to_string(m + 1), r.months[m]));
    out.push_back(rowFields("year", r.year));
    return out;
}

std::string irradiationCsv(const IrradiationResult& r) {
    std::string out;
    for (const auto& row : irradiationRows(r)) {
        for (std::size_t k = 0; k < row.size(); ++k) out += (k ? "," : "") + row[k];
        out += "\n";
    }
    return out;
}

std::string irradiationTable(const IrradiationResult& r) {
    std::string out = "plane of the first target: tilt " + formatFixed(r.tiltDeg, 0, 1) + " degrees, azimuth " +
                      formatFixed(r.azimuthDeg, 0, 1) + " degrees (from north through east)\n" +
                      "irradiation in kWh per m2 of target:\n";
    for (const auto& row : irradiationRows(r)) {
        for (std::size_t k = 0; k < row.size(); ++k) {
            const std::size_t width = k == 0 ? 5 : std::string(kColumns[k]).size();
            const std::string& f = row[k];
            out += (k ? "  " : "") + (k == 0 ? f + std::string(width - std::min(width, f.size()), ' ')
                                             : std::string(width - std::min(width, f.size()), ' ') + f);
        }
        out += "\n";
    }
    return out;
}

std::string irradiationHourlyCsv(const IrradiationResult& r) {
    std::string out =
        "month,day,hour,day_number,sun_azimuth,sun_elevation,shading,beam_wh,sky_wh,ground_wh,beam_shaded_wh,"
        "sky_shaded_wh,ground_shaded_wh";
    const bool perez = r.skyModel == SkyModel::Perez;
    if (perez)
        out += ",sky_isotropic_wh,sky_circumsolar_wh,sky_horizon_wh,sky_isotropic_shaded_wh,"
               "sky_circumsolar_shaded_wh,sky_horizon_shaded_wh";
    out += "\n";
    for (const IrradiationHour& h : r.hours) {
        out += std::to_string(h.weather->month) + "," + std::to_string(h.weather->day) + "," +
               std::to_string(h.weather->hour) + "," + std::to_string(h.dayNumber) + "," +
               formatFixed(h.sun.azimuth, 0, 2) + "," + formatFixed(h.sun.elevation, 0, 2) + "," +
               (h.computed ? formatFixed(h.shading, 0, 4) : std::string());
        for (double v : {h.wh.beam, h.wh.sky, h.wh.ground, h.wh.beamShaded, h.wh.skyShaded, h.wh.groundShaded})
            out += "," + fixed(v, 2);
        if (perez)
            for (double v : {h.wh.skyIsotropic, h.wh.skyCircumsolar, h.wh.skyHorizon, h.wh.skyIsotropicShaded,
                             h.wh.skyCircumsolarShaded, h.wh.skyHorizonShaded})
                out += "," + fixed(v, 2);
        out += "\n";
    }
    return out;
}

}  // namespace penumbro
