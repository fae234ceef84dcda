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

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

// Reads an integer after leading blanks, stopping at the first blank after the
// digits; anything unreadable is 0.
int leadingInteger(std::string_view field) {
    field = trimBlanks(field);
    auto end = field.find(' ');
    if (end != std::string_view::npos) field = field.substr(0, end);
    auto v = parseInteger(field);
    if (!v || *v > std::numeric_limits<int>::max() || *v < std::numeric_limits<int>::min()) return 0;
    return static_cast<int>(*v);
}

double numberOrZero(std::string_view text) {
    auto v = parseNumber(trimBlanks(text));
    return v ? *v : 0.0;
}

// Twelve percentages in fields of three characters starting at offset (0-based).
// A percentage outside 0..100 would scale radiation by more than all or less than
// nothing, so it is refused with its line.
std::array<int, 12> monthlyFields(std::string_view line, std::size_t offset, const std::string& file,
                                  int lineNo, const char* what) {
    std::array<int, 12> out{};
    for (std::size_t m = 0; m < 12; ++m) {
        std::size_t pos = offset + 3 * m;
        if (pos >= line.size()) break;
        out[m] = leadingInteger(line.substr(pos, 3));
        if (out[m] < 0 || out[m] > 100)
            throw InputError(file, lineNo,
                             std::string(what) + " of month " + std::to_string(m + 1) +
                                 " must lie in 0..100, not " + std::to_string(out[m]));
    }
    return out;
}

// x, y and z separated by blanks; unreadable numbers are 0.
Vec3 vertexNumbers(std::string_view line) {
    double c[3] = {0, 0, 0};
    std::string_view rest = line;
    for (int k = 0; k < 3; ++k) {
        auto b = rest.find_first_not_of(' ');
        if (b == std::string_view::npos) break;
        rest = rest.substr(b);
        auto e = rest.find(' ');
        c[k] = numberOrZero(e == std::string_view::npos ? rest : rest.substr(0, e));
        rest = e == std::string_view::npos ? std::string_view() : rest.substr(e);
    }
    return {c[0], c[1], c[2]};
}

// A vertex line; a coordinate beyond kMaxCoordinate is refused, since normals and
// projections of such points overflow.
Vec3 vertexLine(std::string_view line, const std::string& file, int lineNo) {
    const Vec3 p = vertexNumbers(line);
    for (double c : {p.x, p.y, p.z}) {
        if (!(std::fabs(c) <= kMaxCoordinate))
            throw InputError(file, lineNo,
                             "a vertex coordinate must lie within +-1e9: \"" + std::string(line) + "\"");
    }
    return p;
}

class LineReader {
public:
    LineReader(const Lines& text, const std::string& file) : text_(text), file_(file) {}
    bool atEnd() const { return pos_ >= text_.size(); }
    std::size_t index() const { return pos_; }
    // The next line; a text that ends here is an error saying what was expected.
    const std::string& next(const char* expected) {
        if (atEnd())
            throw InputError(file_, static_cast<int>(text_.size()) + 1,
                             std::string("the text ends early: expected ") + expected);
        return text_[pos_++];
    }
    int lineNumber() const { return static_cast<int>(pos_); }  // 1-based number of the last line read
    void skip(std::size_t n) { pos_ += n; }

private:
    const Lines& text_;
    const std::string& file_;
    std::size_t pos_ = 0;
};

int integerLine(const std::string& line, const std::string& file, int lineNo, const char* what) {
    auto v = parseInteger(trimBlanks(line));
    if (!v) throw InputError(file, lineNo, std::string(what) + " is not an integer: \"" + line + "\"");
    if (*v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max())
        throw InputError(file, lineNo, std::string(what) + " is out of range: \"" + line + "\"");
    return static_cast<int>(*v);
}

HorizonEntry horizonLine(std::string_view line) {
    HorizonEntry h;
    auto dash = line.find('-');
    if (dash == std::string_view::npos) {
        h.from = numberOrZero(line);
        return h;
    }
    h.from = numberOrZero(line.substr(0, dash));
    std::string_view rest = line.substr(dash + 1);
    auto eq = rest.find('=');
    if (eq == std::string_view::npos) {
        h.to = numberOrZero(rest);
        return h;
    }
    h.to = numberOrZero(rest.substr(0, eq));
    h.height = numberOrZero(rest.substr(eq + 1));
    return h;
}

// The site's ranges as the site panel enforces them; a site beyond them would put the
// sun at a place that does not exist.
void siteField(double value, double limit, const char* what, const std::string& file, int lineNo) {
    if (value < -limit || value > limit)
        throw InputError(file, lineNo,
                         std::string(what) + " must lie in -" + formatFixed(limit, 0, 0) + ".." +
                             formatFixed(limit, 0, 0) + ", not " + formatFixed(value, 0, 1));
}

