#include "cli/RunCli.h"

#include "editor/EditTexts.h"
#include "project/ProjectFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <stdlib.h>

namespace penumbro {
namespace {

using namespace testtexts;

class CliEdit : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("LC_ALL", "C.UTF-8", 1);  // the list's umlauts reach the terminal as UTF-8
        dir_ = cliTempDir("edit");
        path_ = (dir_ / "p.dat").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    CliResult run(const std::string& command, const std::string& rest = "") {
        return runCli(command + " " + cliQuote(path_) + (rest.empty() ? "" : " " + rest));
    }
    std::string bytes() const { return cliReadFile(path_); }
    void write(const Lines& lines) const {
        std::ofstream(path_, std::ios::binary) << joinLines(lines);
    }

    std::filesystem::path dir_;
    std::string path_;
};

TEST_F(CliEdit, NewThenEditSiteReflectanceHorizonComment) {
    ASSERT_EQ(run("new").exitCode, 0);
    EXPECT_EQ(bytes(), joinLines(newProjectLines()));
    EXPECT_EQ(run("new").exitCode, 1);  // no silent overwrite
    EXPECT_EQ(run("new", "--force").exitCode, 0);

    EXPECT_EQ(run("site", "-33.9 -18.4 -2").exitCode, 0);
    EXPECT_EQ(run("reflectance", "100,40,30,20,20,20,20,20,20,20,30,40").exitCode, 0);
    EXPECT_EQ(run("horizon", "90-180=12.5 0-90=3").exitCode, 0);
    EXPECT_EQ(run("comment", "'Erste Zeile' '' dritte '' ''").exitCode, 0);
    EXPECT_EQ(bytes(), joinLines({"* Erste Zeile", "* ", "* dritte", "0", "Horizont", "90-180=12.5", "0-90=3",
                                  "Standort", "-33.9 -18.4 -2.0", "Bodenreflexion",
                                  "100 40 30 20 20 20 20 20 20 20 30 40"}));

    EXPECT_EQ(run("horizon").exitCode, 0);  // no interval: the section goes
    EXPECT_EQ(bytes().find("Horizont"), std::string::npos);
}

TEST_F(CliEdit, InvalidInputNamesTheFieldAndLeavesTheFileAlone) {
    ASSERT_EQ(run("new").exitCode, 0);
    const std::string vorher = bytes();
    struct Case {
        std::string command, args, field;
    };
    const Case cases[] = {
        {"site", "0 abc 0", "longitude"},
        {"reflectance", "40,40,30,20,20,20,20,20,20,20,30,101", "December"},
        {"horizon", "0-90=1 -5-10=3", "horizon interval 2"},
        {"delete", "eins", "object number"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command + " " + c.args);
        const CliResult r = run(c.command, c.args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find(c.field), std::string::npos) << r.err;
        EXPECT_EQ(bytes(), vorher);
    }
}

TEST_F(CliEdit, ListShowsObjectsCountsSiteAndReflectance) {
    Lines text = projectOf({surface("Kollektor", true), surface("Wand"), surface("$#1Vordach")}, 3);
    text[text.size() - 3] = "0.0 -8.0 -1.0";
    write(text);
    const CliResult de = runCli("list " + cliQuote(path_));
    EXPECT_EQ(de.exitCode, 0) << de.err;
    EXPECT_EQ(de.out,
              "1. Kollektor (Target)\n2. Wand\n3. Vordach\n"
              "Objektanzahl: 3 Objekte, davon eine Targetfl\xC3\xA4" "che\n"
              "Breitengrad: 0.0\nL\xC3\xA4ngengrad: 8.0\xC2\xB0 Ost\nZeitzone: -1.0\n"
              "Bodenreflexion: 40 40 30 20 20 20 20 20 20 20 30 40\n");
    const CliResult en = runCli("list " + cliQuote(path_) + " --lang e");
    EXPECT_NE(en.out.find("Objects: 3 Objects, one of them is a target\n"), std::string::npos) << en.out;

    // Deleting the target takes its overhang along.
    EXPECT_EQ(run("delete", "1").exitCode, 0);
    const CliResult after = runCli("list " + cliQuote(path_));
    EXPECT_EQ(after.out.substr(0, after.out.find("Breitengrad")),
              "1. Wand\nObjektanzahl: Ein Objekt, keine Targetfl\xC3\xA4" "che\n");
}

TEST_F(CliEdit, MalformedProjectIsListedAsFarAsItReads) {
    Lines text = projectOf({surface("A")}, 2);
    text.resize(text.size() - 2);
    write(text);
    const std::string vorher = bytes();
    const CliResult r = runCli("list " + cliQuote(path_));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out.substr(0, 5), "1. A\n");
    EXPECT_NE(r.err.find("p.dat:15:"), std::string::npos) << r.err;
    const CliResult d = run("delete", "1");
    EXPECT_EQ(d.exitCode, 1);
    EXPECT_NE(d.err.find("p.dat:15:"), std::string::npos) << d.err;
    EXPECT_EQ(bytes(), vorher);
}

}  // namespace
}  // namespace penumbro
