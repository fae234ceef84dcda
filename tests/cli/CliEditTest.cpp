// penumbro-cli new, site, reflectance, horizon and comment; list and delete of malformed text.

#include "cli/RunCli.h"

#include "project/ProjectFile.h"
#include "support/SampleProjects.h"

#include <gtest/gtest.h>

#include <stdlib.h>

namespace penumbro {
namespace {

class CliEdit : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("LC_ALL", "C.UTF-8", 1); }  // the list's umlauts reach the terminal as UTF-8

    CliResult run(const std::string& command, const std::string& rest = "") {
        return runCli(command + " " + cliQuote(path_) + (rest.empty() ? "" : " " + rest));
    }
    std::string bytes() const { return dir_.read("p.dat"); }

    testing::TempDir dir_{"edit"};
    std::string path_ = dir_.path("p.dat");
};

TEST_F(CliEdit, NewThenEditSiteReflectanceHorizonComment) {
    ASSERT_EQ(run("new").exitCode, 0);
    EXPECT_EQ(bytes(), joinLines(newProjectLines()));
    EXPECT_EQ(run("new").exitCode, 1);  // no silent overwrite
    EXPECT_EQ(run("new", "--force").exitCode, 0);

    EXPECT_EQ(run("site", "-33.9 -18.4 -2").exitCode, 0);
    EXPECT_EQ(run("reflectance", "100,40,30,20,20,20,20,20,20,20,30,40").exitCode, 0);
    EXPECT_EQ(run("horizon", "90-180=12.5 0-90=3").exitCode, 0);
    EXPECT_EQ(run("comment", "'Erste Zeile' '' --dritte '' ''").exitCode, 0);
    EXPECT_EQ(bytes(), joinLines({"* Erste Zeile", "* ", "* --dritte", "0", "Horizont", "90-180=12.5", "0-90=3",
                                  "Standort", "-33.9 -18.4 -2.0", "Bodenreflexion",
                                  "100 40 30 20 20 20 20 20 20 20 30 40"}));

    EXPECT_EQ(run("horizon").exitCode, 0);  // no interval: the section goes
    EXPECT_EQ(bytes().find("Horizont"), std::string::npos);
}

TEST_F(CliEdit, BadInputNamesTheFieldAndLeavesTheFileAlone) {
    ASSERT_EQ(run("new").exitCode, 0);
    const std::string before = bytes();
    const std::tuple<const char*, const char*, const char*, int> cases[] = {
        {"site", "0 abc 0", "longitude", 1}, {"reflectance", "40,40,30,20,20,20,20,20,20,20,30,101", "December", 1},
        {"horizon", "0-90=1 -5-10=3", "horizon interval 2", 1}, {"delete", "eins", "object number", 1},
        {"delete", "1 --now", "unknown option", 2},
    };
    for (const auto& [command, args, mentions, exitCode] : cases) {
        const CliResult r = run(command, args);
        EXPECT_EQ(r.exitCode, exitCode) << command << " " << args;
        EXPECT_NE(r.err.find(mentions), std::string::npos) << r.err;
        EXPECT_EQ(bytes(), before) << command;
    }
}

TEST_F(CliEdit, MalformedProjectIsListedAsFarAsItReads) {
    Lines text = testing::project({testing::wallSurface()}, 2);
    text.resize(text.size() - 2);
    dir_.write("p.dat", joinLines(text));
    const std::string before = bytes();
    const CliResult r = run("list");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out.substr(0, 9), "1. Mauer\n");
    EXPECT_NE(r.err.find("p.dat:15:"), std::string::npos) << r.err;
    const CliResult d = run("delete", "1");
    EXPECT_EQ(d.exitCode, 1);
    EXPECT_NE(d.err.find("p.dat:15:"), std::string::npos) << d.err;
    EXPECT_EQ(bytes(), before);
}

}  // namespace
}  // namespace penumbro
