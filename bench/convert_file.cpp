// Runs one conversion from the command line exactly as the window would, for timing whole
// processes against plain copies. Not installed; see bench/README.md.

#include <iostream>
#include <string_view>
#include <vector>

#include "bench/ConvertFileCommand.h"
#include "io/TemporaryFiles.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    lw::RemoveTemporaryFilesOnTermination();
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return lw::ConvertFileMain(args, std::cerr);
}
