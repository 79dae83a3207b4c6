#include "bench/harness/BenchCommand.h"

#include <iostream>

int main(int argc, char** argv)
{
    return quillo::bench::runBenchCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
