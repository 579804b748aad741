// Patches, banks and a report channel over an in-memory pane and in-memory
// report files, for the comparison report tests.

#ifndef DRAVELIN_TESTS_COMPARE_REPORT_FIXTURE_H_
#define DRAVELIN_TESTS_COMPARE_REPORT_FIXTURE_H_

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "banks/bank.h"
#include "report/report_channel.h"
#include "tools/sysex/dump_builder.h"
#include "tests/support/fake_report_files.h"

namespace dravelin::testing {

using sysex::Sounds;

inline Patch MakePatch(std::string name, std::uint8_t program_number, const Sounds& sounds) {
  Patch patch;
  patch.name = std::move(name);
  patch.program_number = program_number;
  patch.sounds = sounds;
  return patch;
}

inline Bank MakeBank(std::string name, std::vector<Patch> patches) {
  Bank bank;
  bank.name = std::move(name);
  bank.patches = std::move(patches);
  return bank;
}

// The lines each followed by CR LF, as a report file holds them.
inline std::string CrlfLines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

inline const std::string kDashes(88, '-');

class LinePane : public Pane {
 public:
  void AppendPaneLine(std::string_view line) override { lines.emplace_back(line); }
  void ClearPane() override {
    lines.clear();
    ++clears;
  }
  std::vector<std::string> lines;
  int clears = 0;
};

// A channel whose report files live in memory below "/w".
struct ReportFixture {
  ReportFixture() : channel(pane, files, "/w") {}

  // The bytes of a report file, e.g. File("compare.txt").
  std::string File(const ReportFileName& name) const {
    return files.Contents(channel.ReportFilePath(name));
  }
  std::string File(std::string_view file) const { return File(ReportFileName(std::string(file))); }
  bool Created(std::string_view file) const {
    return files.Created(channel.ReportFilePath(ReportFileName(std::string(file))));
  }
  // The pane's lines, each followed by CR LF, to hold against a file.
  std::string PaneAsFile() const {
    std::string text;
    for (const std::string& line : pane.lines) text += line + "\r\n";
    return text;
  }

  LinePane pane;
  FakeReportFiles files;
  ReportChannel channel;
};

}  // namespace dravelin::testing

#endif  // DRAVELIN_TESTS_COMPARE_REPORT_FIXTURE_H_
