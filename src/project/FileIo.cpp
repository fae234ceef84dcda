#include "project/FileIo.h"

#include "project/InputError.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <utility>

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
        throw InputError(path, 0, {ErrorId::ReadDirectory, {}});
    std::ifstream in(path, std::ios::binary);
    if (!in) throw InputError(path, 0, {ErrorId::CannotOpen, {errnoText()}});
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) throw InputError(path, 0, {ErrorId::CannotRead, {}});
    return buffer.str();
}

AtomicFileWriter::AtomicFileWriter(std::string path) : path_(std::move(path)) {
    // A short name of its own in the same folder: a target whose name is as long as
    // the file system allows still gets a temporary file, and O_EXCL keeps two writers
    // (of the same target or not) from sharing one.
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device rd;
    for (int attempt = 0; fd_ < 0; ++attempt) {
        tmp_ = directoryOf(path_) + kTemporaryPrefix;
        for (int k = 0; k < 6; ++k) tmp_ += kLetters[rd() % (sizeof kLetters - 1)];
        fd_ = ::open(tmp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && (errno != EEXIST || attempt == 99))
            throw InputError(path_, 0, {ErrorId::CannotWrite, {errnoText()}});
    }
}

AtomicFileWriter::~AtomicFileWriter() {
    if (fd_ < 0) return;  // committed, or already cleaned up by fail()
    ::close(fd_);
    ::unlink(tmp_.c_str());
}

void AtomicFileWriter::write(std::string_view bytes) {
    if (fd_ < 0) throw InputError(path_, 0, {ErrorId::CannotWrite, {"already closed"}});
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void AtomicFileWriter::commit() {
    if (fd_ < 0) throw InputError(path_, 0, {ErrorId::CannotWrite, {"already closed"}});
    if (::fsync(fd_) != 0) fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || std::rename(tmp_.c_str(), path_.c_str()) != 0) {
        const std::string why = errnoText();
        ::unlink(tmp_.c_str());
        throw InputError(path_, 0, {ErrorId::CannotWrite, {why}});
    }
}

void AtomicFileWriter::fail(int error) {
    ::close(fd_);
    fd_ = -1;
    ::unlink(tmp_.c_str());
    throw InputError(path_, 0, {ErrorId::CannotWrite, {std::strerror(error)}});
}

void writeFileAtomically(const std::string& path, const std::string& bytes) {
    AtomicFileWriter out(path);
    out.write(bytes);
    out.commit();
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

std::string lowerCaseExtension(const std::string& path) {
    const std::string name = fileNameOf(path);
    const auto dot = name.rfind('.');
    std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

}  // namespace penumbro
