// The one place where the tool sets the mode of its standard streams.

#include "platform/BinaryStandardStreams.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#endif

namespace qw::cli {

void useBinaryStandardStreams() {
#ifdef _WIN32
    (void)_setmode(_fileno(stdin), _O_BINARY);
    (void)_setmode(_fileno(stdout), _O_BINARY);
#endif
}

} // namespace qw::cli
