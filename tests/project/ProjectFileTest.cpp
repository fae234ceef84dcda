#include "project/Encoding.h"
#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/Numbers.h"
#include "project/ProjectFile.h"
#include "project/ProjectText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include <unistd.h>

namespace penumbro {
namespace {

namespace fs = std::filesystem;

class ProjectFileTest : public ::testing::Test {
protected:
    testing::TempDir dir_{"project"};
};

// A small project with umlauts in its names (Windows-1252 bytes).
const Lines kHausLines = {
    "* Geb\xE4ude am Hang", "2", "Kollektor S\xFC" "d", "Target", "4", "0.000000 0.000000 0.000000",
    "2.000000 0.000000 0.000000", "2.000000 0.000000 1.000000", "0.000000 0.000000 1.000000",
    "Gro\xDF" "e Eiche \xC4\xD6\xDC", "3", "# 0.000  0.000  0.000", "1.000000 -5.000000 0.000000",
    "3.000000 -5.000000 0.000000", "2.000000 -5.000000 4.000000", "", "Standort", "51.0 -8.0 -1.0",
    "Bodenreflexion", " 40 40 30 20 20 20 20 20 20 20 30 40",
};

std::string joined(const Lines& lines, const char* end) {
    std::string s;
    for (const auto& l : lines) s += l + end;
    return s;
}

TEST_F(ProjectFileTest, CrLfFileSavesByteForByteAndLfFileIsSavedWithCrLf) {
    const std::string crlf = joinLines(kHausLines);
    for (const std::string& bytes : {crlf, joined(kHausLines, "\n")}) {
        const std::string path = dir_.write("Haus.dat", bytes);
        const LoadedProject loaded = loadProjectFile(path);
        EXPECT_FALSE(loaded.converted);
        EXPECT_EQ(loaded.lines, kHausLines);
        saveProjectFile(path, loaded.lines);  // over itself
        EXPECT_EQ(readFileBytes(path), crlf);
    }
}

TEST(SplitLines, LineEnds) {
    struct Case {
        std::string bytes;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},           {"a", {"a"}},           {"a\r\n", {"a"}},          {"a\r\nb", {"a", "b"}},
        {"a\n\nb\n", {"a", "", "b"}}, {"a\r\n\r\n", {"a", ""}}, {"x\r\ny\nz\r\n", {"x", "y", "z"}},
        {"a\rb\r\n", {"a\rb"}},  // a lone CR stays in its line
    };
    for (const auto& c : cases) EXPECT_EQ(splitLines(c.bytes), c.lines) << ::testing::PrintToString(c.bytes);
    EXPECT_EQ(joinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST_F(ProjectFileTest, PreviousVersionConversion) {
    const Lines body = {"* alt", "1", "Wand", "3", "0 0 0", "1 0 0", "0 0 1"};
    const Lines site = {"Standort", "47.0 -8.5 -1.0"};
    const Lines refl = {"Bodenreflexion", " 20 20 20 20 20 20 20 20 20 20 20 20"};
    const Lines siteAdded = {"Standort", "51.0 -8.0 -1.0"};
    const Lines reflAdded = {"Bodenreflexion", "40 40 30 20 20 20 20 20 20 20 30 40"};
    auto cat = [](std::initializer_list<Lines> parts) {
        Lines all;
        for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
        return all;
    };
    struct Case {
        Lines in;
        bool converted;
        Lines out;
    };
    const Case cases[] = {
        {body, true, cat({body, siteAdded, reflAdded})},
        {cat({body, site}), true, cat({body, site, reflAdded})},
        {cat({body, refl}), true, cat({body, refl, siteAdded})},
        {cat({body, site, refl}), false, cat({body, site, refl})},
        // Keyword lines must match exactly.
        {cat({body, {"standort", "1 2 3", "Bodenreflexion ", "x"}}), true,
         cat({body, {"standort", "1 2 3", "Bodenreflexion ", "x"}, siteAdded, reflAdded})},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const LoadedProject p = loadProjectFile(dir_.write("old.dat", joinLines(cases[i].in)));
        EXPECT_EQ(p.converted, cases[i].converted) << i;
        EXPECT_EQ(p.lines, cases[i].out) << i;
    }
}

TEST_F(ProjectFileTest, OpenAndSaveAsSetNamesAndSavedCopy) {
    ProjectText project;
    resetToNewProject(project);
    const std::string path = dir_.write("Alt.txt", joined({"* ", "0"}, "\n"));
    const LoadedProject loaded = openProject(project, path);
    EXPECT_TRUE(loaded.converted);
    EXPECT_EQ(project.daten, project.original);
    EXPECT_EQ(project.fileName, path);
    EXPECT_EQ(project.baseName, dir_.path("Alt"));
    EXPECT_FALSE(textChanged(project.original, project.daten));

    project.daten.push_back("Horizont");
    EXPECT_TRUE(textChanged(project.original, project.daten));
    saveProjectAs(project, dir_.path("Neu.dat"));
    EXPECT_FALSE(textChanged(project.original, project.daten));
    EXPECT_EQ(project.baseName, dir_.path("Neu"));
    EXPECT_EQ(loadProjectFile(dir_.path("Neu.dat")).lines, project.daten);
}

// (Missing and unreadable files: FileRobustness.)
TEST_F(ProjectFileTest, FailedWriteKeepsThePreviousFile) {
    // Saving into a folder that does not exist fails and leaves nothing behind.
    EXPECT_THROW(saveProjectFile(dir_.path("no/such/dir.dat"), newProjectLines()), InputError);
    // A failed save keeps the previous file: the folder is read-only for the temp file.
    if (::geteuid() != 0) {
        const std::string path = dir_.write("keep.dat", "old\r\n");
        fs::permissions(dir_.dir(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_THROW(saveProjectFile(path, {"new"}), InputError);
        fs::permissions(dir_.dir(), fs::perms::owner_all);
        EXPECT_EQ(readFileBytes(path), "old\r\n");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.dir()), fs::directory_iterator()),
              ::geteuid() != 0 ? 1 : 0)
        << "no temporary files left over";
}

// The streaming form: blocks reach the target only on commit; without it the
// previous file stays and no temporary file is left.
TEST_F(ProjectFileTest, StreamedFileAppearsWhole) {
    const std::string path = dir_.write("run.rep", "old");
    {
        AtomicFileWriter out(path);
        out.write("abandoned");
    }
    EXPECT_EQ(readFileBytes(path), "old");
    AtomicFileWriter out(path);
    for (const char* block : {"one ", "two ", "three"}) out.write(block);
    EXPECT_EQ(readFileBytes(path), "old");
    out.commit();
    EXPECT_EQ(readFileBytes(path), "one two three");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.dir()), fs::directory_iterator()), 1);
    EXPECT_THROW(AtomicFileWriter(dir_.path("no/such/dir.rep")), InputError);
}

