// The Python module "penumbro": the shading engine for scripts and notebooks. Every
// computation is the core's own (the CLI's instant, run and irradiation), so a script
// gets the numbers the program writes.

#include "engine/Augenblick.h"
#include "project/Calendar.h"
#include "engine/Compiler.h"
#include "engine/ExactShading.h"
#include "engine/Sun.h"
#include "project/Encoding.h"
#include "project/InputError.h"
#include "project/ProjectFile.h"
#include "project/Version.h"
#include "simulation/Irradiation.h"
#include "simulation/RunSession.h"
#include "formats/KonFile.h"
#include "simulation/Simulation.h"
#include "simulation/SkyModel.h"
#include "formats/WeatherFile.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace py = pybind11;

namespace penumbro::python {

namespace {

// The core's messages are Windows-1252; Python speaks UTF-8.
std::string englishMessage(const InputError& e) { return cp1252ToUtf8(e.render(Language::English)); }

std::string fromPython(const std::string& utf8) { return utf8ToCp1252(utf8); }

ShadingMethod methodFromName(const std::string& name) {
    if (name == "raster") return ShadingMethod::Raster;
    if (name == "exact") return ShadingMethod::Exact;
    throw py::value_error("method must be \"raster\" or \"exact\", not \"" + name + "\"");
}

// A keyword value as the text "--set KEY=VALUE" would carry.
std::string parameterText(const py::handle& value) {
    if (py::isinstance<py::bool_>(value)) return value.cast<bool>() ? "1" : "0";
    if (py::isinstance<py::int_>(value) || py::isinstance<py::float_>(value) || py::isinstance<py::str>(value))
        return py::str(value).cast<std::string>();
    throw py::type_error("run parameters take numbers, booleans or strings");
}

// Start values or a .kon file, then the keywords in the order given (underscores stand
// for the dashes of the CLI's keys: first_month is first-month).
TSimParameter runParameters(const std::optional<std::string>& kon, const py::kwargs& keywords) {
    TSimParameter p;
    if (kon) p = readKonFile(fromPython(*kon));
    for (const auto& [key, value] : keywords) {
        std::string name = key.cast<std::string>();
        std::replace(name.begin(), name.end(), '_', '-');
        setSimParameter(p, name, parameterText(value));
    }
    return p;
}

// A day number 1..365, whole.
int dayNumber(double day) {
    if (!std::isfinite(day) || day != std::floor(day) || day < 1 || day > 365)
        throw py::value_error("days must be whole numbers 1..365, got " + py::repr(py::float_(day)).cast<std::string>());
    return static_cast<int>(day);
}

// The clock time as the CLI's "--time HH:MM" gives it (minutes / 60 + hours in single
// precision), so whole minutes give bit for bit its instant; other times as they are.
float clockHours(double hour) {
    if (!std::isfinite(hour) || hour < 0 || hour >= 24)
        throw py::value_error("hours must be clock times 0 <= hour < 24, got " +
                              py::repr(py::float_(hour)).cast<std::string>());
    const double minutes = hour * 60.0;
    const double whole = std::round(minutes);
    if (std::fabs(minutes - whole) < 1e-6 && whole < 1440) {
        const int m = static_cast<int>(whole);
        return static_cast<float>(m % 60) / 60.0f + static_cast<float>(m / 60);
    }
    return static_cast<float>(hour);
}

using Doubles = py::array_t<double, py::array::c_style | py::array::forcecast>;

// Inputs of equal shape (a scalar goes with any shape), flattened; the shape of the
// result and whether it is a scalar.
struct Broadcast {
    std::vector<std::vector<double>> columns;
    std::vector<py::ssize_t> shape;
    bool scalar = true;
    std::size_t size = 1;
};

Broadcast broadcast(const std::vector<std::pair<const char*, py::object>>& inputs) {
    Broadcast b;
    std::vector<Doubles> arrays;
    for (const auto& [name, object] : inputs) {
        Doubles a = Doubles::ensure(object);
        if (!a) throw py::type_error(std::string(name) + " must be a number or an array of numbers");
        if (a.ndim() > 0) {
            std::vector<py::ssize_t> shape(a.shape(), a.shape() + a.ndim());
            if (!b.scalar && shape != b.shape)
                throw py::value_error(std::string(name) + " has another shape than the arrays before it");
            b.shape = shape;
            b.scalar = false;
            b.size = static_cast<std::size_t>(a.size());
        }
        arrays.push_back(std::move(a));
    }
    for (const Doubles& a : arrays) {
        std::vector<double> column(b.size);
        for (std::size_t i = 0; i < b.size; ++i) column[i] = a.ndim() == 0 ? *a.data() : a.data()[i];
        b.columns.push_back(std::move(column));
    }
    return b;
}

py::object shaped(const Broadcast& b, const std::vector<double>& values) {
    if (b.scalar) return py::float_(values.front());
    Doubles out(b.shape);
    std::copy(values.begin(), values.end(), out.mutable_data());
    return out;
}

unsigned workerCount(std::optional<int> threads, std::size_t jobs) {
    if (threads && *threads < 1) throw py::value_error("threads must be at least 1");
    const unsigned wanted = threads ? static_cast<unsigned>(*threads) : std::max(1u, std::thread::hardware_concurrency());
    return static_cast<unsigned>(std::max<std::size_t>(1, std::min<std::size_t>(wanted, jobs)));
}

// Runs body(first, last) over [0, count) on up to `workers` threads; the first
// exception of any of them is rethrown.
template <typename Body>
void parallelChunks(std::size_t count, unsigned workers, Body body) {
    std::vector<std::thread> pool;
    std::vector<std::exception_ptr> errors(workers);
    const std::size_t chunk = (count + workers - 1) / workers;
    for (unsigned w = 0; w < workers; ++w) {
        const std::size_t first = w * chunk, last = std::min(count, first + chunk);
        if (first >= last) break;
        pool.emplace_back([&, w, first, last] {
            try {
                body(first, last);
            } catch (...) {
                errors[w] = std::current_exception();
            }
        });
    }
    for (std::thread& t : pool) t.join();
    for (const std::exception_ptr& e : errors)
        if (e) std::rethrow_exception(e);
}

double polygonArea(const TFlaeche& f) {
    Vec3 n{};
    for (int i = 0; i < f.n; ++i) {
        const Vec3& a = f.v[static_cast<std::size_t>(i)];
        const Vec3& b = f.v[static_cast<std::size_t>((i + 1) % f.n)];
        n.x += a.y * b.z - a.z * b.y;
        n.y += a.z * b.x - a.x * b.z;
        n.z += a.x * b.y - a.y * b.x;
    }
    return 0.5 * std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
}

constexpr double kDegrees = 180.0 / 3.14159265358979323846;

}  // namespace

class Project {
public:
    explicit Project(const std::string& path) : path_(fromPython(path)) {
        lines_ = loadProjectFile(path_).lines;
        model_ = parseProject(lines_, path_);
    }

