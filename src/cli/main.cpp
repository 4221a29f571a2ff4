#include "cli/BinaryStandardStreams.h"
#include "cli/CliApp.h"

int main(int argc, char** argv) {
    qw::cli::useBinaryStandardStreams();
    return qw::cli::run(argc, argv);
}
