// What the commands make of their input files and command lines: files that are no
// project, names as long as the file system allows, project texts saved as UTF-8, "--"
// and blanks around list entries.

#include "RunCli.h"

#include "project/ProjectFile.h"
#include "support/SampleProjects.h"

#include <gtest/gtest.h>

#include <stdlib.h>

namespace penumbro {
namespace {

using testing::TempDir;

const char* kDay = " --set monthly=0 --set first-day=172 --set stop-day=172 --set interval-minutes=30";

class CliInput : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("LC_ALL", "C.UTF-8", 1); }
    void TearDown() override { ::unsetenv("LC_ALL"); }
    TempDir dir_{"cli-input"};
};

// Every reader of a project says first that a picture is no project, then where it
// found out, in the locale's language.
TEST_F(CliInput, APictureIsNoProjectInEveryCommand) {
    const std::string png = dir_.write("picture.png", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
    const std::string q = cliQuote(png);
    const std::string said = png + ": not a project file (line 2: the surface count is not an integer)";
    const std::string commands[] = {"compile " + q, "run " + q + kDay, "list " + q, "vrml " + q,
                                    "instant " + q + " --day 172 --time 12:00"};
    for (const std::string& c : commands) {
        const CliResult r = runCli(c);
        EXPECT_EQ(r.exitCode, 1) << c;
        EXPECT_NE(r.err.find(said), std::string::npos) << c << ": " << r.err;
    }
    const CliResult batch = runCli("batch " + q + kDay);
    EXPECT_NE(batch.out.find(said), std::string::npos) << batch.out;
    ::setenv("LC_ALL", "de_DE.UTF-8", 1);
    EXPECT_NE(runCli("compile " + q).err.find(png + ": keine Projektdatei (Zeile 2: die Fl\xC3\xA4" "chenanzahl ist keine ganze Zahl)"),
              std::string::npos);
    // A project with a bad count stays a project: the line leads the message.
    dir_.write("p.dat", "* c\r\n1\r\nWand\r\nvier\r\n");
    EXPECT_NE(runCli("compile " + cliQuote(dir_.path("p.dat"))).err.find("p.dat:4: "), std::string::npos);
}

// A stem as long as a file name may be, with ".rep" reaching the limit of 255 bytes:
// the temporary files beside the outputs are short, so the run writes both.
TEST_F(CliInput, TheLongestNamesRunAndEditAndLeaveNoTemporaryFile) {
    const std::string stem(251, 'n');
    const std::string dat = dir_.write(stem + ".dat", joinLines(testing::collectorProject()));
    const CliResult r = runCli("run " + cliQuote(dat) + kDay);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_FALSE(dir_.read(stem + ".rep").empty() || dir_.read(stem + ".mit").empty());
    EXPECT_EQ(runCli("site " + cliQuote(dat) + " 47 -8 -1").exitCode, 0);
    const CliResult batch = runCli("batch " + cliQuote(dat) + kDay);
    EXPECT_EQ(batch.exitCode, 0) << batch.out;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.dir()), {}), 3);
}

// A project edited in a UTF-8 editor reads as the same project: names become the
// project's own characters (and batch output names the file system's), with one
// warning, and an edit saves it as every project file.
TEST_F(CliInput, ProjectTextsSavedAsUtf8AreConvertedOnceAndSavedAsBefore) {
    Lines text = testing::project({testing::collectorSurface(), testing::collectorSurface()});
    text[2] = "N\xC3\xB6rd \xE2\x82\xAC";  // "Nörd €" in UTF-8
    const std::string dat = dir_.write("u.dat", joinLines(text));
    const CliResult list = runCli("list " + cliQuote(dat) + " --lang e");
    EXPECT_EQ(list.out.substr(0, 25), "1. N\xC3\xB6rd \xE2\x82\xAC (Target)\n2. ");
    EXPECT_EQ(list.err, dat + ": warning: the text was saved as UTF-8 and has been converted to Windows-1252\n");
    const CliResult batch = runCli("batch " + cliQuote(dat) + kDay);
    EXPECT_EQ(batch.exitCode, 0) << batch.out;
    EXPECT_FALSE(dir_.read("u_01_N\xC3\xB6rd _.rep").empty()) << batch.out;
    ASSERT_EQ(runCli("site " + cliQuote(dat) + " 47 -8 -1").exitCode, 0);
    EXPECT_NE(dir_.read("u.dat").find("\r\nN\xF6rd \x80\r\n"), std::string::npos);  // saved as Windows-1252

}

// "--" ends the options: a file named like an option is a file; list entries lose
// the blanks around them.
TEST_F(CliInput, DoubleDashEndsTheOptionsAndListEntriesAreTrimmed) {
    const std::string dat = dir_.write("-dash.dat", joinLines(testing::collectorProject()));
    const std::string inDir = "cd " + cliQuote(dir_.dir().string()) + " && " + cliQuote(PENUMBRO_CLI);
    for (const char* c : {" compile -- -dash.dat", " run --set monthly=0 --set first-day=172 --set stop-day=172 -- -dash.dat",
                                 " list --lang e -- -dash.dat", " site -- -dash.dat 47 -8 -1"}) {
        const int status = std::system((inDir + c + " >/dev/null 2>&1").c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c;
    }
    EXPECT_EQ(runCli("run -- --help").exitCode, 1);  // a file named "--help", which is missing
    dir_.write("list.txt", "  -dash.dat \t\n\t# a comment\n");
    const CliResult batch = runCli("batch --list " + cliQuote(dir_.path("list.txt")) + kDay);
    EXPECT_EQ(batch.exitCode, 0) << batch.out;
    EXPECT_NE(batch.out.find("entries done: 1 of 1"), std::string::npos) << batch.out;
}

}  // namespace
}  // namespace penumbro