    std::string path() const { return cp1252ToUtf8(path_); }

    std::vector<std::string> text() const {
        std::vector<std::string> out;
        out.reserve(lines_.size());
        for (const std::string& line : lines_) out.push_back(cp1252ToUtf8(line));
        return out;
    }

    int surfaceCount() const { return static_cast<int>(model_.flaechen.size()); }

    py::dict site() const {
        py::dict d;
        d["latitude"] = model_.site.latitude;
        d["longitude"] = model_.site.longitude;
        d["correction"] = model_.site.correction;
        return d;
    }

    py::list targets() const {
        py::list out;
        for (const TFlaeche& f : model_.flaechen) {
            if (!f.istTarget) continue;
            py::dict d;
            d["name"] = cp1252ToUtf8(f.name);
            d["area"] = polygonArea(f);
            d["azimuth"] = f.alpha * kDegrees;
            d["tilt"] = 90.0 - f.beta * kDegrees;
            out.append(std::move(d));
        }
        return out;
    }

    py::object shading(const py::object& days, const py::object& hours, const std::string& method, bool online,
                       std::optional<int> resolution, std::optional<int> threads, const std::optional<std::string>& kon,
                       const py::kwargs& keywords) const {
        const ShadingMethod m = methodFromName(method);
        if (m == ShadingMethod::Exact && online) throw py::value_error("online draws the raster: not with method=\"exact\"");
        const Broadcast b = broadcast({{"days", days}, {"hours", hours}});
        std::vector<int> dayNumbers(b.size);
        std::vector<float> clocks(b.size);
        for (std::size_t i = 0; i < b.size; ++i) {
            dayNumbers[i] = dayNumber(b.columns[0][i]);
            clocks[i] = clockHours(b.columns[1][i]);
        }
        TSimParameter p = runParameters(kon, keywords);
        const DrawingWindowKind window = online ? DrawingWindowKind::Online : DrawingWindowKind::FastRun;
        // The online view counts every pixel unless told otherwise, as "instant --online".
        if (online) p.onlineResolution = resolution.value_or(1);
        else if (resolution) p.resolution = *resolution;
        const int step = online ? p.onlineResolution : p.resolution;
        std::vector<double> results(b.size);
        const unsigned workers = workerCount(threads, b.size);
        {
            py::gil_scoped_release released;
            const CompiledModel model = prepareRun(lines_, path_, p, Language::English, m, window);
            parallelChunks(b.size, workers, [&](std::size_t first, std::size_t last) {
                ShadingRaster raster;
                raster.reset(window);
                ExactShading exact;
                for (std::size_t i = first; i < last; ++i) {
                    const int d = dayNumbers[i];
                    InstantResult r;
                    if (m == ShadingMethod::Exact) {
                        const SunPosition sun = Sonnenstand(kSimulationYear, d, clocks[i], model.site.latitude,
                                                            model.site.longitude, model.site.correction);
                        r = instantForSunExact(model, exact, sun, monthOfDay(d));
                    } else {
                        r = Augenblick(model, raster, d, clocks[i], monthOfDay(d), step);
                    }
                    results[i] = r.ergebnis;
                }
            });
        }
        return shaped(b, results);
    }

