#pragma once
// Whole-file reading and crash-safe writing. Writing goes to a temporary file in
// the same folder, which is flushed and then renamed over the target, so a failed
// write never destroys the previous file.

#include <string>
#include <string_view>

namespace penumbro {

// Reads the whole file as raw bytes. Throws InputError naming the file when it is
// missing, unreadable or a directory.
std::string readFileBytes(const std::string& path);

// Temporary files are named this prefix + six letters or digits, in the target's folder.
inline constexpr const char* kTemporaryPrefix = ".pb";

// Replaces path by bytes atomically. Throws InputError naming the file.
void writeFileAtomically(const std::string& path, const std::string& bytes);

// The streaming form, for a file written in blocks: the blocks go to the temporary
// file, commit() puts it in place. Destroyed without commit(), it removes the
// temporary file and leaves the target as it was. Every failure throws InputError
// naming the target.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void write(std::string_view bytes);
    void commit();

private:
    [[noreturn]] void fail(int error);
    std::string path_, tmp_;
    int fd_ = -1;
};

bool fileExists(const std::string& path);

// Directory part including the trailing separator ("" when there is none).
std::string directoryOf(const std::string& path);
// File name part without directory.
std::string fileNameOf(const std::string& path);
// Path without the extension of its file name part.
std::string withoutExtension(const std::string& path);
// The file name's extension after its last '.', in lower case ("" without one).
std::string lowerCaseExtension(const std::string& path);

}  // namespace penumbro
