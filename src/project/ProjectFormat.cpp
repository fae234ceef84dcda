#include "project/ProjectFormat.h"

#include "project/InputError.h"
#include "project/Numbers.h"

#include <cmath>

namespace penumbro {

namespace {

std::string quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

// Fields separated by blanks, at most `limit` of them.
template <std::size_t N>
std::size_t splitFields(std::string_view line, std::array<std::string_view, N>& fields) {
    std::size_t count = 0, i = 0;
    while (count < N) {
        while (i < line.size() && line[i] == ' ') ++i;
        if (i >= line.size()) break;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ') ++i;
        fields[count++] = line.substr(start, i - start);
    }
    return count;
}

}  // namespace

std::string cutName(std::string_view name) {
    if (name.size() <= kQuotedNameLength) return std::string(name);
    return std::string(name.substr(0, kQuotedNameLength)) + "...";
}

std::string quotedName(std::string_view name) { return quoted(cutName(name)); }

const std::string& LineCursor::next() {
    if (atEnd()) throw InputError(file_, static_cast<int>(text_.size()) + 1, ErrorId::TextEndsEarly);
    return text_[pos_++];
}

void LineCursor::expectMore(ErrorMessage expected) const {
    if (atEnd()) fail(pos_, std::move(expected));
}

long long LineCursor::nextInteger(ErrorId notInteger, std::vector<ErrorArg> args) {
    const std::size_t at = pos_;
    const std::string& line = next();
    const auto value = parseInteger(trimBlanks(line));
    args.push_back(quoted(line));
    if (!value) fail(at, {notInteger, std::move(args)});
    return *value;
}

void LineCursor::fail(std::size_t index, ErrorMessage what) const {
    throw InputError(file_, static_cast<int>(index) + 1, what);
}

std::optional<Point3> threeNumbers(std::string_view line) {
    std::array<std::string_view, 3> fields;
    if (splitFields(line, fields) < 3) return std::nullopt;
    Point3 p{};
    for (std::size_t k = 0; k < 3; ++k) {
        const auto v = parseNumber(fields[k]);
        if (!v) return std::nullopt;
        p[k] = *v;
    }
    return p;
}

SurfaceRecord readSurface(LineCursor& in) {
    SurfaceRecord s;
    s.nameLine = in.index();
    in.expectMore({ErrorId::EndsBeforeSurfaceName, {}});
    const std::string& name = in.next();
    const ErrorMessage countMissing{ErrorId::EndsBeforeVertexCount, {quotedName(name)}};
    if (in.nextIs(kTargetKeyword)) {
        s.target = true;
        in.next();
    }
    if (const std::string* l = in.peek(); l && startsWith(*l, kFoliagePrefix)) {
        s.foliageLine = in.index();
        in.next();
    }
    if (const std::string* l = in.peek(); l && isHashLine(*l)) {
        s.parameterLine = in.index();
        in.next();
    }
    s.countLine = in.index();
    in.expectMore(countMissing);
    const long long n = in.nextInteger(ErrorId::VertexCountNotInteger, {quotedName(name)});
    if (n < 0 || n > kMaxDeclaredVertices)
        in.fail(s.countLine, {ErrorId::VertexCountRange, {quotedName(name), std::to_string(n)}});
    s.vertexLines.reserve(static_cast<std::size_t>(n));
    s.vertices.reserve(static_cast<std::size_t>(n));
    while (s.vertices.size() < static_cast<std::size_t>(n)) {
        const std::size_t at = in.index();
        in.expectMore({ErrorId::EndsBeforeVertex, {quotedName(name)}});
        const std::string& line = in.next();
        if (isHashLine(line)) {
            s.hashLines.push_back(at);
            continue;
        }
        const auto p = threeNumbers(line);
        if (!p)
            in.fail(at, {ErrorId::VertexNotThreeNumbers,
                         {std::to_string(s.vertices.size() + 1), quotedName(name), quoted(line)}});
        for (double c : *p)
            if (!(std::fabs(c) <= kMaxCoordinate))
                in.fail(at, {ErrorId::CoordinateRange, {quoted(line)}});
        s.vertexLines.push_back(at);
        s.vertices.push_back(*p);
    }
    s.end = in.index();
    return s;
}

namespace {

void scanObjects(const Lines& text, ProjectScan& scan) {
    static const std::string noFile;
    LineCursor in(text, noFile, text.empty() ? 0 : 1);  // line 0 is always a comment
    while (const std::string* l = in.peek()) {
        if (!isCommentLine(*l)) break;
        in.next();
    }
    scan.countLine = in.index();
    scan.surfacesEnd = in.index();
    in.expectMore({ErrorId::EndsBeforeSurfaceCount, {}});
    // Without a count after the comments the text has not the shape of a project at all
    // (a picture, a letter): say that first, the quoted line would only puzzle.
    if (!parseInteger(trimBlanks(*in.peek()))) {
        const std::string line = std::to_string(scan.countLine + 1);
        throw InputError({}, static_cast<int>(scan.countLine) + 1,
                         {ErrorId::NotAProject, {line, ErrorId::SurfaceCountNoInteger}});
    }
    const long long count = in.nextInteger(ErrorId::SurfaceCountNotInteger, {});
    if (count < 0 || count > kMaxSurfaces)
        in.fail(scan.countLine,
                {ErrorId::SurfaceCountRange, {std::to_string(kMaxSurfaces), std::to_string(count)}});
    scan.surfaceCount = static_cast<int>(count);
    scan.surfacesEnd = in.index();
    scan.surfaces.reserve(static_cast<std::size_t>(count));
    int read = 0;
    while (read < scan.surfaceCount) {
        ObjectRecord object;
        object.nameLine = in.index();
        object.firstSurface = scan.surfaces.size();
        if (const std::string* name = in.peek()) {
            if (*name == kTreeName) object.kind = ObjectKind::Tree;
            if (*name == kHouseName) object.kind = ObjectKind::House;
        }
        if (object.kind != ObjectKind::Plain) {
            object.surfaceCount = object.kind == ObjectKind::Tree ? kTreeSurfaces : kHouseSurfaces;
            if (read + object.surfaceCount > scan.surfaceCount)
                in.fail(object.nameLine,
                        {object.kind == ObjectKind::Tree ? ErrorId::TreeTooLong : ErrorId::HouseTooLong, {}});
        }
        for (int k = 0; k < object.surfaceCount; ++k) scan.surfaces.push_back(readSurface(in));
        object.end = in.index();
        scan.objects.push_back(object);
        scan.surfacesEnd = object.end;
        read += object.surfaceCount;
    }
}

void scanHorizon(const Lines& text, ProjectScan& scan) {
    std::size_t i = scan.surfacesEnd;
    while (i < text.size() && !isSectionKeyword(text[i])) ++i;
    scan.sectionsLine = i;
    if (i >= text.size() || text[i] != kHorizonKeyword) return;
    scan.horizonLine = i;
    for (++i; i < text.size(); ++i) {
        const std::string& l = text[i];
        if (l.empty() || l == kSiteKeyword || l == kReflectanceKeyword) break;
        scan.horizonLines.push_back(i);
    }
}

std::optional<std::size_t> lastLineEqual(const Lines& text, std::string_view word) {
    for (std::size_t i = text.size(); i-- > 0;)
        if (text[i] == word) return i;
    return std::nullopt;
}

}  // namespace

void ProjectScan::throwIfFaulty(const std::string& fileName) const {
    if (!sound()) throw InputError(fileName, reportedLine(), errorDetail);
}

ProjectScan scanProject(const Lines& text) {
    ProjectScan scan;
    try {
        scanObjects(text, scan);
        scanHorizon(text, scan);
    } catch (const InputError& e) {
        scan.errorLine = e.line();
        scan.error = e.message();
        scan.errorDetail = e.detail();
    }
    scan.siteKeyword = lastLineEqual(text, kSiteKeyword);
    scan.reflectanceKeyword = lastLineEqual(text, kReflectanceKeyword);
    return scan;
}

ProjectScan scanSoundProject(const Lines& text, const std::string& fileName) {
    ProjectScan scan = scanProject(text);
    scan.throwIfFaulty(fileName);
    return scan;
}

std::optional<HorizonEntry> parseHorizonEntry(std::string_view line) {
    const auto dash = line.find('-');
    if (dash == std::string_view::npos) return std::nullopt;
    const auto equals = line.find('=', dash + 1);
    if (equals == std::string_view::npos) return std::nullopt;
    const auto from = parseNumber(trimBlanks(line.substr(0, dash)));
    const auto to = parseNumber(trimBlanks(line.substr(dash + 1, equals - dash - 1)));
    const auto height = parseNumber(trimBlanks(line.substr(equals + 1)));
    if (!from || !to || !height) return std::nullopt;
    return HorizonEntry{*from, *to, *height};
}

std::vector<HorizonEntry> horizonEntries(const Lines& text, const ProjectScan& scan,
                                         const std::string& fileName) {
    std::vector<HorizonEntry> entries;
    entries.reserve(scan.horizonLines.size());
    for (std::size_t i : scan.horizonLines) {
        const auto e = parseHorizonEntry(text[i]);
        if (!e)
            throw InputError(fileName, static_cast<int>(i) + 1, {ErrorId::HorizonEntryForm, {quoted(text[i])}});
        // Azimuths beyond a full turn or a height beyond the zenith describe no horizon,
        // and every view would draw walls for the whole span.
        if (!(e->from >= 0 && e->from <= e->to && e->to <= 360 && e->height >= -90 && e->height <= 90))
            throw InputError(fileName, static_cast<int>(i) + 1, {ErrorId::HorizonEntryRange, {quoted(text[i])}});
        entries.push_back(*e);
    }
    return entries;
}

std::vector<std::size_t> targetKeywordLines(const Lines& text) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == kTargetKeyword) found.push_back(i);
    return found;
}

const std::string* valueLine(const Lines& text, const std::optional<std::size_t>& keyword) {
    if (!keyword || *keyword + 1 >= text.size()) return nullptr;
    return &text[*keyword + 1];
}

std::optional<std::array<int, 12>> monthlyFields(std::string_view line, std::size_t offset) {
    std::array<int, 12> values{};
    for (std::size_t m = 0; m < 12; ++m) {
        const std::size_t start = offset + 3 * m;
        if (start >= line.size()) break;  // missing fields read as 0
        const std::string_view field = line.substr(start, 3);
        std::size_t i = 0;
        while (i < field.size() && field[i] == ' ') ++i;
        std::size_t j = i;
        while (j < field.size() && field[j] >= '0' && field[j] <= '9') ++j;
        if (j < field.size() && field[j] != ' ') return std::nullopt;
        const int value = i == j ? 0 : static_cast<int>(*parseInteger(field.substr(i, j - i)));
        if (value > 100) return std::nullopt;
        values[m] = value;
    }
    return values;
}

}  // namespace penumbro
