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

// Makes standard input pass bytes unchanged, for a command that reads a
// whole file from it: on Windows it otherwise ends at the first byte 1A and
// turns CR LF into LF, which breaks a UTF-16 text. Call before the first read.
void readStandardInputAsBytes();

}  // namespace quorvane::platform
