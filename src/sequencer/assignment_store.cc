#include "sequencer/assignment_store.h"

#include <cstdio>
#include <memory>
#include <system_error>
#include <utility>

#include "banks/file_system.h"
#include "sequencer/assignment_file.h"

namespace dravelin {
namespace {

enum class FileRead { kRead, kMissing, kFailed };

// The file's bytes, up to one more than kMaxAssignmentFileSize.
FileRead ReadWholeFile(const std::filesystem::path& path, std::string* text) {
  std::error_code error;
  if (!std::filesystem::exists(path, error) && !error) return FileRead::kMissing;
  std::FILE* file = OpenRegularFile(path);
  if (file == nullptr) return FileRead::kFailed;
  char buffer[16384];
  bool failed = false;
  while (text->size() <= kMaxAssignmentFileSize) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
    text->append(buffer, got);
    if (got < sizeof buffer) {
      failed = std::ferror(file) != 0;
      break;
    }
  }
  std::fclose(file);
  return failed ? FileRead::kFailed : FileRead::kRead;
}

std::string Problem(std::string_view what) {
  return AssignmentFileName().Shown() + std::string(what);
}

}  // namespace

AssignmentStore::AssignmentStore(std::filesystem::path working_dir)
    : working_dir_(std::move(working_dir)) {}

AssignmentOffer AssignmentStore::Offer(const BankSet& set) const {
  AssignmentOffer offer;
  std::string text;
  if (remembered_) {
    text = *remembered_;
  } else {
    switch (ReadWholeFile(AssignmentFileName().PathBelow(working_dir_), &text)) {
      case FileRead::kRead:
        break;
      case FileRead::kMissing:
        offer.assignment = DefaultAssignment(set.size());
        return offer;
      case FileRead::kFailed:
        offer.assignment = DefaultAssignment(set.size());
        offer.problem = Problem(" could not be read; the banks take the keyboard banks in order.");
        return offer;
    }
    if (text.size() > kMaxAssignmentFileSize) {
      offer.assignment = DefaultAssignment(set.size());
      offer.problem = Problem(" is larger than an assignment file can be and was ignored.");
      return offer;
    }
  }
  const AssignmentFileReading reading = ParseAssignmentFile(text, set);
  offer.assignment = FillFreeKeyboardBanks(reading.chosen);
  if (reading.ignored_lines == 1) {
    offer.problem = Problem(": one line was ignored, " + reading.first_problem + ".");
  } else if (reading.ignored_lines > 1) {
    offer.problem = Problem(": " + std::to_string(reading.ignored_lines) +
                            " lines were ignored; the first, " + reading.first_problem + ".");
  }
  return offer;
}

void AssignmentStore::Remember(const BankSet& set, std::span<const KeyboardBank> assignment) {
  remembered_ = FormatAssignmentFile(set, assignment);
}

MessageCode AssignmentStore::Save(ReportFileSystem& files) const {
  if (!remembered_) return kAllIsOk;
  std::unique_ptr<ReportFile> file = files.Create(AssignmentFileName().PathBelow(working_dir_));
  if (file == nullptr) return kTxtFileOpenError;
  const bool written = file->Write(remembered_->data(), remembered_->size());
  // Closed also after a failed write, which then stores nothing.
  const bool closed = written && file->Close();
  return closed ? kAllIsOk : kTxtFileWriteError;
}

}  // namespace dravelin
