// The three standard streams at program start, and the program's arguments.

#ifndef DRAVELIN_APP_STANDARD_STREAMS_H_
#define DRAVELIN_APP_STANDARD_STREAMS_H_

#include <string>
#include <vector>

namespace dravelin {

// Called first thing in main. Each standard stream that the program was
// started without (descriptor 0, 1 or 2 closed) is opened on the null
// device, so that no file the program opens later can take its number and
// receive what is meant for standard output. Standard output and error
// carry bytes as they are: no line-end translation on any system.
void PrepareStandardStreams();

// The arguments after the program's name, as bytes in the form that file
// names take (banks/file_system.h), so that an argument can name a bank
// file: on POSIX systems as given (`argv`), on Windows in UTF-8, read from
// the wide command line rather than from `argv`, whose code page cannot
// hold every file name.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace dravelin

#endif  // DRAVELIN_APP_STANDARD_STREAMS_H_
