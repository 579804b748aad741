#include "report/report_channel.h"

#include <utility>

namespace dravelin {
namespace {
// File lines are collected up to this many bytes before they are written.
constexpr std::size_t kFlushSize = 256 * 1024;
}  // namespace

ReportChannel::ReportChannel(Pane& pane, ReportFileSystem& files, std::filesystem::path working_dir)
    : pane_(pane), files_(files), working_dir_(std::move(working_dir)) {}

ReportChannel::~ReportChannel() = default;

MessageCode ReportChannel::OpenReportFile(const ReportFileName& name) {
  failed_ = false;
  buffer_.clear();
  if (!file_output_) return kAllIsOk;
  file_.reset();  // callers never nest reports; an unfinished one is dropped
  file_ = files_.Create(ReportFilePath(name));
  if (file_ == nullptr) return kTxtFileOpenError;
  buffer_.reserve(kFlushSize + 4096);
  return kAllIsOk;
}

MessageCode ReportChannel::CloseReportFile() {
  if (file_ != nullptr) {
    Flush();
    if (!file_->Close()) failed_ = true;
    file_.reset();
  }
  buffer_.clear();
  return failed_ ? kTxtFileWriteError : kAllIsOk;
}

MessageCode ReportChannel::MakeReportFolder(const ReportFileName& name) {
  if (!file_output_) return kAllIsOk;
  return files_.CreateFolder(name.FolderBelow(working_dir_)) ? kAllIsOk : kTxtFileWriteError;
}

MessageCode ReportChannel::WriteDataFile(const ReportFileName& name,
                                         std::span<const std::uint8_t> bytes) {
  if (!file_output_) return kAllIsOk;
  const std::unique_ptr<ReportFile> file = files_.Create(ReportFilePath(name));
  if (file == nullptr) return kTxtFileOpenError;
  // A file dropped unclosed after a failed write is not stored.
  if (!file->Write(reinterpret_cast<const char*>(bytes.data()), bytes.size())) {
    return kTxtFileWriteError;
  }
  return file->Close() ? kAllIsOk : kTxtFileWriteError;
}

void ReportChannel::ClearReportPane() { pane_.ClearPane(); }

void ReportChannel::WriteReportLine(std::string_view line) {
  if (failed_) return;
  if (screen_display_) pane_.AppendPaneLine(line);
  if (file_output_ && file_ != nullptr) {
    buffer_.append(line);
    buffer_.append("\r\n", 2);
    if (buffer_.size() >= kFlushSize) Flush();
  }
}

void ReportChannel::WriteReportBlock(const TextBlock& block) {
  if (failed_ || block.line_ends().empty()) return;
  const std::string_view text = block.text();
  if (screen_display_) pane_.AppendPaneBlock(block);
  if (file_output_ && file_ != nullptr) {
    const std::string_view lines = text.substr(0, block.line_ends().back() + 2);
    if (lines.size() < kFlushSize) {
      buffer_.append(lines);
      if (buffer_.size() >= kFlushSize) Flush();
      return;
    }
    // Large enough to be written as it stands, without a copy.
    Flush();
    if (!failed_ && !file_->Write(lines.data(), lines.size())) failed_ = true;
  }
}

void ReportChannel::WritePaneLine(std::string_view line) {
  if (failed_) return;
  if (screen_display_) pane_.AppendPaneLine(line);
}

void ReportChannel::WriteSeparatorLine() { WriteReportLine(kSeparatorLine); }

void ReportChannel::WriteBankNameLine(const Bank& bank) {
  std::string line = "  ";
  line += bank.name;
  WriteReportLine(line);
}

void ReportChannel::WriteBankFileList(const BankSet& set, std::string_view directory) {
  std::string header = "The following sysex files were found in the '";
  header += directory;
  header += "' directory:";
  WriteReportLine(header);
  for (const Bank& bank : set) WriteBankNameLine(bank);
}

void ReportChannel::Flush() {
  if (buffer_.empty() || file_ == nullptr) return;
  if (!file_->Write(buffer_.data(), buffer_.size())) failed_ = true;
  buffer_.clear();
}

}  // namespace dravelin
