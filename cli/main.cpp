// leadwright-convert: the conversions of the window for many lead sheets at once.

#include <iostream>
#include <string_view>
#include <vector>

#include "cli/ConvertCommand.h"
#include "io/TemporaryFiles.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    lw::RemoveTemporaryFilesOnTermination();
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return lw::ConvertCommandMain(args, std::cout, std::cerr);
}
