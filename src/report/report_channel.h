// The one output path of report lines: to the text pane while ScreenDisplay
// is on, and to the open report file while FileOutput is on.
//
// Use: OpenReportFile; if it gave kAllIsOk, any number of Write* calls, then
// CloseReportFile once. ClearReportPane may be called at any time. Every line
// written to the file ends with CR LF; file lines are buffered and handed to
// the file in large chunks.
//
// A failed write ends the report: from then on no line reaches the pane or
// the file, failed() is true so that report loops can stop, and
// CloseReportFile closes the file, which then is not stored (an earlier
// report under its name stays), and returns kTxtFileWriteError. A report
// still open when the next one is opened, or when the channel is destroyed,
// is dropped the same way.

#ifndef DRAVELIN_REPORT_REPORT_CHANNEL_H_
#define DRAVELIN_REPORT_REPORT_CHANNEL_H_

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "banks/bank.h"
#include "base/message_code.h"
#include "report/pane.h"
#include "report/report_file.h"
#include "report/report_file_name.h"
#include "report/text_block.h"

namespace dravelin {

// The separator line between report sections: 88 dashes.
inline constexpr std::string_view kSeparatorLine =
    "----------------------------------------------------------------------------------------";

class ReportChannel {
 public:
  // Report file names are resolved below `working_dir`.
  ReportChannel(Pane& pane, ReportFileSystem& files, std::filesystem::path working_dir);
  ~ReportChannel();

  ReportChannel(const ReportChannel&) = delete;
  ReportChannel& operator=(const ReportChannel&) = delete;

  bool screen_display() const { return screen_display_; }
  void set_screen_display(bool on) { screen_display_ = on; }
  bool file_output() const { return file_output_; }
  void set_file_output(bool on) { file_output_ = on; }

  // Where the named report file lies: below the working directory.
  std::filesystem::path ReportFilePath(const ReportFileName& name) const {
    return name.PathBelow(working_dir_);
  }

  // With FileOutput on, starts the named report file and returns kAllIsOk,
  // or kTxtFileOpenError when it cannot be created; it replaces what holds
  // that name only when it is closed whole. With FileOutput off, touches
  // nothing and returns kAllIsOk.
  MessageCode OpenReportFile(const ReportFileName& name);

  // With FileOutput on, makes sure the folder of `name` exists, creating it
  // when it is missing: kAllIsOk, or kTxtFileWriteError when it cannot be
  // created (its name taken by a file, no permission). With FileOutput off,
  // touches nothing and returns kAllIsOk. For files outside the report
  // folder, whose folder the loading of the bank sets did not find.
  MessageCode MakeReportFolder(const ReportFileName& name);

  // With FileOutput on, stores `bytes` as the named file at once, as a
  // report file is stored (whole or not at all; what held the name stays
  // when it fails): kAllIsOk, kTxtFileOpenError when the file cannot be
  // created, kTxtFileWriteError when a write, the close or the storing
  // failed. With FileOutput off, touches nothing and returns kAllIsOk. For
  // files that are not lines of text; never reaches the pane, and leaves
  // the open report file, if any, as it is.
  MessageCode WriteDataFile(const ReportFileName& name, std::span<const std::uint8_t> bytes);

  // Ends the report: with FileOutput on, writes what is buffered, closes
  // the file and stores it under its name. Returns kAllIsOk, or
  // kTxtFileWriteError when any write, the close or the storing failed.
  MessageCode CloseReportFile();

  // Empties the pane, whatever ScreenDisplay says.
  void ClearReportPane();

  // The line to the pane (ScreenDisplay on), then with CR LF to the file
  // (FileOutput on).
  void WriteReportLine(std::string_view line);

  // The ended lines of `block` at once, for reports that produce many: the
  // same as one WriteReportLine per line, each line as the block delimits it.
  // A block of the buffer's size or more is handed to the file without being
  // copied. Text after the block's last ended line is not written.
  void WriteReportBlock(const TextBlock& block);

  // The line to the pane only (ScreenDisplay on); never to the file.
  void WritePaneLine(std::string_view line);

  // A line of 88 dashes, as WriteReportLine.
  void WriteSeparatorLine();

  // Two blanks and the bank's name, as WriteReportLine.
  void WriteBankNameLine(const Bank& bank);

  // "The following sysex files were found in the '<directory>' directory:",
  // then WriteBankNameLine for every bank of the set, in set order.
  void WriteBankFileList(const BankSet& set, std::string_view directory);

  // True after a write to the report file failed within this report.
  bool failed() const { return failed_; }

 private:
  void Flush();

  Pane& pane_;
  ReportFileSystem& files_;
  std::filesystem::path working_dir_;
  bool screen_display_ = true;
  bool file_output_ = true;
  std::unique_ptr<ReportFile> file_;
  std::string buffer_;
  bool failed_ = false;
};

}  // namespace dravelin

#endif  // DRAVELIN_REPORT_REPORT_CHANNEL_H_
