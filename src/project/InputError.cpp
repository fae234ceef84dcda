#include "project/InputError.h"

namespace penumbro {

namespace {
std::string compose(const std::string& file, int line, const std::string& what) {
    if (file.empty()) return what;
    if (line > 0) return file + ":" + std::to_string(line) + ": " + what;
    return file + ": " + what;
}
}  // namespace

InputError::InputError(std::string file, int line, ErrorMessage what)
    : std::runtime_error(compose(file, line, what.render(Language::English))),
      file_(std::move(file)),
      line_(line),
      message_(what.render(Language::English)),
      detail_(std::move(what)) {}

std::string InputError::render(Language language) const {
    return compose(file_, line_, detail_.render(language));
}

}  // namespace penumbro
