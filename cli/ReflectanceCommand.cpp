#include "Cli.h"
#include "EditSupport.h"

#include "editor/SiteEditing.h"
#include "project/InputError.h"

namespace penumbro::cli {

// The twelve percentages come as one comma-separated argument; pieces split by the
// shell ("40, 40, ...") are taken together.
int runReflectance(const Args& arguments) {
    const Args args = Options(arguments, {}).positional();
    if (args.size() < 2) throw UsageError{"expected a project file and twelve percentages"};
    const std::string path = projectPathArgument(args);
    std::vector<std::string> fields;
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::size_t b = 0;
        for (;;) {
            const auto e = args[i].find(',', b);
            const std::string part = args[i].substr(b, e == std::string::npos ? std::string::npos : e - b);
            if (!part.empty()) fields.push_back(part);
            if (e == std::string::npos) break;
            b = e + 1;
        }
    }
    if (fields.size() != 12) {
        throw InputError({ErrorId::ReflectanceCount, {std::to_string(fields.size())}});
    }
    MonthlyValues values{};
    const auto& months = monthNames(Language::English);
    for (std::size_t m = 0; m < 12; ++m) {
        const long long v = integerField(months[m], fields[m]);
        if (v < 0 || v > 100) throw InputError({ErrorId::MonthPercentRange, {ErrorMessage(ErrorId::MonthName, {std::to_string(m + 1)}), fields[m]}});
        values[m] = static_cast<int>(v);
    }
    editProjectFile(path, [&values](const Lines& text) { return writeReflectance(text, values); });
    return kExitOk;
}

}  // namespace penumbro::cli