    py::dict diffuseFactorsOf(const std::string& method, const std::optional<std::string>& kon,
                              const py::kwargs& keywords) const {
        const ShadingMethod m = methodFromName(method);
        TSimParameter p = runParameters(kon, keywords);
        p.diffuse = true;
        std::array<DiffuseFactors, 12> factors{};
        {
            py::gil_scoped_release released;
            const CompiledModel model = prepareRun(lines_, path_, p, Language::English, m);
            ShadingRaster raster;
            raster.reset(DrawingWindowKind::FastRun);
            ExactShading exact;
            const DiffuseAccumulators acc = m == ShadingMethod::Exact
                                                ? diffusePrecomputationExact(model, exact, p.elevationIntervals)
                                                : diffusePrecomputation(model, raster, p.elevationIntervals,
                                                                        p.diffuseResolution);
            if (acc.n == 0)
                throw InputError(path_, 0, ErrorMessage("No pixel of the target surface was counted for the diffuse radiation."));
            for (std::size_t i = 0; i < 12; ++i)
                factors[i] = diffuseFactors(acc, model.foliage[i], model.reflectance[i], p.skyReduction,
                                            p.obstacleReflectance)
                                 .value_or(DiffuseFactors{});
        }
        Doubles sky(12), ground(12);
        for (std::size_t i = 0; i < 12; ++i) {
            sky.mutable_data()[i] = factors[i].sky;
            ground.mutable_data()[i] = factors[i].ground;
        }
        py::dict d;
        d["sky"] = sky;
        d["ground"] = ground;
        return d;
    }

