#include "cli/CliApp.h"
#include "platform/BinaryStandardStreams.h"

int main(int argc, char** argv) {
    qw::cli::useBinaryStandardStreams();
    return qw::cli::run(argc, argv);
}
