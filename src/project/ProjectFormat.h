#pragma once
// The grammar of the project text, in one place: its keywords, limits and block
// sizes, a line cursor, and a scanner that finds every surface record, object and
// trailing section. Every reader of the text (compiler, object list, views, the
// editor's writers) works from this scan, so that they agree on what a text means
// and on the line they name when it is malformed.
//
// Layout: comment lines ("*"; line 0 is always one), the surface count, the surface
// records, then the sections "Horizont", "Standort" and "Bodenreflexion". A record:
// name line, optional "Target", optional "Belaubung" line, optional "#" parameter
// line, the vertex count (0..12) alone on its line, then that many vertex lines of
// three numbers with "#" lines (local construction data) among them. A tree (first
// name "Baum") or a house (first name "Frontseite") is one object of seven records.

#include "project/ErrorTexts.h"
#include "project/ProjectText.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace penumbro {

inline constexpr std::string_view kTargetKeyword = "Target";
inline constexpr std::string_view kHorizonKeyword = "Horizont";
inline constexpr std::string_view kSiteKeyword = "Standort";
inline constexpr std::string_view kReflectanceKeyword = "Bodenreflexion";
inline constexpr std::string_view kFoliagePrefix = "Belaubung";
inline constexpr std::string_view kTreeName = "Baum";         // the first crown surface of a tree
inline constexpr std::string_view kTrunkPrefix = "Stamm";     // the trunk surfaces of a tree
inline constexpr std::string_view kHouseName = "Frontseite";  // the first wall of a house
inline constexpr std::string_view kOverhangPrefix = "$#";     // "$#" + target object number + name
inline constexpr std::string_view kTreeTag = "#Baum:";        // ends a tree's parameter line before its name
inline constexpr std::string_view kHouseTag = "#Haus:";

inline constexpr int kMaxSurfaces = 10000;
inline constexpr int kMaxDeclaredVertices = 12;
inline constexpr int kTreeSurfaces = 7;
inline constexpr int kHouseSurfaces = 7;
inline constexpr std::size_t kTreeLines = 60;   // a tree block as the generator writes it
inline constexpr std::size_t kHouseLines = 42;  // a house block as the generator writes it
inline constexpr std::size_t kMaxHorizonEntries = 25;
// Largest absolute vertex coordinate a project may hold: normals and projections of
// points beyond it overflow.
inline constexpr double kMaxCoordinate = 1e9;

inline bool startsWith(std::string_view line, std::string_view prefix) {
    return line.size() >= prefix.size() && line.substr(0, prefix.size()) == prefix;
}
// A name as messages quote it: in double quotes, cut to its first kQuotedNameLength
// characters and "..." when longer, so a huge name cannot swamp the message.
inline constexpr std::size_t kQuotedNameLength = 40;
std::string quotedName(std::string_view name);
// The same without the quotes, for texts that quote it themselves.
std::string cutName(std::string_view name);

inline bool isCommentLine(std::string_view line) { return !line.empty() && line[0] == '*'; }
inline bool isHashLine(std::string_view line) { return !line.empty() && line[0] == '#'; }
// A line that ends the surface records' search for the trailing sections.
inline bool isSectionKeyword(std::string_view line) {
    return line == kHorizonKeyword || line == kSiteKeyword || line == kReflectanceKeyword;
}

// Walks the lines and names the line in every complaint. A text that ends where a
// line was expected is reported at the line after the last (size() + 1), whoever reads.
class LineCursor {
public:
    LineCursor(const Lines& text, const std::string& fileName, std::size_t start = 0)
        : text_(text), file_(fileName), pos_(start) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    std::size_t index() const { return pos_; }  // 0-based index of the next line
    void seek(std::size_t index) { pos_ = index; }
    // The next line without moving; null at the end.
    const std::string* peek() const { return atEnd() ? nullptr : &text_[pos_]; }
    bool nextIs(std::string_view line) const { return !atEnd() && text_[pos_] == line; }
    // The next line; at the end throws InputError (callers say what they expect with
    // expectMore first).
    const std::string& next();
    // The next line as an integer (blanks around allowed), or InputError with the
    // identity; the offending line, quoted, is its last argument.
    long long nextInteger(ErrorId notInteger, std::vector<ErrorArg> args);
    // Throws InputError for the text's end when no line is left.
    void expectMore(ErrorMessage expected) const;
    // InputError for the line at index (0-based).
    [[noreturn]] void fail(std::size_t index, ErrorMessage what) const;
    const std::string& fileName() const { return file_; }

private:
    const Lines& text_;
    const std::string& file_;
    std::size_t pos_;
};

using Point3 = std::array<double, 3>;  // x east, y north, z up

