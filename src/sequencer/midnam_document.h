// A MIDI Name Document 1.0 (".midnam"): one device of this program's own
// model whose one channel name set, on all 16 channels, holds a patch bank
// per bank on the keyboard, selected by controller 0, with the name of every
// program. UTF-8; bank names are the program's bytes read as the pane reads
// them (base/line_decoding.h), and every name is escaped for XML.

#ifndef DRAVELIN_SEQUENCER_MIDNAM_DOCUMENT_H_
#define DRAVELIN_SEQUENCER_MIDNAM_DOCUMENT_H_

#include <string>
#include <string_view>

#include "report/report_channel.h"
#include "sequencer/sequencer_banks.h"

namespace dravelin {

// The document type the file declares, and its model: never the name of a
// model that sequencers ship a document for, so that this file does not
// replace theirs.
inline constexpr std::string_view kMidnamPublicId =
    "-//MIDI Manufacturers Association//DTD MIDINameDocument 1.0//EN";
inline constexpr std::string_view kMidnamSystemId =
    "http://www.midi.org/dtds/MIDINameDocument10.dtd";
inline constexpr std::string_view kMidnamModel = "QS+ Banks (Dravelin)";

// `bytes` as XML character data or attribute text: decoded as the pane
// decodes a line, '&', '<', '>' and '"' written as references, and a
// character that XML 1.0 does not allow (U+FFFE, U+FFFF) as U+FFFD.
std::string XmlText(std::string_view bytes);

// Writes the whole document through `channel`.
void WriteMidnamDocument(ReportChannel& channel, const SequencerBanks& banks);

}  // namespace dravelin

#endif  // DRAVELIN_SEQUENCER_MIDNAM_DOCUMENT_H_