    py::object irradiation(const std::string& weatherPath, const std::string& skyModel, const std::string& method,
                           bool asFrame, const std::optional<std::string>& kon, const py::kwargs& keywords) const {
        IrradiationRequest request;
        const auto sky = skyModelFromName(skyModel);
        if (!sky) throw py::value_error("sky_model must be \"isotropic\" or \"perez\", not \"" + skyModel + "\"");
        request.skyModel = *sky;
        request.method = methodFromName(method);
        request.params = runParameters(kon, keywords);
        request.keepHours = true;
        request.text = lines_;
        request.projectFile = path_;
        const std::string weatherFile = fromPython(weatherPath);
        // The hours point into the weather rows: both live to the end of this call.
        WeatherFile weather;
        IrradiationResult r;
        {
            py::gil_scoped_release released;
            weather = readWeatherFile(weatherFile);
            r = computeIrradiation(request, weather);
        }
        for (const ErrorMessage& w : weather.warnings)
            PyErr_WarnEx(PyExc_UserWarning, cp1252ToUtf8(weatherFile + ": " + w.render(Language::English)).c_str(), 1);
        for (const std::string& w : r.warnings)
            PyErr_WarnEx(PyExc_UserWarning, (cp1252ToUtf8(weatherFile) + ": " + cp1252ToUtf8(w)).c_str(), 1);

        const std::size_t n = r.hours.size();
        const bool perez = r.skyModel == SkyModel::Perez;
        // The columns of the hourly file, in its order.
        std::vector<std::pair<const char*, double (*)(const IrradiationHour&)>> columns = {
            {"month", [](const IrradiationHour& h) { return double(h.weather->month); }},
            {"day", [](const IrradiationHour& h) { return double(h.weather->day); }},
            {"hour", [](const IrradiationHour& h) { return double(h.weather->hour); }},
            {"day_number", [](const IrradiationHour& h) { return double(h.dayNumber); }},
            {"sun_azimuth", [](const IrradiationHour& h) { return double(h.sun.azimuth); }},
            {"sun_elevation", [](const IrradiationHour& h) { return double(h.sun.elevation); }},
            {"shading", [](const IrradiationHour& h) { return h.computed ? h.shading : std::nan(""); }},
            {"beam_wh", [](const IrradiationHour& h) { return h.wh.beam; }},
            {"sky_wh", [](const IrradiationHour& h) { return h.wh.sky; }},
            {"ground_wh", [](const IrradiationHour& h) { return h.wh.ground; }},
            {"beam_shaded_wh", [](const IrradiationHour& h) { return h.wh.beamShaded; }},
            {"sky_shaded_wh", [](const IrradiationHour& h) { return h.wh.skyShaded; }},
            {"ground_shaded_wh", [](const IrradiationHour& h) { return h.wh.groundShaded; }},
        };
        if (perez) {
            columns.insert(columns.end(), {
                {"sky_isotropic_wh", [](const IrradiationHour& h) { return h.wh.skyIsotropic; }},
                {"sky_circumsolar_wh", [](const IrradiationHour& h) { return h.wh.skyCircumsolar; }},
                {"sky_horizon_wh", [](const IrradiationHour& h) { return h.wh.skyHorizon; }},
                {"sky_isotropic_shaded_wh", [](const IrradiationHour& h) { return h.wh.skyIsotropicShaded; }},
                {"sky_circumsolar_shaded_wh", [](const IrradiationHour& h) { return h.wh.skyCircumsolarShaded; }},
                {"sky_horizon_shaded_wh", [](const IrradiationHour& h) { return h.wh.skyHorizonShaded; }},
            });
        }
        py::dict out;
        for (const auto& [name, value] : columns) {
            const bool whole = std::string(name) == "month" || std::string(name) == "day" ||
                               std::string(name) == "hour" || std::string(name) == "day_number";
            if (whole) {
                py::array_t<int> a(static_cast<py::ssize_t>(n));
                for (std::size_t i = 0; i < n; ++i) a.mutable_data()[i] = static_cast<int>(value(r.hours[i]));
                out[name] = a;
            } else {
                Doubles a(static_cast<py::ssize_t>(n));
                for (std::size_t i = 0; i < n; ++i) a.mutable_data()[i] = value(r.hours[i]);
                out[name] = a;
            }
        }
        if (!asFrame) return out;
        const py::module_ pandas = py::module_::import("pandas");
        // Weather rows are hours ending at their clock hour: 1 January 01:00 .. 1 January 00:00 of the next year.
        py::dict dates;
        dates["year"] = kSimulationYear;
        dates["month"] = out["month"];
        dates["day"] = out["day"];
        const py::object midnight = pandas.attr("to_datetime")(pandas.attr("DataFrame")(dates));
        const py::object index =
            pandas.attr("DatetimeIndex")(midnight + pandas.attr("to_timedelta")(out["hour"], py::arg("unit") = "h"));
        return pandas.attr("DataFrame")(out, py::arg("index") = index);
    }