// One surface record; every index is 0-based into the text.
struct SurfaceRecord {
    std::size_t nameLine = 0;
    bool target = false;
    std::optional<std::size_t> foliageLine;    // "Belaubung" line
    std::optional<std::size_t> parameterLine;  // "#" line before the vertex count
    std::size_t countLine = 0;
    std::vector<std::size_t> hashLines;  // "#" lines after the count (local lines, placement line)
    std::vector<std::size_t> vertexLines;
    std::vector<Point3> vertices;        // read from vertexLines
    std::size_t end = 0;                 // the line after the record
};

enum class ObjectKind { Plain, Tree, House };

// One entry of the object list: a tree or house of seven records, or one record.
struct ObjectRecord {
    ObjectKind kind = ObjectKind::Plain;
    std::size_t firstSurface = 0;  // index into ProjectScan::surfaces
    int surfaceCount = 1;
    std::size_t nameLine = 0;  // of its first record
    std::size_t end = 0;       // the line after its last record
};

// One interval of the horizon line; all in degrees.
struct HorizonEntry {
    double from = 0;    // start azimuth (from north through east)
    double to = 0;      // end azimuth
    double height = 0;  // horizon elevation
};

struct ProjectScan {
    std::size_t countLine = 0;  // the surface count line
    int surfaceCount = 0;
    std::vector<SurfaceRecord> surfaces;  // the records read completely
    std::vector<ObjectRecord> objects;    // the objects read completely
    std::size_t surfacesEnd = 0;          // the line after the last complete object
    // The "Horizont" line that follows the surfaces (the first section keyword there),
    // and the entry lines up to an empty line, "Standort", "Bodenreflexion" or the end.
    std::optional<std::size_t> horizonLine;
    std::vector<std::size_t> horizonLines;
    // Where the trailing sections begin: the first section keyword line after the
    // surfaces, the text's size when there is none (sound texts only).
    std::size_t sectionsLine = 0;
    // The last "Standort" / "Bodenreflexion" line anywhere; the value is the line after.
    std::optional<std::size_t> siteKeyword;
    std::optional<std::size_t> reflectanceKeyword;

    // The first fault: the 1-based line (possibly one past the last) and why; the
    // scan keeps everything read before it. 0 / "" for a sound text.
    int errorLine = 0;
    std::string error;
    ErrorMessage errorDetail;  // the same, for either language

    bool sound() const { return errorLine == 0; }
    // The line to put before the message: none for a text that is not a project,
    // whose message names the line itself.
    int reportedLine() const { return errorDetail.id == ErrorId::NotAProject ? 0 : errorLine; }
    // InputError(fileName, errorLine, error) for a faulty text.
    void throwIfFaulty(const std::string& fileName) const;
};

// Scans the whole text. Never throws: a malformed text ends the scan at its first
// fault (see ProjectScan::errorLine); the trailing sections are found in any case.
ProjectScan scanProject(const Lines& text);
// scanProject, throwing InputError for a malformed text.
ProjectScan scanSoundProject(const Lines& text, const std::string& fileName);

// Reads one record from its name line (the cursor's next line) on; throws InputError
// for a record that ends early, a vertex count outside 0..12, or a vertex line that is
// not three numbers within kMaxCoordinate.
SurfaceRecord readSurface(LineCursor& in);

// "from-to=height": the number before the first "-", the one up to the first "="
// after it, and the rest. Nothing when the line has another shape.
std::optional<HorizonEntry> parseHorizonEntry(std::string_view line);
// Every entry of the scan's horizon section; throws InputError naming a line that
// is not an entry or whose azimuths are not 0 <= from <= to <= 360 or whose height
// lies outside -90..90.
std::vector<HorizonEntry> horizonEntries(const Lines& text, const ProjectScan& scan,
                                         const std::string& fileName);

// Every line equal to the target keyword, wherever it stands (0-based, in order): the
// simulation list reads a file this plainly, without scanning its records.
std::vector<std::size_t> targetKeywordLines(const Lines& text);

// The value line after a keyword line, if the text has one.
const std::string* valueLine(const Lines& text, const std::optional<std::size_t>& keyword);

// The first three blank-separated fields of a vertex or site line as numbers (blanks
// before, between and after allowed, further fields ignored); nothing otherwise.
std::optional<Point3> threeNumbers(std::string_view line);

// Twelve three-character percentage fields from `offset` (0-based): leading blanks
// skipped, reading stops at the first blank after the digits, a field beyond the
// line's end reads as 0. Nothing when a field holds something else or exceeds 100.
std::optional<std::array<int, 12>> monthlyFields(std::string_view line, std::size_t offset);
inline constexpr std::size_t kFoliageOffset = 10;     // after "Belaubung "
inline constexpr std::size_t kReflectanceOffset = 0;  // the whole line

}  // namespace penumbro
