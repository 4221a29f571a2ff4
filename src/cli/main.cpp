#include "cli/CliApp.h"

int main(int argc, char** argv) {
    return qw::cli::run(argc, argv);
}
