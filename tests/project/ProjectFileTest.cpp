#include "project/Encoding.h"
#include "project/FileIo.h"
#include "project/InputError.h"
#include "project/ProjectFile.h"
#include "support/Refusal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

namespace penumbro {
namespace {

namespace fs = std::filesystem;

class ProjectFileTest : public ::testing::Test {
protected:
    testing::TempDir dir_{"project"};
};

// The shipped examples, one with umlauts in its names (Windows-1252 bytes), and each
// with LF line ends.
TEST_F(ProjectFileTest, ExamplesSaveByteForByteAndLfFilesAreSavedWithCrLf) {
    for (const char* example : {"collector.dat", "facade.dat"}) {
        const std::string crlf = readFileBytes(std::string(PENUMBRO_SOURCE_DIR) + "/examples/" + example);
        std::string lf = crlf;
        std::erase(lf, '\r');
        for (const std::string& bytes : {crlf, lf}) {
            const std::string path = dir_.write(example, bytes);
            const LoadedProject loaded = loadProjectFile(path);
            EXPECT_FALSE(loaded.converted);
            if (std::string(example) == "collector.dat") { EXPECT_EQ(loaded.lines.at(21), "R\xFC" "ckseite"); }
            saveProjectFile(path, loaded.lines);  // over itself
            EXPECT_EQ(readFileBytes(path), crlf) << example;
        }
    }
    const std::pair<std::string, Lines> ends[] = {
        {"", {}}, {"a", {"a"}}, {"a\n\nb\n", {"a", "", "b"}}, {"x\r\ny\nz\r\n", {"x", "y", "z"}},
        {"a\rb\r\n", {"a\rb"}},  // a lone CR stays in its line
    };
    for (const auto& [bytes, lines] : ends) EXPECT_EQ(splitLines(bytes), lines) << ::testing::PrintToString(bytes);
    // Windows-1252 to UTF-8 (for terminals and windows) and back.
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
    EXPECT_EQ(cp1252ToUtf8("Geb\xE4ude \x80"), "Geb\xC3\xA4ude \xE2\x82\xAC");
    EXPECT_EQ(utf8ToCp1252("\xE4\xB8\xAD"), "?");  // no Windows-1252 byte
    EXPECT_EQ(utf8ToCp1252("a\xE4" "b"), "a\xE4" "b");  // malformed UTF-8 kept as bytes
}

// Either trailing section missing is appended with its former default; keyword lines
// must match exactly.
TEST_F(ProjectFileTest, PreviousVersionConversion) {
    const Lines body = {"* alt", "1", "Wand", "3", "0 0 0", "1 0 0", "0 0 1"};
    const Lines site = {"Standort", "47.0 -8.5 -1.0"}, refl = {"Bodenreflexion", " 20 20 20 20 20 20 20 20 20 20 20 20"};
    const Lines siteAdded = {"Standort", "51.0 -8.0 -1.0"}, reflAdded = {"Bodenreflexion", "40 40 30 20 20 20 20 20 20 20 30 40"};
    const Lines wrongCase = {"standort", "1 2 3", "Bodenreflexion ", "x"};
    const auto cat = [](Lines a, const Lines& b) { return a.insert(a.end(), b.begin(), b.end()), a; };
    const std::pair<Lines, Lines> tails[] = {  // as read, as loaded
        {{}, cat(siteAdded, reflAdded)}, {site, cat(site, reflAdded)}, {refl, cat(refl, siteAdded)},
        {cat(site, refl), cat(site, refl)}, {wrongCase, cat(cat(wrongCase, siteAdded), reflAdded)},
    };
    for (const auto& [read, loaded] : tails) {
        const LoadedProject p = loadProjectFile(dir_.write("old.dat", joinLines(cat(body, read))));
        EXPECT_EQ(p.converted, read != loaded) << read.size();
        EXPECT_EQ(p.lines, cat(body, loaded)) << read.size();
    }
}

TEST_F(ProjectFileTest, OpenSaveAsTheSavedCopyAndNames) {
    ProjectText project;
    const std::string path = dir_.write("Alt.txt", "* \n0\n");
    EXPECT_TRUE(openProject(project, path).converted);
    EXPECT_EQ(std::tuple(project.fileName, project.baseName, project.original),
              std::tuple(path, dir_.path("Alt"), project.daten));
    project.daten.push_back("Horizont");
    saveProjectAs(project, dir_.path("Neu.dat"));
    EXPECT_FALSE(textChanged(project.original, project.daten));
    EXPECT_EQ(project.baseName, dir_.path("Neu"));
    EXPECT_EQ(loadProjectFile(dir_.path("Neu.dat")).lines, project.daten);
    // A file that is no project is refused as such, naming the line inside the
    // message, and the open project stays.
    const Lines before = project.daten;
    try {
        openProject(project, dir_.write("bild.dat", "\x89PNG\r\n\x1A\n"));
        ADD_FAILURE();
    } catch (const InputError& e) {
        EXPECT_EQ(std::tuple(e.file(), e.line(), project.daten), std::tuple(dir_.path("bild.dat"), 0, before));
        EXPECT_EQ(e.render(Language::German),
                  dir_.path("bild.dat") + ": keine Projektdatei (Zeile 2: die Fl\xE4" "chenanzahl ist keine ganze Zahl)");
    }

    const Lines saved = {"* ", "0", "Standort"};
    const std::tuple<Lines, Lines, bool> changes[] = {
        {saved, saved, false}, {saved, {"* ", "1", "Standort"}, true}, {saved, {"* ", "0", "Standort", "x"}, true},
        {{"* ", "0", ""}, {"* ", "0"}, true},  // shrank by an empty line
        {{}, {"x"}, false}, {{"* "}, {"* ", "0"}, false},  // a saved copy of fewer than two lines counts as none
    };
    for (const auto& [original, daten, changed] : changes) EXPECT_EQ(textChanged(original, daten), changed);
    EXPECT_EQ(baseNameFor("a.b/Haus"), "a.b/Haus");  // a dot in the folder is no extension
    EXPECT_EQ(baseNameFor("x/Geb\xE4ude.v2.dat"), "x/Geb\xE4ude.v2");
    for (const auto& [name, unnamed] : {std::pair{"UNBENANNT.DAT", true}, {"/tmp/unbenannt.dat", false}, {"unbenannt", false}})
        EXPECT_EQ(isUnnamed(name), unnamed) << name;
}

// A text saved as UTF-8 is recognised by its multi-byte sequences (or its byte-order
// mark) and converted; Windows-1252 letters never form such sequences in a name.
TEST_F(ProjectFileTest, Utf8TextsAreConvertedAndWhatWindows1252CannotHoldIsRefused) {
    const struct {
        const char* what;
        std::string bytes;
        Lines lines;  // empty: refused
        bool fromUtf8;
        int line;  // of the refusal
    } cases[] = {
        {"umlauts and the euro", "* N\xC3\xB6rd\r\n\xE2\x82\xAC \xC3\x9F\r\n", {"* N\xF6rd", "\x80 \xDF"}, true, 0},
        {"Windows-1252 stays", "* N\xF6rd\r\n\x80\r\n", {"* N\xF6rd", "\x80"}, false, 0},
        {"plain ASCII", "* a\r\n0\r\n", {"* a", "0"}, false, 0},
        {"mark before ASCII", "\xEF\xBB\xBF* a\r\n0\r\n", {"* a", "0"}, true, 0},
        {"overlong form is no UTF-8", "* \xC0\xAF\r\n", {"* \xC0\xAF"}, false, 0},
        {"UTF-8 beside a lone byte", "* \xC3\xB6 \xE4\r\n", {"* \xC3\xB6 \xE4"}, false, 0},
        {"encoded surrogate", "* \xED\xA0\x80\r\n", {"* \xED\xA0\x80"}, false, 0},
        {"CJK on line 3", "* \xC3\xB6\r\n0\r\nName \xE4\xB8\xAD\r\n", {}, true, 3},
        {"emoji", "\xF0\x9F\x98\x80\n", {}, true, 1},
    };
    for (const auto& c : cases) {
        const std::string path = dir_.write("u.dat", c.bytes);
        bool fromUtf8 = false;
        if (c.lines.empty()) {
            try {
                readProjectLines(path, &fromUtf8);
                ADD_FAILURE() << c.what;
            } catch (const InputError& e) {
                EXPECT_EQ(e.line(), c.line) << c.what;
            }
            continue;
        }
        EXPECT_EQ(readProjectLines(path, &fromUtf8), c.lines) << c.what;
        EXPECT_EQ(fromUtf8, c.fromUtf8) << c.what;
    }
}

// A write reaches the target whole or not at all: a failed save keeps the previous
// file, an uncommitted stream leaves it, and no temporary file stays behind.
TEST_F(ProjectFileTest, WritesAppearWholeOrNotAtAll) {
    EXPECT_THROW(saveProjectFile(dir_.path("no/such/dir.dat"), newProjectLines()), InputError);
    EXPECT_THROW(AtomicFileWriter(dir_.path("no/such/dir.rep")), InputError);
    const std::string path = dir_.write("run.rep", "old");
    AtomicFileWriter(path).write("abandoned");  // dropped uncommitted
    EXPECT_EQ(readFileBytes(path), "old");
    AtomicFileWriter out(path);
    for (const char* block : {"one ", "two ", "three"}) out.write(block);
    EXPECT_EQ(readFileBytes(path), "old");
    out.commit();
    EXPECT_EQ(readFileBytes(path), "one two three");
    if (::geteuid() != 0) {  // the folder read-only for the temporary file
        fs::permissions(dir_.dir(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_THROW(saveProjectFile(path, {"new"}), InputError);
        fs::permissions(dir_.dir(), fs::perms::owner_all);
        EXPECT_EQ(readFileBytes(path), "one two three");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.dir()), fs::directory_iterator()), 1);
}

TEST(FileRobustness, DirectoriesAndMissingFilesAreRefusedNamingThePath) {
    // A directory once read as an empty file: a project "of the previous version", a
    // mean-value file "without values".
    const testing::TempDir dir("robust-project");
    fs::create_directories(dir.path("ordner.dat"));
    for (const std::string& p : {dir.path("ordner.dat"), dir.path("fehlt.dat")}) {
        EXPECT_EQ(testing::refusal([&] { (void)readFileBytes(p); }).file(), p);
        EXPECT_EQ(testing::refusal([&] { (void)loadProjectFile(p); }).file(), p);
    }
}

}  // namespace
}  // namespace penumbro
