// The three sequencer files as real readers read them: the .ins file in
// TSE3, the MIDNAM document validated by xmllint against the MIDI Name
// Document DTD (through a catalog, never the network) and read by Python's
// XML parser, and the .reabank file by its grammar. Each reader's view of
// the banks must be the decoded banks: every bank on the keyboard with its
// bank select and every program's name. Run on banks with awkward names and
// on the real banks.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "banks/bank_directory.h"
#include "report/report_channel.h"
#include "sequencer/bank_assignment.h"
#include "sequencer/sequencer_banks.h"
#include "sequencer/sequencer_file.h"
#include "tests/support/batch_process.h"
#include "tests/support/real_banks.h"
#include "tests/support/temp_dir.h"
#include "tools/sysex/dump_builder.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;
using K = KeyboardBank;
using testing::BatchOutcome;
using testing::RunBatchProcess;
using testing::TempDir;

constexpr char kXmllint[] = "/usr/bin/xmllint";
constexpr char kPython[] = "/usr/bin/python3";

class NullPane final : public Pane {
 public:
  void AppendPaneLine(std::string_view) override {}
  void ClearPane() override {}
};

// What a sequencer learns of one bank.
struct BankView {
  int bank_select = -1;  // the controller 0 value
  std::string name;
  std::map<int, std::string> programs;  // every named program

  friend bool operator==(const BankView&, const BankView&) = default;
};
using Views = std::vector<BankView>;  // in bank select order

std::ostream& operator<<(std::ostream& out, const BankView& view) {
  out << "{" << view.bank_select << " '" << view.name << "':";
  for (const auto& [number, name] : view.programs) out << " " << number << "='" << name << "'";
  return out << "}";
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Split(const std::string& text, char at) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(at, start)) != std::string::npos; start = end + 1) {
    parts.push_back(text.substr(start, end - start));
  }
  parts.push_back(text.substr(start));
  return parts;
}

// What the banks hold, as a sequencer should learn it: the last dump of
// each number below 128 names the program, without its trailing blanks;
// `bank_name` gives the name the reader should see for a bank.
Views ExpectedViews(const BankSet& set, const BankAssignment& assignment,
                    const std::function<std::string(const Bank&)>& bank_name,
                    const std::function<std::string(const std::string&)>& patch_name) {
  Views views;
  for (K keyboard_bank : kKeyboardBankChoices) {
    for (std::size_t i = 0; i < set.size(); ++i) {
      if (assignment[i] != keyboard_bank || !IsOnKeyboard(keyboard_bank)) continue;
      BankView view{BankSelectValue(keyboard_bank), bank_name(set[i]), {}};
      for (const Patch& patch : set[i].patches) {
        if (patch.program_number >= 128) continue;
        std::string name = patch.name;
        name.erase(name.find_last_not_of(' ') + 1);
        view.programs[patch.program_number] = patch_name(name);
      }
      views.push_back(view);
    }
  }
  return views;
}

std::string Same(const std::string& text) { return text; }

// Writes the three files for `assignment` into dir/Compare.
void WriteFiles(const fs::path& dir, const BankSet& set, const BankAssignment& assignment) {
  NullPane pane;
  DiskReportFileSystem files;
  ReportChannel channel(pane, files, dir);
  const SequencerBanks banks = CollectSequencerBanks(set, assignment);
  for (SequencerFormat format :
       {SequencerFormat::kInstrumentDefinitions, SequencerFormat::kMidnam,
        SequencerFormat::kReabank}) {
    ASSERT_EQ(WriteSequencerFile(channel, banks, format), kAllIsOk);
  }
}

fs::path Written(const fs::path& dir, SequencerFormat format) {
  return SequencerFileName(format).PathBelow(dir);
}

// --- The readers -------------------------------------------------------------

