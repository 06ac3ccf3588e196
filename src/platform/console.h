// What a console program takes from and gives to the system: its
// arguments and its standard output.
#pragma once

#include <string>
#include <vector>

namespace quorvane::platform {

// The program's arguments after its name, as UTF-8. On Windows they are
// taken from the UTF-16 command line, since `argv` holds them in the ANSI
// code page, which cannot hold every name.
std::vector<std::string> commandArguments(int argc, char** argv);

// Makes standard output and standard error pass bytes unchanged: on
// Windows they otherwise turn every LF into CR LF, so a report's CR LF
// would reach a file as CR CR LF.
void writeStandardStreamsAsBytes();

}  // namespace quorvane::platform