TEST(TextChanged, Cases) {
    const Lines saved = {"* ", "0", "Standort", "51.0 -8.0 -1.0"};
    const struct {
        const char* what;
        Lines original, daten;
        bool changed;
    } cases[] = {
        {"same", saved, saved, false},
        {"one line differs", saved, {"* ", "1", "Standort", "51.0 -8.0 -1.0"}, true},
        {"text only grew", saved, {"* ", "0", "Standort", "51.0 -8.0 -1.0", "Horizont"}, true},
        {"text shrank", saved, {"* ", "0", "Standort"}, true},
        {"shrank by an empty line", {"* ", "0", ""}, {"* ", "0"}, true},
        {"saved copy empty", {}, {"anything"}, false},
        {"saved copy one line", {"* "}, {"* ", "0"}, false},
        {"saved copy two lines", {"* ", "0"}, {"* ", "1"}, true},
    };
    for (const auto& c : cases) EXPECT_EQ(textChanged(c.original, c.daten), c.changed) << c.what;
}

TEST(ProjectNames, CaptionAndBaseName) {
    const struct {
        std::string path, caption, base;
    } cases[] = {
        {"D/Haus.txt", "Penumbro - [Haus.DAT]", "D/Haus"},
        {"/home/u/Projekte/Haus.dat", "Penumbro - [Haus.DAT]", "/home/u/Projekte/Haus"},
        {"Haus", "Penumbro - [Haus.DAT]", "Haus"},
        {"a.b/Haus", "Penumbro - [Haus.DAT]", "a.b/Haus"},  // a dot in the folder is no extension
        {"x/Geb\xE4ude.v2.dat", "Penumbro - [Geb\xE4ude.v2.DAT]", "x/Geb\xE4ude.v2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(captionFor(c.path), c.caption) << c.path;
        EXPECT_EQ(baseNameFor(c.path), c.base) << c.path;
    }
    for (const auto& [path, unnamed] : {std::pair{"unbenannt.dat", true}, std::pair{"UNBENANNT.DAT", true},
                                        std::pair{"/tmp/unbenannt.dat", false}, std::pair{"unbenannt", false}})
        EXPECT_EQ(isUnnamed(path), unnamed) << path;

    ProjectText p;
    p.fileName = "x.dat";
    p.daten = {"junk"};
    resetToNewProject(p);
    EXPECT_EQ(p.fileName, "unbenannt.dat");
    EXPECT_EQ(p.baseName, "unbenannt");
    EXPECT_EQ(p.daten, newProjectLines());
    EXPECT_EQ(p.original, p.daten);
}

TEST(Numbers, FormatFixed) {
    struct Case {
        double value;
        int width, decimals;
        bool comma;
        const char* text;
    };
    const Case cases[] = {
        {12.0, 8, 6, false, "12.000000"}, {14.12132, 8, 6, false, "14.121320"}, {1.5, 7, 3, false, "  1.500"},
        {-1.5, 7, 3, true, " -1,500"},    {0.25, 0, 3, true, "0,250"},
        {-0.0004, 0, 3, false, "-0.000"},  // keeps its minus
        {-0.0, 6, 2, false, " -0.00"},    {42.0, 4, 0, true, "  42"},  // no decimals: nothing to swap
        {1234.5678, 3, 2, false, "1234.57"},  // wider when needed
        // Exact halves round away from zero, as the files have always been written; other values
        // round as stored.
        {0.125, 0, 2, false, "0.13"}, {-0.125, 0, 2, false, "-0.13"}, {0.0625, 5, 3, true, "0,063"},
        {2.5, 0, 0, false, "3"},      {47.25, 0, 1, false, "47.3"},   {0.15, 0, 1, false, "0.1"},
        {2.675, 0, 2, false, "2.67"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatFixed(c.value, c.width, c.decimals, c.comma), c.text) << c.value;
    // Not a number: no crash, whatever the decimal choice.
    EXPECT_NO_THROW(formatFixed(std::numeric_limits<double>::quiet_NaN(), 0, 6, true));
    EXPECT_NO_THROW(formatFixed(std::numeric_limits<double>::infinity(), 0, 3, true));
    EXPECT_EQ(formatInt(-7, 4), "  -7");
    EXPECT_EQ(formatInt(12345, 3), "12345");
}

TEST(Encoding, AllBytesRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const std::string utf8 = cp1252ToUtf8(all);
    EXPECT_EQ(utf8ToCp1252(utf8), all);
    EXPECT_EQ(cp1252ToUtf8("Geb\xE4ude \x80"), "Geb\xC3\xA4ude \xE2\x82\xAC");
    EXPECT_EQ(utf8ToCp1252("\xC3\x9F\xE2\x80\x9C"), "\xDF\x93");
    EXPECT_EQ(utf8ToCp1252("\xE4\xB8\xAD"), "?");  // no Windows-1252 byte
    EXPECT_EQ(utf8ToCp1252("a\xE4" "b"), "a\xE4" "b");  // malformed UTF-8 kept as bytes
}

}  // namespace
}  // namespace penumbro
