#include "project/InputError.h"

namespace penumbro {

namespace {
std::string compose(const std::string& file, int line, const std::string& what) {
    if (file.empty()) return what;
    if (line > 0) return file + ":" + std::to_string(line) + ": " + what;
    return file + ": " + what;
}
}  // namespace

InputError::InputError(std::string file, int line, std::string what)
    : std::runtime_error(compose(file, line, what)),
      file_(std::move(file)),
      line_(line),
      message_(std::move(what)) {}

}  // namespace penumbro
