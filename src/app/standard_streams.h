// The three standard streams at program start.

#ifndef DRAVELIN_APP_STANDARD_STREAMS_H_
#define DRAVELIN_APP_STANDARD_STREAMS_H_

namespace dravelin {

// Called first thing in main. Each standard stream that the program was
// started without (descriptor 0, 1 or 2 closed) is opened on the null
// device, so that no file the program opens later can take its number and
// receive what is meant for standard output. Standard output and error
// carry bytes as they are: no line-end translation on any system.
void PrepareStandardStreams();

}  // namespace dravelin

#endif  // DRAVELIN_APP_STANDARD_STREAMS_H_