bool isSectionKeyword(const std::string& line) {
    return line == "Horizont" || line == "Standort" || line == "Bodenreflexion";
}

// Trees go to the front so that every other obstacle is drawn over them.
void moveTreesToFront(std::vector<TFlaeche>& s) {
    const std::size_t n = s.size();
    std::size_t i = 1;  // slot 2
    while (i < n) {
        if (s[i].name == "Baum" && i + 7 <= n) {
            std::rotate(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(i),
                        s.begin() + static_cast<std::ptrdiff_t>(i + 7));
            i += 7;
        } else {
            ++i;
        }
    }
}

}  // namespace

CompiledModel parseProject(const Lines& text, const std::string& fileName) {
    CompiledModel model;
    LineReader in(text, fileName);
    if (!in.atEnd()) in.skip(1);  // line 0 is always a comment
    int count = 0;
    for (;;) {
        const std::string& line = in.next("the surface count");
        if (!line.empty() && line[0] == '*') continue;
        count = integerLine(line, fileName, in.lineNumber(), "the surface count");
        break;
    }
    if (count < 0 || count > kMaxSurfaces)
        throw InputError(fileName, in.lineNumber(),
                         "the surface count must lie in 0.." + std::to_string(kMaxSurfaces) +
                             ", not " + std::to_string(count));
    const int countLine = in.lineNumber();
    model.flaechen.reserve(static_cast<std::size_t>(count));

    for (int k = 1; k <= count; ++k) {
        const std::string surfaceWhat = "surface " + std::to_string(k) + " of " +
                                        std::to_string(count) + " (count in line " +
                                        std::to_string(countLine) + ")";
        TFlaeche s;
        s.name = in.next(("the name of " + surfaceWhat).c_str());
        const std::string* kept = &in.next(("the vertex count of " + surfaceWhat).c_str());
        if (*kept == "Target") {
            s.istTarget = true;
            kept = &in.next(("the vertex count of " + surfaceWhat).c_str());
        }
        if (startsWith(*kept, "Belaubung")) {
            model.hasFoliage = true;
            model.foliage = monthlyFields(*kept, 10, fileName, in.lineNumber(), "the foliage");
            kept = &in.next(("the vertex count of " + surfaceWhat).c_str());
        }
        if (!kept->empty() && (*kept)[0] == '#') kept = &in.next(("the vertex count of " + surfaceWhat).c_str());
        const int n = integerLine(*kept, fileName, in.lineNumber(), "the vertex count");
        if (n < 0 || n > kMaxDeclaredVertices)
            throw InputError(fileName, in.lineNumber(),
                             "the vertex count must lie in 0..12, not " + std::to_string(n));
        s.n = n;
        for (int j = 0; j < n;) {
            const std::string& v = in.next(("a vertex of " + surfaceWhat).c_str());
            if (!v.empty() && v[0] == '#') continue;
            s.v[static_cast<std::size_t>(j++)] = vertexLine(v, fileName, in.lineNumber());
        }
        computeNormalAngles(s);
        model.flaechen.push_back(std::move(s));
    }

    while (!in.atEnd()) {
        const std::string& line = in.next("");
        if (!isSectionKeyword(line)) continue;
        if (line == "Horizont") {
            while (!in.atEnd()) {
                const std::string& h = text[in.index()];
                if (h.empty() || h == "Standort" || h == "Bodenreflexion") break;
                model.horizon.push_back(horizonLine(h));
                in.skip(1);
            }
        }
        break;
    }

    if (model.hasFoliage) moveTreesToFront(model.flaechen);

    for (std::size_t i = text.size(); i-- > 0;) {
        if (text[i] != "Standort") continue;
        if (i + 1 < text.size()) {
            const std::string& l = text[i + 1];
            std::string_view rest = l;
            double vals[3] = {0, 0, 0};
            for (double& val : vals) {
                rest = rest.substr(std::min(rest.size(), rest.find_first_not_of(' ')));
                auto e = rest.find(' ');
                val = numberOrZero(rest.substr(0, e));
                rest = e == std::string_view::npos ? std::string_view() : rest.substr(e);
            }
            model.site = {vals[0], vals[1], vals[2]};
            const int lineNo = static_cast<int>(i) + 2;
            siteField(vals[0], 90, "the latitude", fileName, lineNo);
            siteField(vals[1], 180, "the longitude", fileName, lineNo);
            siteField(vals[2], 12, "the time correction", fileName, lineNo);
        }
        break;
    }
    for (std::size_t i = text.size(); i-- > 0;) {
        if (text[i] != "Bodenreflexion") continue;
        if (i + 1 < text.size())
            model.reflectance =
                monthlyFields(text[i + 1], 0, fileName, static_cast<int>(i) + 2, "the ground reflectance");
        break;
    }
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
