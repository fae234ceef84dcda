#include "Cli.h"
#include "EditSupport.h"

#include "editor/CommentBlock.h"

namespace penumbro::cli {

// The lines replace the comment block; none leaves the single line "* ".
int runComment(const Args& arguments) {
    const Args args = Options(arguments, {.restIsText = true}).positional();
    if (args.empty()) throw UsageError{"expected a project file"};
    const std::string path = projectPathArgument(args);
    Lines memo;
    for (std::size_t i = 1; i < args.size(); ++i) memo.push_back(fromArgument(args[i]));
    editProjectFile(path, [&memo](const Lines& text) { return KommentarExit(text, memo); });
    return kExitOk;
}

}  // namespace penumbro::cli
