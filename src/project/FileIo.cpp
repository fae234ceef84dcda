#include "project/FileIo.h"

#include "project/InputError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include <fcntl.h>
#include <unistd.h>

namespace penumbro {

namespace {
std::string errnoText() { return std::strerror(errno); }
}  // namespace

std::string readFileBytes(const std::string& path) {
    // A directory opens like an empty file here and would read as one.
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw InputError(path, 0, "cannot read file: it is a directory");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw InputError(path, 0, "cannot open file: " + errnoText());
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) throw InputError(path, 0, "cannot read file");
    return buffer.str();
}

void writeFileAtomically(const std::string& path, const std::string& bytes) {
    std::random_device rd;
    const std::string tmp = path + ".tmp" + std::to_string(rd() % 1000000);
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) throw InputError(path, 0, "cannot write file: " + errnoText());
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            std::string why = errnoText();
            ::close(fd);
            ::unlink(tmp.c_str());
            throw InputError(path, 0, "cannot write file: " + why);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        std::string why = errnoText();
        ::unlink(tmp.c_str());
        throw InputError(path, 0, "cannot write file: " + why);
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::string why = errnoText();
        ::unlink(tmp.c_str());
        throw InputError(path, 0, "cannot write file: " + why);
    }
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::string directoryOf(const std::string& path) {
    auto pos = path.find_last_of('/');
    return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
}

std::string fileNameOf(const std::string& path) {
    auto pos = path.find_last_of('/');
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

std::string withoutExtension(const std::string& path) {
    std::string name = fileNameOf(path);
    auto dot = name.find_last_of('.');
    if (dot == std::string::npos) return path;
    return directoryOf(path) + name.substr(0, dot);
}

}  // namespace penumbro
