// The report's own parts: where the scene pictures put things and in which order they
// paint them, the project's texts on the page, and the site's hemispheres.

#include "project/Encoding.h"
#include "views/PreviewScene.h"
#include "views/Report.h"
#include "support/SampleProjects.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace penumbro {
namespace {

using testing::plainSurface;
using testing::project;

// A unit square on the plane z = x + y (so no view sees it edge-on), moved by (x, y, z).
Lines slantedSquare(const std::string& name, bool target, double x, double y, double z) {
    auto vertex = [&](double u, double v) {
        return std::to_string(x + u) + " " + std::to_string(y + v) + " " + std::to_string(z + u + v);
    };
    return plainSurface(name, target, "# 180.000  45.000  0.000  0.000  0.000",
                        {vertex(0, 0), vertex(1, 0), vertex(1, 1), vertex(0, 1)});
}

struct Drawn {
    double x = 0, y = 0;  // centroid in the picture
    std::size_t order = 0;
};

// The filled polygons of a picture: the target (blue) and the first other one.
std::pair<Drawn, Drawn> targetAndObstacle(const std::string& svg) {
    static const std::regex polygon(R"re(<polygon points="([^"]*)" fill="(#[0-9a-f]{6})")re");
    std::pair<Drawn, Drawn> found;
    bool target = false, obstacle = false;
    std::size_t index = 0;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), polygon); it != std::sregex_iterator(); ++it, ++index) {
        const bool blue = (*it)[2] == "#0000ff";
        if ((blue && target) || (!blue && obstacle)) continue;
        Drawn d{0, 0, index};
        std::istringstream points((*it)[1].str());
        double px = 0, py = 0;
        char comma = 0;
        int n = 0;
        while (points >> px >> comma >> py) d.x += px, d.y += py, ++n;
        d.x /= n, d.y /= n;
        (blue ? found.first : found.second) = d;
        (blue ? target : obstacle) = true;
    }
    EXPECT_TRUE(target && obstacle) << svg;
    return found;
}

TEST(ReportPictures, PlanAndFrontViewPlaceAndPaintObstaclesByDirectionAndDepth) {
    struct Case {
        const char* what;
        double dx, dy, dz;      // obstacle relative to the target (east, north, up)
        double facing;          // the target's azimuth
        int planRight, planDown;  // sign of the obstacle's offset in the plan view
        int planOnTop;            // painted after the target from above: 1, 0, or -1 at equal depth
        int frontRight;           // sign of its offset across the front view
        int frontOnTop;           // painted after the target from in front
    };
    const Case cases[] = {
        {"east, facing south", 5, 0, 0, 180, +1, 0, -1, +1, -1},
        {"south and higher, facing south", 0, -5, 3, 180, 0, +1, 1, 0, 1},
        {"north and lower, facing south", 0, 5, -3, 180, 0, -1, 0, 0, 0},
        {"north, facing east", 0, 5, 0, 90, 0, -1, -1, +1, -1},
        {"east and higher, facing east", 5, 0, 2, 90, +1, 0, 1, 0, 1},
        {"west, facing west", -5, 0, 0, 270, -1, 0, -1, 0, 1},
        {"south, facing north", 0, -5, 0, 0, 0, +1, -1, 0, 0},
    };
    auto sign = [](double v) { return v > 1e-6 ? 1 : v < -1e-6 ? -1 : 0; };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Lines text = project({slantedSquare("Ziel", true, 0, 0, 10), slantedSquare("Hindernis", false, c.dx, c.dy, 10 + c.dz)});
        const PreviewScene scene = buildPreviewScene(text, 0, false);
        const auto [planTarget, planObstacle] = targetAndObstacle(reportPlanSvg(scene, Language::English));
        EXPECT_EQ(sign(planObstacle.x - planTarget.x), c.planRight);
        EXPECT_EQ(sign(planObstacle.y - planTarget.y), c.planDown);
        if (c.planOnTop >= 0) {
            EXPECT_EQ(planObstacle.order > planTarget.order, c.planOnTop == 1);
        }
        const auto [frontTarget, frontObstacle] = targetAndObstacle(reportFrontSvg(scene, c.facing, Language::English));
        EXPECT_EQ(sign(frontObstacle.x - frontTarget.x), c.frontRight);
        if (c.frontOnTop >= 0) {
            EXPECT_EQ(frontObstacle.order > frontTarget.order, c.frontOnTop == 1);
        }
    }
}

// Project texts are Windows-1252: on the page as UTF-8, and markup in them stays text.
TEST(ReportPage, ProjectTextsAreConvertedAndEscaped) {
    ReportRequest request;
    request.text = project({plainSurface("Fl\xE4" "che <b>&", true, "# 180.000  90.000  0.000  0.000  0.000",
                                         {"0 0 0", "2 0 0", "2 0 2", "0 0 2"}),
                            testing::wallSurface()});
    request.text[0] = "* S\xFC" "dwand \"<script>\" & mehr";
    request.createdAt = "2026-01-02 03:04";
    for (Language lang : {Language::German, Language::English}) {
        // A file name is UTF-8, or Windows-1252 where it is not valid UTF-8.
        request.projectFile = lang == Language::German ? "/tmp/Gr\xC3\xBCn.dat" : "/tmp/Gr\xFCn.dat";
        const std::string page = makeReport(request, lang);
        EXPECT_NE(page.find("<td>Gr\xC3\xBCn.dat</td>"), std::string::npos);
        EXPECT_NE(page.find("S\xC3\xBC" "dwand &quot;&lt;script&gt;&quot; &amp; mehr"), std::string::npos);
        EXPECT_NE(page.find("Fl\xC3\xA4" "che &lt;b&gt;&amp;"), std::string::npos);
        EXPECT_EQ(page.find("<script"), std::string::npos);
        EXPECT_EQ(page.find("<b>"), std::string::npos);
        EXPECT_EQ(page.find('\xE4'), std::string::npos) << "a Windows-1252 byte left";
    }
}

TEST(ReportPage, SiteShowsHemispheresAndTimeZoneInsteadOfSigns) {
    struct Case {
        const char* site;  // latitude, longitude west, correction as in the project
        const char* latitude;
        const char* longitude;
        const char* zone;
    };
    const Case cases[] = {
        {"48.0 -11.6 -1.0", "48.0000\xC2\xB0 N", "11.6000\xC2\xB0 E", "UTC+1 "},
        {"-33.9 -18.4 -2.0", "33.9000\xC2\xB0 S", "18.4000\xC2\xB0 E", "UTC+2 "},
        {"40.7 74.0 5.0", "40.7000\xC2\xB0 N", "74.0000\xC2\xB0 W", "UTC\xE2\x88\x92" "5 "},
        {"-12.0 77.0 5.5", "12.0000\xC2\xB0 S", "77.0000\xC2\xB0 W", "UTC\xE2\x88\x92" "5.5 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.site);
        ReportRequest request;
        request.text = testing::collectorProject();
        for (std::size_t i = 0; i + 1 < request.text.size(); ++i)
            if (request.text[i] == "Standort") request.text[i + 1] = c.site;
        request.projectFile = "site.dat";
        const std::string page = makeReport(request, Language::English);
        EXPECT_NE(page.find(std::string("<td>") + c.latitude + "</td>"), std::string::npos);
        EXPECT_NE(page.find(std::string("<td>") + c.longitude + "</td>"), std::string::npos);
        EXPECT_NE(page.find(std::string("<td>") + c.zone), std::string::npos);
    }
}

}  // namespace
}  // namespace penumbro
