// tolvinark-cli: the viewer's measurements on the command line (info, list, show, export).

#include "app/cli/cli_arguments.h"
#include "app/cli/cli_commands.h"
#include "app/cli/cli_output.h"

int main(int argc, char** argv) {
    tolvinark::cli::useBinaryStandardStreams();
    return tolvinark::cli::runCommand(tolvinark::cli::parseCommandLine(argc, argv));
}
