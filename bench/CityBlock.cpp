#include "CityBlock.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace penumbro::bench {

namespace {

struct Pt {
    double x, y, z;
};

class Writer {
public:
    explicit Writer(int limit) : limit_(limit) {}
    int count() const { return count_; }
    int room() const { return limit_ - count_; }

    void add(const std::string& name, const std::vector<Pt>& pts, const std::string& extra = "") {
        if (count_ >= limit_) return;
        body_.push_back(name);
        if (!extra.empty()) body_.push_back(extra);
        body_.push_back(std::to_string(pts.size()));
        char line[96];
        for (const Pt& p : pts) {
            std::snprintf(line, sizeof line, "%.6f %.6f %.6f", p.x, p.y, p.z);
            body_.emplace_back(line);
        }
        ++count_;
    }

    Lines finish() const {
        Lines t = {"* city block for the benchmarks", std::to_string(count_)};
        t.insert(t.end(), body_.begin(), body_.end());
        t.insert(t.end(), {"Standort", "48.0 -11.5 -1.0", "Bodenreflexion",
                           " 40 40 30 20 20 20 20 20 20 20 30 40"});
        return t;
    }

private:
    int limit_;
    int count_ = 0;
    Lines body_;
};

// Four walls, two roof faces and two gables; ridge along x. 8 surfaces.
void house(Writer& w, double x0, double y0, double lx, double ly, double h, double ridge) {
    const double x1 = x0 + lx, y1 = y0 + ly, ym = y0 + ly / 2;
    w.add("Frontseite", {{x0, y0, 0}, {x1, y0, 0}, {x1, y0, h}, {x0, y0, h}});
    w.add("Rueckseite", {{x1, y1, 0}, {x0, y1, 0}, {x0, y1, h}, {x1, y1, h}});
    w.add("Westseite", {{x0, y1, 0}, {x0, y0, 0}, {x0, y0, h}, {x0, y1, h}});
    w.add("Ostseite", {{x1, y0, 0}, {x1, y1, 0}, {x1, y1, h}, {x1, y0, h}});
    w.add("Dach Sued", {{x0, y0, h}, {x1, y0, h}, {x1, ym, ridge}, {x0, ym, ridge}});
    w.add("Dach Nord", {{x1, y1, h}, {x0, y1, h}, {x0, ym, ridge}, {x1, ym, ridge}});
    w.add("Giebel West", {{x0, y1, h}, {x0, y0, h}, {x0, ym, ridge}});
    w.add("Giebel Ost", {{x1, y0, h}, {x1, y1, h}, {x1, ym, ridge}});
}

// Four crown octagons around the vertical axis and three trunk faces. 7 surfaces.
void tree(Writer& w, double x, double y, double crownRadius, double crownCentre, bool first) {
    const double pi = std::numbers::pi;
    const char* crowns[] = {"Baum", "Baum1", "Baum2", "Baum3"};
    for (int k = 0; k < 4; ++k) {
        const double a = k * pi / 4, ca = std::cos(a), sa = std::sin(a);
        std::vector<Pt> oct;
        for (int i = 0; i < 8; ++i) {
            const double b = i * pi / 4;
            oct.push_back({x + crownRadius * std::cos(b) * ca, y + crownRadius * std::cos(b) * sa,
                           crownCentre + crownRadius * std::sin(b)});
        }
        w.add(crowns[k], oct, first && k == 0 ? "Belaubung   0  0 10 50 90100100100 90 60 20  0" : "");
    }
    const char* trunks[] = {"Stamm", "Stamm1", "Stamm2"};
    const double r = 0.2, top = crownCentre - crownRadius;
    for (int k = 0; k < 3; ++k) {
        const double a = k * 2 * pi / 3, b = a + 2 * pi / 3;
        const Pt p{x + r * std::cos(a), y + r * std::sin(a), 0}, q{x + r * std::cos(b), y + r * std::sin(b), 0};
        w.add(trunks[k], {p, q, {q.x, q.y, top}, {p.x, p.y, top}});
    }
}

void wall(Writer& w, double x0, double y0, double x1, double y1, double h) {
    w.add("Mauer", {{x0, y0, 0}, {x1, y1, 0}, {x1, y1, h}, {x0, y0, h}});
}

}  // namespace

Lines cityBlock(int surfaces, unsigned variant) {
    Writer w(std::clamp(surfaces, 1, 10000));
    std::mt19937 rng(variant);
    std::uniform_real_distribution<double> u(0, 1);

    // Lots of 20 m x 20 m between streets; the collector sits on the roof of the
    // house on lot (0, 0), 6 m up, facing south at 45 degrees.
    w.add("Kollektor", {{2, 3, 6}, {6, 3, 6}, {6, 4.4, 7.4}, {2, 4.4, 7.4}}, "Target");
    constexpr double kLot = 20;
    std::vector<std::pair<int, int>> lots;
    const int rings = 40;  // 81 x 81 lots, more than 10000 surfaces need
    for (int i = -rings; i <= rings; ++i)
        for (int j = -rings; j <= rings; ++j) lots.emplace_back(i, j);
    std::stable_sort(lots.begin(), lots.end(), [](auto a, auto b) {
        return a.first * a.first + a.second * a.second < b.first * b.first + b.second * b.second;
    });
    bool firstTree = true;
    for (const auto& [i, j] : lots) {
        if (w.room() <= 0) break;
        const double x = i * kLot, y = j * kLot;
        if (i == 0 && j == 0) {
            // The collector's own house: its roof lies below the collector.
            wall(w, x + 1, y + 1, x + 9, y + 1, 5.5);
            continue;
        }
        const double lx = 8 + 4 * u(rng), ly = 7 + 4 * u(rng), h = 4 + 8 * u(rng);
        if (w.room() >= 8) house(w, x + 1 + 2 * u(rng), y + 4 + 2 * u(rng), lx, ly, h, h + 2 + 2 * u(rng));
        if (w.room() >= 7) {
            tree(w, x + 15 + 2 * u(rng), y + 2 + 2 * u(rng), 1.5 + 2 * u(rng), 4 + 4 * u(rng), firstTree);
            firstTree = false;
        }
        wall(w, x, y + 0.5, x + kLot - 4, y + 0.5, 1 + u(rng));
    }
    while (w.room() > 0) {
        const double x = (u(rng) - 0.5) * 1500, y = (u(rng) - 0.5) * 1500;
        wall(w, x, y, x + 5, y, 1.5);
    }
    return w.finish();
}

}  // namespace penumbro::bench
