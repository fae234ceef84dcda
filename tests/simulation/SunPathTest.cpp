// The sun-path diagram of the facade example: its structure, and the mask's shading
// for a sun direction against the instant command at a time the sun stands there.

#include "cli/RunCli.h"
#include "project/Calendar.h"
#include "project/ProjectFile.h"
#include "simulation/SunPath.h"
#include "support/SampleProjects.h"

#include <gtest/gtest.h>

#include <vector>

namespace penumbro {
namespace {

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// Well-formed as far as the writer can go wrong: every tag closed in order, quotes
// balanced, no bare "&" or "<" in text.
bool wellFormed(const std::string& xml) {
    std::vector<std::string> open;
    for (std::size_t at = 0; (at = xml.find('<', at)) != std::string::npos;) {
        const auto end = xml.find('>', at);
        if (end == std::string::npos) return false;
        const std::string tag = xml.substr(at + 1, end - at - 1);
        if (count(tag, "\"") % 2 != 0 || tag.find('<') != std::string::npos) return false;
        const std::string name = tag.substr(tag[0] == '/' ? 1 : 0, tag.find_first_of(" />", 1) - (tag[0] == '/' ? 1 : 0));
        if (tag[0] == '/') {
            if (open.empty() || open.back() != name) return false;
            open.pop_back();
        } else if (tag[0] != '?' && tag.back() != '/') {
            open.push_back(name);
        }
        const auto next = xml.find('<', end);
        const std::string text = xml.substr(end + 1, next == std::string::npos ? std::string::npos : next - end - 1);
        for (auto amp = text.find('&'); amp != std::string::npos; amp = text.find('&', amp + 1))
            if (text.find(';', amp) == std::string::npos) return false;
        at = end;
    }
    return open.empty();
}

TEST(SunPath, FacadeDiagramHasItsPartsAndTheMaskAgreesWithTheInstant) {
    const std::string path = testing::examplePath("facade.dat");
    const Lines text = loadProjectFile(path).lines;
    TSimParameter p;
    p.resolution = 1;
    const SunPathDiagram d = sunPathDiagram(text, path, p, ShadingMethod::Raster);
    for (Language lang : {Language::German, Language::English}) {
        const std::string svg = sunPathSvg(d, lang);
        EXPECT_TRUE(wellFormed(svg));
        EXPECT_EQ(count(svg, "class=\"month-path\""), 12u);
        EXPECT_EQ(count(svg, "<polygon class=\"horizon\""), 1u);
        EXPECT_GE(count(svg, "class=\"band\""), 2u);
        EXPECT_EQ(count(svg, "class=\"behind\""), 1u);
    }
    ASSERT_EQ(d.mask.columns, 180);
    ASSERT_EQ(d.mask.rows, 45);

    TSimParameter run = p;
    const CompiledModel model = prepareRun(text, path, run, Language::English);
    DirectionShading shading(model, 1, ShadingMethod::Raster);
    // A cell of the mask is the instant for a sun at its centre.
    EXPECT_EQ(d.mask.at(90, 10), shading.at({181.0f, 21.0f}, d.foliageMonth));
    struct Moment { int day; const char* time; float clock; };
    for (const Moment& m : {Moment{172, "10:00", 10.0f}, Moment{172, "14:30", 14.5f}, Moment{15, "12:00", 12.0f},
                            Moment{300, "09:20", 9.0f + 20.0f / 60.0f}}) {
        const SunPosition sun = Sonnenstand(kSimulationYear, m.day, m.clock, model.site.latitude,
                                            model.site.longitude, model.site.correction);
        const CliResult r = runCli("instant " + cliQuote(path) + " --set resolution=1 --day " +
                                   std::to_string(m.day) + " --time " + m.time);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const double instant = std::stod(r.out.substr(r.out.find("result=") + 7));
        EXPECT_NEAR(shading.at(sun, monthOfDay(m.day)), instant, 5e-7) << m.day << " " << m.time;
    }
}

}  // namespace
}  // namespace penumbro
