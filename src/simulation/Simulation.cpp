#include "simulation/Simulation.h"

#include "engine/Augenblick.h"
#include "project/Calendar.h"
#include "engine/Compiler.h"
#include "engine/ExactShading.h"
#include "engine/Frames.h"
#include "engine/ShadingRaster.h"
#include "engine/Sun.h"
#include "formats/MeanValueFile.h"
#include "formats/ReportFile.h"
#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/SharedTexts.h"
#include "simulation/TimeStepper.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

#include <unistd.h>

namespace penumbro {

namespace {

const char* text(Language lang, const char* german, const char* english) {
    return lang == Language::German ? german : english;
}

struct HourSlot {
    double sum = 0;
    int count = 0;
};

// The files a cancelled run is about to replace become the backups, replacing the
// backups of an earlier cancel.
void keepPreviousFiles(const std::string& baseName) {
    for (const char* ext : {".rep", ".mit"}) {
        const std::string file = baseName + ext;
        if (!fileExists(file)) continue;
        const std::string backup = file + kBackupSuffix;
        if (std::rename(file.c_str(), backup.c_str()) != 0)
            throw InputError(backup, 0, {ErrorId::CannotWrite, {std::strerror(errno)}});
    }
}

}  // namespace

void selectRunMode(TSimParameter& p, bool fastRun) { p.fastRun = fastRun; }

CompiledModel prepareRun(const Lines& lines, const std::string& projectFile, TSimParameter& p,
                         Language lang, ShadingMethod method, DrawingWindowKind window) {
    CompiledModel model = compileProject(lines, projectFile);
    p.latitude = model.site.latitude;
    p.longitude = model.site.longitude;
    p.correction = model.site.correction;
    // A record filled outside its ranges (zero steps, day 0, a counting step of 0)
    // would stall the clock or compute instants that do not exist.
    if (auto problem = simParameterProblem(p)) throw InputError({ErrorId::RunParameterRange, problem->args});
    if (firstTargetIndex(model) < 0)
        throw InputError(projectFile, 0, noTargetMessage(lang));
    // A first target without a normal would be taken as facing north: every sunny
    // instant would read as "sun behind the target".
    auto noArea = [&] {
        throw InputError(projectFile, 0,
                         text(lang, "Die Targetfl\xE4" "che hat keine Fl\xE4" "che.",
                              "The target surface has no area."));
    };
    if (!targetHasArea(model) || !hasNormal(model.flaechen[static_cast<std::size_t>(firstTargetIndex(model))]))
        noArea();
    // Exact areas ignore the resolution fields; their counterpart of "no pixel counted"
    // is a union of the targets without area (outlines that cancel out, even-odd).
    if (method == ShadingMethod::Exact) {
        if (!(ExactShading().prepare(model) > 0)) noArea();
        return model;
    }
    ShadingRaster probe;
    probe.reset(window);
    probe.prepare(model);
    auto tooCoarse = [&](const char* field) {
        throw InputError(projectFile, 0,
                         std::string(text(lang, "Die Aufl\xF6sung ist zu grob: kein Pixel der "
                                                "Targetfl\xE4" "che wird gez\xE4hlt (",
                                          "The resolution is too coarse: no pixel of the target "
                                          "surface is counted (")) +
                             field + ").");
    };
    if (window == DrawingWindowKind::Online) {
        if (p.onlineResolution < 1 || probe.sampledMaskPixels(p.onlineResolution) == 0)
            tooCoarse("online-resolution");
        return model;
    }
    if (p.resolution < 1 || probe.sampledMaskPixels(p.resolution) == 0) tooCoarse("resolution");
    if (p.diffuse && (p.diffuseResolution < 1 || probe.sampledMaskPixels(p.diffuseResolution) == 0))
        tooCoarse("diffuse-resolution");
    return model;
}

RunResult Simulation(const Lines& lines, const std::string& projectFile, TSimParameter& p,
                     const RunSettings& settings, const RunObserver& observer) {
    selectRunMode(p, true);
    const CompiledModel model = prepareRun(lines, projectFile, p, settings.language, settings.method);
    const bool exactAreas = settings.method == ShadingMethod::Exact;
    // No base name: the caller wants the numbers only (a report), not the files.
    struct Output {
        std::optional<AtomicFileWriter> file;
        void write(std::string_view bytes) { if (file) file->write(bytes); }
        void commit() { if (file) file->commit(); }
    };
    Output rep, mit;
    if (!settings.baseName.empty()) {
        rep.file.emplace(settings.baseName + ".rep");
        mit.file.emplace(settings.baseName + ".mit");
    }
    const bool comma = settings.decimalComma;

    RunResult result;
    result.params = p;
    ShadingRaster raster;
    raster.reset(DrawingWindowKind::FastRun);
    ExactShading exact;
    auto instant = [&](int day, float clockHours, int month) {
        if (!exactAreas) return Augenblick(model, raster, day, clockHours, month, p.resolution);
        const SunPosition sun = Sonnenstand(kSimulationYear, day, clockHours, model.site.latitude,
                                            model.site.longitude, model.site.correction);
        return instantForSunExact(model, exact, sun, month);
    };

    if (p.diffuse) {
        if (observer.diffuse) observer.diffuse(true);
        result.diffuse = exactAreas ? diffusePrecomputationExact(model, exact, p.elevationIntervals)
                                    : diffusePrecomputation(model, raster, p.elevationIntervals, p.diffuseResolution);
        if (observer.diffuse) observer.diffuse(false);
        if (result.diffuse->n == 0)
            throw InputError(projectFile, 0,
                             text(settings.language,
                                  "F\xFCr die Diffusstrahlung wurde kein Pixel der Targetfl\xE4" "che gez\xE4hlt.",
                                  "No pixel of the target surface was counted for the diffuse radiation."));
    }
    auto factorsOf = [&](int month) {
        const auto m = static_cast<std::size_t>(month - 1);
        return diffuseFactors(*result.diffuse, model.foliage[m], model.reflectance[m],
                              p.skyReduction, p.obstacleReflectance)
            .value_or(DiffuseFactors{});
    };

    std::vector<TSchrittEintrag> buffer;
    buffer.reserve(kStepBufferSize);
    auto flushBuffer = [&] {
        std::string block;
        block.reserve(buffer.size() * 64);
        for (const auto& e : buffer) block += reportLine(e, p.diffuse, comma);
        rep.write(block);
        buffer.clear();
    };
    std::array<HourSlot, 24> slots{};
    // The hour slots as a mean-value block (daily: the whole run's, without heading).
    auto hourBlock = [&](int month) {
        MitBlock block;
        block.monthly = month > 0;
        block.month = block.monthly ? month : 1;
        for (std::size_t h = 0; h < 24; ++h) block.means[h] = hourMean(slots[h].sum, slots[h].count);
        return block;
    };

    TimeStepper clock(p);
    std::int32_t step = 1;
    for (;;) {
        const int month = p.monthly ? clock.month() : monthOfDay(clock.day());
        const InstantResult r = instant(clock.day(), clock.clockHours(), month);

        if (result.instants == 0) result.firstDay = clock.day();
        result.lastDay = clock.day();
        TSchrittEintrag e{step++, clock.day(), clock.hour(), clock.minute(), r.ergebnis, 0, 0};
        if (result.diffuse) {
            const DiffuseFactors f = factorsOf(month);
            e.sky = f.sky;
            e.ground = f.ground;
        }
        buffer.push_back(e);
        if (buffer.size() == kStepBufferSize) flushBuffer();

        int slot = clock.minute() < 31 ? clock.hour() : clock.hour() + 1;
        if (slot == 24) slot = 0;
        auto& s = slots[static_cast<std::size_t>(slot)];
        s.sum += r.ergebnis >= 0 ? r.ergebnis : 1.0;
        ++s.count;

        MonthStats& ms = result.months[static_cast<std::size_t>(month - 1)];
        ++ms.instants;
        ++result.instants;
        if (r.sunOnTarget) {
            ++ms.sunOnTarget;
            ++result.sunOnTarget;
            ms.shadingSum += r.ergebnis;
        }
        if (observer.progress) observer.progress({clock.day(), month, result.instants});

        if (const int done = clock.advance()) {
            const auto m = static_cast<std::size_t>(done - 1);
            MitBlock block = hourBlock(done);
            result.monthlyMeans[m] = block.means;
            result.monthsShown[m] = true;  // the chart shows every month run
            if (result.diffuse) {
                const DiffuseFactors f = factorsOf(done);
                result.diffuseFactors[m] = f;
                block.hasDiffuse = true;
                block.sky = f.sky;
                block.ground = f.ground;
            }
            mit.write(formatMitBlock(block, comma));
            result.lastMonth = done;
            slots = {};
            if (observer.monthCompleted) observer.monthCompleted(done, result);
        }
        if (clock.finished()) break;
        const auto cancelled = [&] { return observer.cancel && observer.cancel->load(); };
        while (observer.pause && observer.pause->load() && !cancelled())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (cancelled()) {
            result.cancelled = true;
            break;
        }
    }

    flushBuffer();
    if (!p.monthly) mit.write(formatMitBlock(hourBlock(0), comma));
    if (result.cancelled) keepPreviousFiles(settings.baseName);
    rep.commit();
    mit.commit();
    return result;
}

ErrorMessage cancelledRunNote(const std::string& baseName, const RunResult& result) {
    const std::string name = fileNameOf(baseName);
    return {ErrorId::RunCancelledCoverage,
            {std::to_string(result.lastDay), name + ".rep", name + ".mit", std::to_string(result.firstDay),
             std::to_string(result.lastDay)}};
}

ErrorMessage runFilesNote(const std::string& baseName) {
    const std::string name = fileNameOf(baseName);
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::absolute(baseName, ec);
    folder = ec ? std::filesystem::path(directoryOf(baseName)) : folder.lexically_normal().parent_path();
    return {ErrorId::RunFilesWritten, {name + ".rep", name + ".mit", folder.string()}};
}

}  // namespace penumbro
