#include <iostream>
#include <string>
#include <vector>

#include "core/report.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return core::reportMain(arguments, std::cout, std::cerr);
}
