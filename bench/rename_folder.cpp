// Renames every plain file of DIR to LABEL + running number + its own extension, in the order
// Tallyfold lists them, as Tallyfold's window does in prefix mode with Yes to every question:
// a file whose new name is taken keeps its name and is reported. The batch goes into Tallyfold's
// journal first, so `tallyfold --undo DIR` takes it back.
//
//   rename_folder DIR LABEL
//
// Exits 0 when every file was renamed, 1 when one could not be or the run failed, 2 on wrong
// arguments.

#include "tallyfold/BatchRename.h"

#include <cstdio>
#include <exception>

int main(int argc, char* argv[]) {
    const std::string problem = argc == 3 ? LabelProblem(argv[2], Placement::Prefix) : "";
    if (argc != 3 || !problem.empty()) {
        std::fprintf(stderr, "usage: rename_folder DIR LABEL\n%s\n", problem.c_str());
        return 2;
    }
    bool failed = false;
    try {
        RunBatch(PrepareBatch(BatchFolder(argv[1]), argv[2], Placement::Prefix),
                 [&](const std::string& oldPath, const std::string& newPath) {
                     std::fprintf(stderr, "cannot rename %s to %s\n", oldPath.c_str(),
                                  newPath.c_str());
                     failed = true;
                     return true;
                 });
    } catch (const std::exception& error) {
        std::fprintf(stderr, "rename_folder: %s\n", error.what());
        return 1;
    }
    return failed ? 1 : 0;
}
