#include "views/Player.h"

#include "project/FileIo.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace penumbro {

namespace {

std::vector<char*> argvOf(std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return argv;
}

// Runs args[0] with its arguments, no shell, and returns what it printed on stdout
// ("" when it cannot be run). stdin and stderr go to /dev/null.
std::string outputOf(std::vector<std::string> args) {
    std::vector<char*> argv = argvOf(args);
    int fds[2];
    if (::pipe(fds) != 0) return {};
    const int devNull = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        if (devNull >= 0) {
            ::dup2(devNull, STDIN_FILENO);
            ::dup2(devNull, STDERR_FILENO);
        }
        ::close(fds[0]);
        ::close(fds[1]);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    if (devNull >= 0) ::close(devNull);
    std::string output;
    if (pid > 0) {
        char buf[4096];
        for (;;) {
            const ssize_t got = ::read(fds[0], buf, sizeof buf);
            if (got > 0) output.append(buf, static_cast<std::size_t>(got));
            else if (got == 0 || errno != EINTR) break;
        }
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) output.clear();
    }
    ::close(fds[0]);
    return output;
}

// Starts program with one argument, detached: the grandchild is adopted by the system
// and never left as a zombie. A pipe closed on exec tells whether the exec worked.
bool startDetached(const std::string& program, const std::string& argument) {
    std::vector<std::string> args = {program, argument};
    std::vector<char*> argv = argvOf(args);
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    const int devNull = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        const pid_t grandchild = ::fork();
        if (grandchild < 0) ::_exit(1);
        if (grandchild > 0) ::_exit(0);
        ::setsid();
        if (devNull >= 0) ::dup2(devNull, STDIN_FILENO);
        ::execvp(argv[0], argv.data());
        const int err = errno;
        [[maybe_unused]] const ssize_t w = ::write(fds[1], &err, sizeof err);
        ::_exit(127);
    }
    ::close(fds[1]);
    if (devNull >= 0) ::close(devNull);
    if (child < 0) {
        ::close(fds[0]);
        return false;
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int err = 0;
    ssize_t got = 0;
    do {
        got = ::read(fds[0], &err, sizeof err);
    } while (got < 0 && errno == EINTR);
    ::close(fds[0]);
    // Nothing read: the pipe closed on a successful exec.
    return got == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool isFile(const std::string& path) {
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::vector<std::string> applicationFolders() {
    std::vector<std::string> folders;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (dataHome && *dataHome) folders.push_back(std::string(dataHome) + "/applications");
    else if (home && *home) folders.push_back(std::string(home) + "/.local/share/applications");
    const char* dataDirs = std::getenv("XDG_DATA_DIRS");
    std::string dirs = dataDirs && *dataDirs ? dataDirs : "/usr/local/share:/usr/share";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const auto colon = dirs.find(':', start);
        const std::string dir = dirs.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        if (!dir.empty()) folders.push_back(dir + "/applications");
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    return folders;
}

std::string findDesktopEntry(const std::string& id, const std::vector<std::string>& folders) {
    if (id.empty() || id.find('/') != std::string::npos) return {};
    for (const auto& folder : folders) {
        const std::string direct = folder + "/" + id;
        if (isFile(direct)) return direct;
        // "vendor-name.desktop" may live as "vendor/name.desktop".
        std::string nested = id;
        for (auto dash = nested.find('-'); dash != std::string::npos; dash = nested.find('-', dash + 1)) {
            nested[dash] = '/';
            if (isFile(folder + "/" + nested)) return folder + "/" + nested;
        }
    }
    return {};
}

std::string programOnPath(const std::string& program) {
    if (program.empty() || program.find('/') != std::string::npos) return program;
    const char* path = std::getenv("PATH");
    if (!path) return program;
    std::string dirs = path;
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const auto colon = dirs.find(':', start);
        std::string dir = dirs.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        if (dir.empty()) dir = ".";
        const std::string candidate = dir + "/" + program;
        if (isFile(candidate) && ::access(candidate.c_str(), X_OK) == 0) return candidate;
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    return program;
}

std::string XdgPlayerPlatform::standardBrowser() {
    std::string id = trimWhitespace(outputOf({"xdg-mime", "query", "default", "model/vrml"}));
    id = trimWhitespace(id.substr(0, id.find_first_of(";\n")));
    const std::string entry = findDesktopEntry(id, applicationFolders());
    if (entry.empty()) return {};
    std::ifstream in(entry, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return programOnPath(programOfDesktopEntry(content.str()));
}

bool XdgPlayerPlatform::startProgram(const std::string& program, const std::string& argument) {
    return startDetached(program, argument);
}

bool XdgPlayerPlatform::openFile(const std::string& file) {
    // xdg-open may wait for the viewer it starts, so it runs detached; without an
    // association for VRML worlds there is nothing it could open them with.
    if (standardBrowser().empty()) return false;
    return startDetached("xdg-open", file);
}

std::string StandardBrowserSuchen(PlayerPlatform& platform) { return platform.standardBrowser(); }

bool openVrmlWorld(PlayerPlatform& platform, const std::string& vrmlPlayer, const std::string& wrlPath) {
    if (!vrmlPlayer.empty()) return platform.startProgram(vrmlPlayer, wrlPath);
    return platform.openFile(wrlPath);
}

std::string noPlayerMessage(Language language) {
    if (language == Language::English) {
        return "No VRML viewer could be started!\r\rPlease install a VRML viewer.\r"
               "If one is already on your system, please enter its program\r"
               "at \"Settings\" - \"VRML view\" - \"other browser\".";
    }
    return "Es wurde kein VRML-Player gefunden!\r\rBitte installieren Sie einen VRML-Player.\r"
           "Sollte bereits ein VRML-Player auf Ihrem System vorhanden sein, so geben Sie\r"
           "bitte dessen Pfad und Dateinamen unter \"Einstellungen\" - \"VRML Darstellung\" - \"anderer Browser\" an.";
}

std::string vrmlBaseName(const std::string& projectFileName, const std::string& workingDirectory) {
    const std::string base = withoutExtension(projectFileName);
    if (base != "unbenannt") return base;
    std::string dir = workingDirectory;
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir + "unbenannt";
}

}  // namespace penumbro