    py::dict run(const std::string& outBase, const std::string& method, bool comma, const std::optional<std::string>& kon,
                 const py::kwargs& keywords) const {
        RunRequest request;
        request.text = lines_;
        request.projectFile = path_;
        request.params = runParameters(kon, keywords);
        request.settings.baseName = fromPython(outBase);
        request.settings.decimalComma = comma;
        request.settings.language = Language::English;
        request.settings.method = methodFromName(method);
        RunResult r;
        {
            py::gil_scoped_release released;
            r = runSession(request, RunEvents{});
        }
        py::dict d;
        d["report_file"] = outBase + ".rep";
        d["mean_value_file"] = outBase + ".mit";
        d["instants"] = r.instants;
        d["sun_on_target"] = r.sunOnTarget;
        Doubles means(12);
        for (std::size_t m = 0; m < 12; ++m) {
            const MonthStats& s = r.months[m];
            means.mutable_data()[m] = s.sunOnTarget > 0 ? s.shadingSum / static_cast<double>(s.sunOnTarget) : std::nan("");
        }
        d["monthly_mean_shading"] = means;
        return d;
    }

private:
    std::string path_;  // Windows-1252, as the core's messages name it
    Lines lines_;
    CompiledModel model_;
};

py::object sun(const py::object& day, const py::object& hour, const py::object& latitude, const py::object& longitude,
               const py::object& correction) {
    const Broadcast b = broadcast(
        {{"day", day}, {"hour", hour}, {"latitude", latitude}, {"longitude", longitude}, {"correction", correction}});
    std::vector<double> azimuth(b.size), elevation(b.size);
    for (std::size_t i = 0; i < b.size; ++i) {
        const int d = dayNumber(b.columns[0][i]);
        const float clock = clockHours(b.columns[1][i]);
        const double lat = b.columns[2][i], lon = b.columns[3][i], corr = b.columns[4][i];
        if (!(std::fabs(lat) <= 90)) throw py::value_error("latitude must lie in -90..90");
        if (!(std::fabs(lon) <= 180)) throw py::value_error("longitude must lie in -180..180");
        if (!(std::fabs(corr) <= 12)) throw py::value_error("correction must lie in -12..12 hours");
        const SunPosition s = Sonnenstand(kSimulationYear, d, clock, lat, lon, corr);
        azimuth[i] = s.azimuth;
        elevation[i] = s.elevation;
    }
    return py::make_tuple(shaped(b, azimuth), shaped(b, elevation));
}

}  // namespace penumbro::python

