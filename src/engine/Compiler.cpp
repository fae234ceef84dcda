#include "engine/Compiler.h"

#include "engine/Frames.h"
#include "project/InputError.h"
#include "project/Numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <string_view>

namespace penumbro {

namespace {

constexpr double kPi = std::numbers::pi;

const char* const kAlphaMessage =
    "Alpha liegt au\xDF" "erhalb des erlaubten Wertebereichs. \xDC" "berpr\xFC" "fen Sie ihr "
    "Geb\xE4udefile. Programm abgebrochen!";
const char* const kBetaMessage =
    "Beta liegt au\xDF" "erhalb des erlaubten Wertebereichs. \xDC" "berpr\xFC" "fen Sie ihr "
    "Geb\xE4udefile. Programm abgebrochen!";

// Twelve monthly percentages of a foliage or reflectance line. A percentage outside
// 0..100 would scale radiation by more than all or less than nothing.
std::array<int, 12> monthlyLine(const Lines& text, std::size_t index, std::size_t offset,
                                const std::string& file, ErrorId faulty) {
    const auto values = monthlyFields(text[index], offset);
    if (!values) throw InputError(file, static_cast<int>(index) + 1, {faulty, {text[index]}});
    return *values;
}

// The site's ranges as the site panel enforces them; a site beyond them would put the
// sun at a place that does not exist.
void siteField(double value, double limit, ErrorId outside, const std::string& file, int lineNo) {
    if (value < -limit || value > limit)
        throw InputError(file, lineNo, {outside, {formatFixed(limit, 0, 0), formatFixed(value, 0, 1)}});
}

// Trees go to the front so that every other obstacle is drawn over them.
void moveTreesToFront(std::vector<TFlaeche>& s) {
    const std::size_t n = s.size();
    constexpr auto block = static_cast<std::size_t>(kTreeSurfaces);
    std::size_t i = 1;  // slot 2
    while (i < n) {
        if (s[i].name == kTreeName && i + block <= n) {
            std::rotate(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(i),
                        s.begin() + static_cast<std::ptrdiff_t>(i + block));
            i += block;
        } else {
            ++i;
        }
    }
}

}  // namespace

CompiledModel parseProject(const Lines& text, const std::string& fileName) {
    const ProjectScan scan = scanSoundProject(text, fileName);
    CompiledModel model;
    model.flaechen.reserve(scan.surfaces.size());
    for (const SurfaceRecord& r : scan.surfaces) {
        TFlaeche s;
        s.name = text[r.nameLine];
        s.istTarget = r.target;
        if (r.foliageLine) {
            model.hasFoliage = true;
            model.foliage = monthlyLine(text, *r.foliageLine, kFoliageOffset, fileName, ErrorId::FoliageLine);
        }
        s.n = static_cast<int>(r.vertices.size());
        for (std::size_t j = 0; j < r.vertices.size(); ++j)
            s.v[j] = {r.vertices[j][0], r.vertices[j][1], r.vertices[j][2]};
        computeNormalAngles(s);
        model.flaechen.push_back(std::move(s));
    }
    model.horizon = horizonEntries(text, scan, fileName);
    if (model.hasFoliage) moveTreesToFront(model.flaechen);

    if (const std::string* line = valueLine(text, scan.siteKeyword)) {
        const int lineNo = static_cast<int>(*scan.siteKeyword) + 2;
        const auto site = threeNumbers(*line);
        if (!site)
            throw InputError(fileName, lineNo, {ErrorId::SiteLine, {*line}});
        model.site = {(*site)[0], (*site)[1], (*site)[2]};
        siteField(model.site.latitude, 90, ErrorId::LatitudeRange, fileName, lineNo);
        siteField(model.site.longitude, 180, ErrorId::LongitudeRange, fileName, lineNo);
        siteField(model.site.correction, 12, ErrorId::CorrectionRange, fileName, lineNo);
    }
    if (valueLine(text, scan.reflectanceKeyword))
        model.reflectance = monthlyLine(text, *scan.reflectanceKeyword + 1, kReflectanceOffset, fileName,
                                        ErrorId::ReflectanceLine);
    return model;
}

int firstTargetIndex(const CompiledModel& model) {
    for (std::size_t i = 0; i < model.flaechen.size(); ++i)
        if (model.flaechen[i].istTarget) return static_cast<int>(i);
    return -1;
}

CompiledModel compileProject(const Lines& text, const std::string& fileName) {
    CompiledModel model = parseProject(text, fileName);
    const int first = firstTargetIndex(model);
    if (first < 0) return model;

    const TFlaeche& t = model.flaechen[static_cast<std::size_t>(first)];
    if (!(t.alpha >= 0 && t.alpha <= 2 * kPi)) throw InputError(fileName, 0, kAlphaMessage);
    if (!(t.beta >= -kPi / 2 && t.beta <= kPi / 2)) throw InputError(fileName, 0, kBetaMessage);
    model.frame.alphaPrime = -t.alpha;
    model.frame.beta = t.beta;

    for (auto& s : model.flaechen) {
        rotateAboutZ(s, kPi + model.frame.alphaPrime);
        rotateAboutX(s, -model.frame.beta);
    }

    const TFlaeche& ft = model.flaechen[static_cast<std::size_t>(first)];
    Vec3 origin{std::numeric_limits<double>::infinity(), ft.n > 0 ? ft.v[0].y : 0.0,
                std::numeric_limits<double>::infinity()};
    for (const auto& s : model.flaechen) {
        if (!s.istTarget) continue;
        for (int i = 0; i < s.n; ++i) {
            origin.x = std::min(origin.x, s.v[static_cast<std::size_t>(i)].x);
            origin.z = std::min(origin.z, s.v[static_cast<std::size_t>(i)].z);
        }
    }
    if (!std::isfinite(origin.x)) origin.x = 0;
    if (!std::isfinite(origin.z)) origin.z = 0;
    model.frame.origin = origin;
    for (auto& s : model.flaechen) {
        for (int i = 0; i < s.n; ++i) {
            Vec3& p = s.v[static_cast<std::size_t>(i)];
            p.x -= origin.x;
            p.y -= origin.y;
            p.z -= origin.z;
        }
    }

    std::erase_if(model.flaechen, [](const TFlaeche& s) {
        if (s.istTarget) return false;
        for (int i = 0; i < s.n; ++i)
            if (s.v[static_cast<std::size_t>(i)].y < 0) return false;
        return true;
    });
    for (auto& s : model.flaechen)
        if (!s.istTarget) clipAtTargetPlane(s);
    return model;
}

}  // namespace penumbro
