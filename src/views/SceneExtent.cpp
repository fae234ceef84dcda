#include "views/SceneExtent.h"

#include "engine/Compiler.h"
#include "project/InputError.h"
#include "project/Numbers.h"

#include <algorithm>
#include <cmath>

namespace penumbro {

namespace {

constexpr long long kMaxVertices = 12;

// Walks the lines of the text and names the line in every complaint.
class Cursor {
public:
    Cursor(const Lines& text, const std::string& fileName) : text_(text), file_(fileName) {}

    const std::string& next(const char* what) {
        if (pos_ >= text_.size()) {
            throw InputError(file_, static_cast<int>(text_.size()),
                             std::string("text ends where ") + what + " was expected");
        }
        return text_[pos_++];
    }
    void skip(long long count, const char* what) {
        for (long long i = 0; i < count; ++i) next(what);
    }
    long long vertexCount() {
        const std::size_t at = pos_;
        next("a vertex count");
        const long long n = ZaehlerLesen(text_, at, file_, "vertex count");
        if (n < 0 || n > kMaxVertices) {
            throw InputError(file_, static_cast<int>(at + 1),
                             "vertex count " + std::to_string(n) + " is outside 0..12");
        }
        return n;
    }
    std::size_t position() const { return pos_; }
    void seek(std::size_t pos) { pos_ = pos; }

private:
    const Lines& text_;
    const std::string& file_;
    std::size_t pos_ = 0;
};

std::string_view withoutFirstCharacter(const std::string& line) {
    return line.empty() ? std::string_view() : std::string_view(line).substr(1);
}

void readVertices(Cursor& cursor, long long n, double& extent, const std::string& fileName) {
    for (long long i = 0; i < n; ++i) {
        const std::string& line = cursor.next("a vertex line");
        Zahlen z{};
        ZahlenPruefen(line, z, cursor.position() - 1, fileName);
        extent = std::max({extent, std::fabs(z[0]), std::fabs(z[1]), std::fabs(z[2])});
    }
}

// A "#" line (parameter, local or placement line) whose numbers the views draw with.
void readHashLine(Cursor& cursor, const char* what, const std::string& fileName) {
    const std::string& line = cursor.next(what);
    Zahlen z{};
    ZahlenPruefen(withoutFirstCharacter(line), z, cursor.position() - 1, fileName);
}

}  // namespace

std::size_t ZahlenZerlegen(std::string_view line, Zahlen& zahlen) {
    std::size_t count = 0;
    std::size_t i = 0;
    while (count < zahlen.size()) {
        while (i < line.size() && line[i] == ' ') ++i;
        if (i >= line.size()) break;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ') ++i;
        zahlen[count++] = parseNumber(line.substr(start, i - start)).value_or(0.0);
    }
    return count;
}

std::size_t ZahlenPruefen(std::string_view line, Zahlen& zahlen, std::size_t index,
                         const std::string& fileName) {
    const std::size_t count = ZahlenZerlegen(line, zahlen);
    for (std::size_t k = 0; k < count; ++k) {
        if (!(std::fabs(zahlen[k]) <= kMaxCoordinate)) {
            throw InputError(fileName, static_cast<int>(index + 1),
                             "a number beyond +-1e9 cannot be drawn: \"" + std::string(line) + "\"");
        }
    }
    return count;
}

long long ZaehlerLesen(const Lines& text, std::size_t index, const std::string& fileName,
                       const char* what) {
    const int lineNo = static_cast<int>(index + 1);
    if (index >= text.size()) {
        throw InputError(fileName, lineNo, std::string("text ends where the ") + what + " was expected");
    }
    const auto value = parseInteger(trimBlanks(text[index]));
    if (!value) {
        throw InputError(fileName, lineNo,
                         std::string("the ") + what + " \"" + text[index] + "\" is not an integer");
    }
    return *value;
}

SceneExtent SzenenAusdehnung(const Lines& text, const std::string& fileName) {
    Cursor cursor(text, fileName);
    while (cursor.position() < text.size() && !text[cursor.position()].empty() &&
           text[cursor.position()][0] == '*') {
        cursor.next("");
    }
    const std::size_t countLine = cursor.position();
    cursor.next("the surface count");
    long long c = ZaehlerLesen(text, countLine, fileName, "surface count");

    SceneExtent result;
    if (c <= 0) return result;
    result.hatObjekte = true;
    double extent = 0.0;
    while (c > 0) {
        const std::string& name = cursor.next("a surface name");
        if (name == "Baum" || name == "Frontseite") {
            if (name == "Baum") cursor.skip(1, "the foliage line");
            for (int surface = 0; surface < 7; ++surface) {
                if (surface == 0) readHashLine(cursor, "the parameter line", fileName);
                else cursor.skip(1, "a surface name");
                readVertices(cursor, cursor.vertexCount(), extent, fileName);
            }
            c -= 6;
        } else {
            if (cursor.position() < text.size() && text[cursor.position()] == "Target") {
                cursor.next("");
            }
            const long long n = cursor.vertexCount();
            for (long long k = 0; k <= n; ++k)
                readHashLine(cursor, "the local lines and the placement line", fileName);
            readVertices(cursor, n, extent, fileName);
        }
        --c;
    }
    result.ausdehnung = std::max(extent, 1.0);
    return result;
}

}  // namespace penumbro