PYBIND11_MODULE(penumbro, m) {
    using penumbro::python::Project;
    namespace pp = penumbro::python;
    m.doc() =
        "Shading of building surfaces by their surroundings: the engine of the penumbro program.\n\n"
        "Conventions: azimuths in degrees from north through east (south 180); elevations in degrees\n"
        "above the astronomical horizon without refraction; longitude in degrees, positive WEST of\n"
        "Greenwich; the time correction in hours is added to the clock time to give universal time\n"
        "(-1 for Central European Time); days 1..365 of the year 1995; clock hours 0 <= hour < 24.\n"
        "Shading results are the shaded fraction 0..1 of the target, -1 when the sun is below the\n"
        "astronomical horizon or behind the target plane, -2 when it is behind the horizon line.";
    m.attr("__version__") = penumbro::kProgramVersion;

    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const penumbro::InputError& e) {
            PyErr_SetString(PyExc_ValueError, pp::englishMessage(e).c_str());
        }
    });

    m.def("sun", &pp::sun, py::arg("day"), py::arg("hour"), py::arg("latitude"), py::arg("longitude"),
          py::arg("correction") = 0.0,
          "sun(day, hour, latitude, longitude, correction=0.0) -> (azimuth, elevation)\n\n"
          "The sun's position in degrees: azimuth from north through east (south 180), elevation above\n"
          "the astronomical horizon. day: 1..365 (year 1995); hour: clock time in hours, 0 <= hour < 24;\n"
          "latitude: degrees, north positive; longitude: degrees, positive WEST of Greenwich;\n"
          "correction: hours added to the clock time to give universal time. Arrays of one shape (or\n"
          "scalars) give arrays of that shape.");

    py::class_<Project>(m, "Project",
                        "A project file (.dat). Raises ValueError naming the file and line when it cannot be read.")
        .def(py::init<const std::string&>(), py::arg("path"))
        .def_property_readonly("path", &Project::path, "The file's path.")
        .def_property_readonly("text", &Project::text, "The project text, one string per line.")
        .def_property_readonly("surface_count", &Project::surfaceCount, "Number of surfaces in the text.")
        .def_property_readonly("site", &Project::site,
                               "{'latitude', 'longitude', 'correction'}: degrees north, degrees WEST, hours to UT.")
        .def_property_readonly("targets", &Project::targets,
                               "The target surfaces: name, area (m2), azimuth of the outward normal (degrees from "
                               "north through east) and tilt (degrees; 0 facing up, 90 vertical).")
        .def("shading", &Project::shading, py::arg("days"), py::arg("hours"), py::arg("method") = "raster",
             py::arg("online") = false, py::arg("resolution") = py::none(), py::arg("threads") = py::none(),
             py::arg("kon") = py::none(),
             "shading(days, hours, method='raster', online=False, resolution=None, threads=None, kon=None, "
             "**parameters) -> numpy.ndarray\n\n"
             "The result of each instant exactly as `penumbro-cli instant` gives it: the shaded fraction 0..1,\n"
             "-1 (sun below the horizon or behind the target) or -2 (behind the horizon line). days and hours\n"
             "are arrays of one shape (or scalars). method: 'raster' or 'exact'; online: the online view's\n"
             "drawing window; resolution: the counting step in pixels; threads: worker threads (default: all\n"
             "cores); kon: a .kon file; further keywords set run parameters as `--set` does (first_month=3).\n"
             "Computed without the GIL.")
        .def("diffuse_factors", &Project::diffuseFactorsOf, py::arg("method") = "raster", py::arg("kon") = py::none(),
             "diffuse_factors(method='raster', kon=None, **parameters) -> {'sky': ndarray, 'ground': ndarray}\n\n"
             "The twelve monthly diffuse sky and ground factors (January..December) as a run with diffuse=1\n"
             "computes them.")
        .def("irradiation", &Project::irradiation, py::arg("weather_path"), py::arg("sky_model") = "perez",
             py::arg("method") = "raster", py::arg("as_frame") = false, py::arg("kon") = py::none(),
             "irradiation(weather_path, sky_model='perez', method='raster', as_frame=False, kon=None, "
             "**parameters)\n\n"
             "The hourly columns of `penumbro-cli irradiation --hourly` for an EPW weather file, in Wh/m2 per\n"
             "hour (shading: NaN where no instant was computed). A dict of numpy arrays, or with\n"
             "as_frame=True a pandas DataFrame indexed by the end of each hour.")
        .def("run", &Project::run, py::arg("out_base"), py::arg("method") = "raster", py::arg("comma") = false,
             py::arg("kon") = py::none(),
             "run(out_base, method='raster', comma=False, kon=None, **parameters) -> dict\n\n"
             "A fast run writing out_base.rep and out_base.mit exactly as `penumbro-cli run` with the same\n"
             "`--set` keys; returns the counts and the monthly mean shading while the sun is on the target.");
}
