#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/HistoryLabel.h"

int main(int argc, char** argv) {
    keepgate::cli::openHistory();
    return keepgate::cli::run(std::vector<std::string>(argv + 1, argv + argc));
}
