#include <iostream>
#include <string>
#include <vector>

#include "core/report.h"
#include "core/report_options.h"
#include "shell/bivalo_app.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!core::isHeadlessCommand(arguments))
        return shell::runWindowedApplication(argc, argv);
    return core::reportMain(arguments, std::cout, std::cerr);
}
