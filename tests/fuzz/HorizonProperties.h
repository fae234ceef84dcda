#pragma once
// What an imported horizon profile must give, whatever the file: at most 25 intervals
// covering 0..360 in order, never below the profile (a straight line between its points)
// as a run looks the section up, and a section that reads back as written.

#include "editor/HorizonEditing.h"
#include "editor/HorizonImport.h"
#include "engine/Augenblick.h"
#include "project/Numbers.h"

#include "FuzzSupport.h"
#include "support/HorizonProfile.h"

namespace penumbro::fuzz {

inline void requireSoundImport(const std::string& bytes, HorizonProfileFormat format, AzimuthOrigin origin) {
    refusalAllowed([&] {
        const std::vector<HorizonPoint> points = readHorizonProfile(bytes, "fuzz", format, origin);
        const HorizonReduction r = reduceHorizonProfile(points);
        require(!r.rows.empty() && r.rows.size() <= kHorizonRows);
        require(r.rows.front().from == "0" && r.rows.back().to == "360");
        std::vector<HorizonEntry> entries;
        std::vector<double> probes;
        for (std::size_t i = 0; i < r.rows.size(); ++i) {
            const HorizonRow& row = r.rows[i];
            require(row.counts() && (i == 0 || row.from == r.rows[i - 1].to));
            entries.push_back({*parseNumber(row.from), *parseNumber(row.to), *parseNumber(row.height)});
            require(entries.back().from <= entries.back().to);
            for (double d : {-1e-7, 0.0, 1e-7}) probes.push_back(entries.back().to + d);
        }
        for (const HorizonPoint& p : points) {
            require(horizonHeight(entries, p.azimuth) >= p.elevation);
            probes.push_back(p.azimuth);
        }
        for (double a : probes)
            if (a >= 0 && a <= 360) require(horizonHeight(entries, a) >= testing::profileAt(points, a) - 1e-6);
        const Lines text = writeHorizon(newProjectLines(), r.rows);
        require(readHorizon(text) == r.rows);
    });
}

}  // namespace penumbro::fuzz