// TSE3's view of the .ins file; the instrument's own lines are checked here.
Views Tse3Views(const fs::path& ins) {
#ifdef DRAVELIN_TSE3_READER
  const BatchOutcome run = RunBatchProcess(DRAVELIN_TSE3_READER, ins.parent_path(), {ins.string()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "") << "TSE3 complained";
  Views views;
  int instruments = 0;
  std::size_t banks = 0;
  for (const std::string& line : Split(run.out, '\n')) {
    if (line.empty()) continue;
    const std::vector<std::string> f = Split(line, '\t');
    if (f[0] == "instrument") {
      ++instruments;
      EXPECT_EQ(f[1], "QS+ Banks (Dravelin)");
      EXPECT_EQ(f[2], "0") << "BankSelMethod";
      banks = std::stoul(f[3]);
    } else if (f[0] == "bank") {
      const int number = std::stoi(f[1]);
      EXPECT_EQ(number % 128, 0) << "bank numbers are 128 times the controller 0 value";
      views.push_back({number / 128, f[2], {}});
    } else {
      EXPECT_EQ(f[0], "program");
      if (f[0] != "program" || views.empty()) return {};
      views.back().programs[std::stoi(f[1])] = f.size() > 2 ? f[2] : "";
    }
  }
  EXPECT_EQ(instruments, 1);
  EXPECT_EQ(banks, views.size());
  return views;
#else
  static_cast<void>(ins);
  return {};
#endif
}

// Writes a catalog that maps the MIDI Name Document's identifiers to the
// DTDs kept beside the checkout, and points xmllint at it.
void UseMidnamCatalog(TempDir& dir) {
  const std::string dtds = DRAVELIN_MIDNAM_DTDS;
  const std::string catalog =
      "<?xml version=\"1.0\"?>\n"
      "<catalog xmlns=\"urn:oasis:names:tc:entity:xmlns:xml:catalog\">\n"
      "  <public publicId=\"-//MIDI Manufacturers Association//DTD MIDINameDocument 1.0//EN\"\n"
      "          uri=\"file://" + dtds + "/MIDINameDocument10.dtd\"/>\n"
      "  <system systemId=\"http://www.midi.org/dtds/MIDINameDocument10.dtd\"\n"
      "          uri=\"file://" + dtds + "/MIDINameDocument10.dtd\"/>\n"
      "  <public publicId=\"-//MIDI Manufacturers Association//DTD MIDIEvents 1.0//EN\"\n"
      "          uri=\"file://" + dtds + "/MIDIEvents10.dtd\"/>\n"
      "</catalog>\n";
  const fs::path path = dir.WriteFile("catalog.xml", catalog);
  ::setenv("XML_CATALOG_FILES", path.c_str(), 1);
}

BatchOutcome Xmllint(const fs::path& document) {
  return RunBatchProcess(kXmllint, document.parent_path(),
                         {"--noout", "--nonet", "--valid", document.string()});
}

// Python's view of the MIDNAM document; its device is checked here.
Views MidnamViews(const fs::path& midnam) {
  const BatchOutcome run =
      RunBatchProcess(kPython, midnam.parent_path(), {DRAVELIN_MIDNAM_NAMES_SCRIPT, midnam.string()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  Views views;
  for (const std::string& line : Split(run.out, '\n')) {
    if (line.empty()) continue;
    const std::vector<std::string> f = Split(line, '\t');
    if (f[0] == "model") {
      EXPECT_EQ(f[1], "Alesis");
      EXPECT_EQ(f[2], "QS+ Banks (Dravelin)");
    } else if (f[0] == "bank") {
      views.push_back({std::stoi(f[1]), f[2], {}});
    } else {
      EXPECT_EQ(f.size(), 4u) << line;
      if (f.size() != 4 || views.empty()) return {};
      char number[8];
      std::snprintf(number, sizeof number, "%03d", std::stoi(f[1]));
      EXPECT_EQ(f[2], number) << "the number as the keyboard shows it";
      views.back().programs[std::stoi(f[1])] = f[3];
    }
  }
  return views;
}

// The .reabank file by its grammar: comment lines beginning with "//",
// empty lines, "Bank <msb> <lsb> <name>", then "<program> <name>" lines.
Views ReabankViews(const fs::path& reabank) {
  const std::regex comment("//.*");
  const std::regex bank("Bank ([0-9]+) ([0-9]+) (.+)");
  const std::regex program("([0-9]+) (.*)");
  Views views;
  std::string text = ReadFile(reabank);
  for (std::string line : Split(text, '\n')) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::smatch m;
    if (line.empty() || std::regex_match(line, comment)) continue;
    if (std::regex_match(line, m, bank)) {
      EXPECT_EQ(m[2], "0") << "the bank select LSB";
      views.push_back({std::stoi(m[1]), m[3], {}});
    } else if (std::regex_match(line, m, program)) {
      EXPECT_FALSE(views.empty()) << "a program before any bank: " << line;
      if (views.empty()) continue;
      const int number = std::stoi(m[1]);
      EXPECT_LT(number, 128);
      EXPECT_EQ(views.back().programs.count(number), 0u) << "program " << number << " twice";
      views.back().programs[number] = m[2];
    } else {
      ADD_FAILURE() << "a line the grammar does not know: " << line;
    }
  }
  return views;
}

bool HaveMidnamDtds() { return fs::exists(fs::path(DRAVELIN_MIDNAM_DTDS) / "MIDIEvents10.dtd"); }

// Every reader that is here, on the files written for `assignment`.
// `ins_name` and `utf8_name` give the bank names the .ins file and the
// UTF-8 files should show.
void CheckEveryReader(TempDir& dir, const BankSet& set, const BankAssignment& assignment,
                      const std::function<std::string(const Bank&)>& ins_name,
                      const std::function<std::string(const Bank&)>& utf8_name) {
  WriteFiles(dir.path(), set, assignment);
  const auto semicolon_free = [](const std::string& name) {
    std::string text = name;
    std::replace(text.begin(), text.end(), ';', ':');
    return text;
  };
  const Views utf8 = ExpectedViews(set, assignment, utf8_name, Same);
  ASSERT_FALSE(utf8.empty());
  EXPECT_EQ(ReabankViews(Written(dir.path(), SequencerFormat::kReabank)), utf8);

#ifdef DRAVELIN_TSE3_READER
  Views in_ins = ExpectedViews(set, assignment, ins_name, semicolon_free);
  for (BankView& view : in_ins) std::erase_if(view.programs, [](auto& p) { return p.second.empty(); });
  EXPECT_EQ(Tse3Views(Written(dir.path(), SequencerFormat::kInstrumentDefinitions)), in_ins);
#else
  static_cast<void>(ins_name);
  static_cast<void>(semicolon_free);
  std::cout << "[  NOTE    ] libtse3-dev is not installed: the .ins file was not read\n";
#endif

  const fs::path midnam = Written(dir.path(), SequencerFormat::kMidnam);
  EXPECT_EQ(MidnamViews(midnam), utf8);
  if (!HaveMidnamDtds()) {
    std::cout << "[  NOTE    ] no MIDNAM DTDs beside the checkout: the document was not "
                 "validated\n";
    return;
  }
  UseMidnamCatalog(dir);
  const BatchOutcome valid = Xmllint(midnam);
  EXPECT_EQ(valid.exit_code, 0) << valid.err;
  EXPECT_EQ(valid.err, "");
  // The same check fails a document that lacks one required name.
  std::string broken = ReadFile(midnam);
  const std::size_t patch = broken.find("<Patch ");
  const std::size_t name = broken.find(" Name=\"", patch);
  ASSERT_NE(name, std::string::npos);
  broken.erase(name, broken.find('"', name + 7) + 1 - name);
  const fs::path broken_path = dir.WriteFile("broken.midnam", broken);
  const BatchOutcome invalid = Xmllint(broken_path);
  EXPECT_NE(invalid.exit_code, 0);
  EXPECT_NE(invalid.err.find("Element Patch does not carry attribute Name"), std::string::npos)
      << invalid.err;
}

std::size_t IndexOfFile(const BankSet& set, const std::string& file_name) {
  for (std::size_t i = 0; i < set.size(); ++i) {
    if (set[i].file_name == file_name) return i;
  }
  ADD_FAILURE() << "no bank file " << file_name;
  return 0;
}

TEST(SequencerReadersTest, AwkwardNamesReachEveryReaderIntact) {
  if (!fs::exists(kXmllint) || !fs::exists(kPython)) {
    GTEST_SKIP() << "xmllint or python3 is missing (bash scripts/test.sh installs them)";
  }
  TempDir dir;
  using sysex::MakeSounds;
  using sysex::SyxBuilder;
  const auto write = [&dir](const std::string& file, SyxBuilder& bank) {
    dir.WriteFile(fs::path("Compare") / file, bank.bytes());
  };
  SyxBuilder semicolons;
  semicolons.Dump(0, "Pad;Wow", MakeSounds(1, 2, 3, 4))
      .Dump(1, "A&B \"Q\"", MakeSounds(5, 6, 7, 8))
      .Dump(2, "<Lead>", MakeSounds(9, 10, 11, 12))
      .Dump(3, "", MakeSounds(13, 14, 15, 16))  // ten blanks
      .Dump(4, "  Lead in", MakeSounds(17, 18, 19, 20))
      .Dump(5, "x=y[z] //", MakeSounds(21, 22, 23, 24))
      .Dump(127, "~Top'", MakeSounds(25, 26, 27, 28));
  write("Semi;colon.syx", semicolons);
  SyxBuilder numbers;
  numbers.Dump(0, "Normal", MakeSounds(1, 1, 1, 1))
      .Dump(200, "Too High", MakeSounds(2, 2, 2, 2))
      .Dump(5, "First", MakeSounds(3, 3, 3, 3))
      .Dump(5, "Second", MakeSounds(4, 4, 4, 4));
  write("Amp&\"Quote\" <x>.syx", numbers);
  SyxBuilder one;
  one.Dump(7, "Seven", MakeSounds(5, 5, 5, 5));
  write("Caf\xE9.syx", one);                     // Latin-1
  write("Caf\xC3\xA9 \xE2\x99\xAB.syx", one);    // UTF-8
  write("Twin.syx", one);
  write("Twin.SYX", numbers);
  write("Left Out.syx", one);
  BankSet set;
  ASSERT_EQ(ReadBankDirectory(dir.path(), "Compare", set), kAllIsOk);
  ASSERT_EQ(set.size(), 7u);

  BankAssignment assignment(set.size(), K::kNotOnKeyboard);
  assignment[IndexOfFile(set, "Semi;colon.syx")] = K::kCard11;
  assignment[IndexOfFile(set, "Amp&\"Quote\" <x>.syx")] = K::kUser;
  assignment[IndexOfFile(set, "Caf\xE9.syx")] = K::kPreset4;
  assignment[IndexOfFile(set, "Caf\xC3\xA9 \xE2\x99\xAB.syx")] = K::kPreset1;
  assignment[IndexOfFile(set, "Twin.syx")] = K::kCard2;
  assignment[IndexOfFile(set, "Twin.SYX")] = K::kCard1;

  const std::map<std::string, std::string> utf8_names = {
      {"Caf\xE9", "Caf\xC3\xA9"},  // the byte read as code page 1252
  };
  CheckEveryReader(
      dir, set, assignment,
      [](const Bank& bank) {
        // Sections are named after the banks, ';' written as ':', and the
        // second bank of a name (in keyboard order) told apart.
        if (bank.file_name == "Twin.syx") return std::string("Twin (2)");
        std::string name = bank.name;
        std::replace(name.begin(), name.end(), ';', ':');
        return name;
      },
      [&utf8_names](const Bank& bank) {
        const auto it = utf8_names.find(bank.name);
        return it == utf8_names.end() ? bank.name : it->second;
      });
}

TEST(SequencerReadersTest, TheRealBanksReachEveryReaderIntact) {
  if (!fs::is_directory(DRAVELIN_QS_BANKS)) GTEST_SKIP() << "no real banks beside the checkout";
  if (!fs::exists(kXmllint) || !fs::exists(kPython)) {
    GTEST_SKIP() << "xmllint or python3 is missing (bash scripts/test.sh installs them)";
  }
  TempDir dir;
  ASSERT_EQ(testing::GatherRealBankFiles(DRAVELIN_QS_BANKS, dir.path() / "Compare",
                                         testing::Gather::kCopy),
            43);
  BankSet set;
  ASSERT_EQ(ReadBankDirectory(dir.path(), "Compare", set), kAllIsOk);
  ASSERT_EQ(set.size(), 43u);
  // Sixteen banks fit the keyboard: three exports reach every bank, each
  // with the first of its banks on Card 11 and the rest from User on.
  for (std::size_t first = 0; first < set.size(); first += kKeyboardBankCount) {
    SCOPED_TRACE("banks from " + std::to_string(first));
    BankAssignment assignment(set.size(), K::kNotOnKeyboard);
    const std::size_t end = std::min(set.size(), first + kKeyboardBankCount);
    assignment[first] = K::kCard11;
    for (std::size_t i = first + 1; i < end; ++i) assignment[i] = kKeyboardBankChoices[i - first - 1];
    const auto name = [](const Bank& bank) { return bank.name; };
    CheckEveryReader(dir, set, assignment, name, name);
  }
}

}  // namespace
}  // namespace dravelin
