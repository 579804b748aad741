#include "compare/within_compare_report.h"

#include <array>

#include "compare/prefetch.h"

namespace dravelin {
namespace {

constexpr std::string_view kIdenticalVerb = " is IDENTICAL to ";
constexpr std::string_view kSoundsIdenticalVerb = " has sounds IDENTICAL to ";
constexpr std::string_view kSimilarVerb = " is similar to ";

// "  Sound r is IDENTICAL to sound c" for every row r and column c.
constexpr std::string_view kSoundDetailPattern = "  Sound 0 is IDENTICAL to sound 0";
constexpr std::size_t kSoundDetailLength = kSoundDetailPattern.size();
constexpr std::size_t kRowDigit = kSoundDetailPattern.find('0');
constexpr std::size_t kColumnDigit = kSoundDetailPattern.rfind('0');

using SoundDetailTable =
    std::array<std::array<char, kSoundDetailLength>, kSoundsPerPatch * kSoundsPerPatch>;

constexpr SoundDetailTable MakeSoundDetailTable() {
  SoundDetailTable table{};
  for (std::size_t row = 0; row < kSoundsPerPatch; ++row) {
    for (std::size_t column = 0; column < kSoundsPerPatch; ++column) {
      auto& line = table[row * kSoundsPerPatch + column];
      for (std::size_t i = 0; i < kSoundDetailLength; ++i) line[i] = kSoundDetailPattern[i];
      line[kRowDigit] = static_cast<char>('0' + row);
      line[kColumnDigit] = static_cast<char>('0' + column);
    }
  }
  return table;
}

constexpr SoundDetailTable kSoundDetailLines = MakeSoundDetailTable();

// The verdict block of a judged pair: its verdict line, and for a similar
// pair its detail lines. Returns whether `kind` reports the pair.
bool EmitVerdictBlock(TextBlock& lines, const PatchComparison& comparison,
                      std::string_view first_label, std::string_view second_label,
                      WithinCompareKind kind) {
  std::string_view verb;
  if (comparison.identical) {
    verb = kIdenticalVerb;
  } else if (comparison.sounds_identical) {
    verb = kSoundsIdenticalVerb;
  } else if (comparison.similar && kind == WithinCompareKind::kAllSimilarities) {
    verb = kSimilarVerb;
  } else {
    return false;
  }
  lines.Put(first_label);
  lines.Put(verb);
  lines.Put(second_label);
  lines.EndLine();
  if (verb != kSimilarVerb) return true;
  if (comparison.name_verdict == kNamesIdentical) {
    lines.Put(kNameDetailLine);
    lines.EndLine();
  }
  for (std::size_t row = 0; row < kSoundsPerPatch; ++row) {
    for (std::size_t column = 0; column < kSoundsPerPatch; ++column) {
      if (comparison.sound_verdicts[row][column] == kSoundsIdentical) {
        lines.Put(SoundDetailLine(row, column));
        lines.EndLine();
      }
    }
  }
  return true;
}

constexpr std::size_t kPrefetchDistance = 8;

// Lines gathered in the block are handed to the channel once they fill this
// much: enough for the channel to pass them to the file without a copy.
constexpr std::size_t kBlockHandOver = 256 * 1024;

}  // namespace

ReportFileName WithinCompareReportFile(WithinCompareKind kind) {
  return ReportFileName(std::string(
      kind == WithinCompareKind::kAllSimilarities ? kCompareReportFile : kIdentityReportFile));
}

std::string_view SoundDetailLine(std::size_t row, std::size_t column) {
  const auto& line = kSoundDetailLines[row * kSoundsPerPatch + column];
  return std::string_view(line.data(), line.size());
}

bool WritePairVerdict(ReportChannel& channel, const Bank& first_bank, const Patch& first,
                      const Bank& second_bank, const Patch& second, WithinCompareKind kind) {
  std::string first_label;
  std::string second_label;
  AppendPatchLabel(first_bank, first, first_label);
  AppendPatchLabel(second_bank, second, second_label);
  TextBlock lines;
  const bool wrote =
      EmitVerdictBlock(lines, ComparePatches(first, second), first_label, second_label, kind);
  channel.WriteReportBlock(lines);
  return wrote;
}

WithinCompareWriter::WithinCompareWriter(ReportChannel& channel, const BankSet& compare_set,
                                         WithinCompareKind kind)
    : channel_(channel),
      kind_(kind),
      patches_(ListSetPatches(compare_set)),
      labels_(patches_),
      numbers_(NumberPatches(patches_)) {
  if (kind == WithinCompareKind::kAllSimilarities) {
    similarity_partners_ = std::make_unique<SimilarityPartners>(numbers_);
  } else {
    identity_partners_ = std::make_unique<IdentityPartners>(numbers_);
  }
}

bool WithinCompareWriter::CompareWithCompareSet(Ordinal first) {
  if (similarity_partners_ != nullptr) {
    similarity_partners_->Gather(first, scratch_);
  } else {
    identity_partners_->Gather(first, scratch_);
  }
  const NumberedPatch& first_patch = numbers_.patches[first];
  const std::string_view first_label = labels_[first];
  bool wrote = false;
  const std::size_t count = scratch_.size();
  for (std::size_t k = 0; k < count; ++k) {
    // Partners lie scattered over the set; asking for one a few places
    // ahead hides the wait for memory.
    if (k + kPrefetchDistance < count) {
      PrefetchForRead(&numbers_.patches[scratch_[k + kPrefetchDistance]]);
    }
    const Ordinal second = scratch_[k];
    const PatchComparison comparison = ComparePatches(first_patch, numbers_.patches[second]);
    if (EmitVerdictBlock(block_, comparison, first_label, labels_[second], kind_)) {
      block_.EndLine();
      wrote = true;
    }
    if (block_.size() >= kBlockHandOver && !HandOverBlock()) return false;
  }
  if (wrote) {
    block_.Put(kSeparatorLine);
    block_.EndLine();
  }
  return block_.size() < kBlockHandOver || HandOverBlock();
}

bool WithinCompareWriter::HandOverBlock() {
  channel_.WriteReportBlock(block_);
  block_.Clear();
  return !channel_.failed();
}

MessageCode WriteWithinCompareReport(ReportChannel& channel, const BankSet& compare_set,
                                     WithinCompareKind kind) {
  if (compare_set.size() == 1 && compare_set.front().patches.size() == 1) return kOnlyOnePatch;
  const MessageCode opened = channel.OpenReportFile(WithinCompareReportFile(kind));
  if (opened != kAllIsOk) return opened;
  channel.ClearReportPane();
  channel.WriteBankFileList(compare_set, "Compare");
  channel.WriteSeparatorLine();
  channel.WriteReportLine(kPatchComparisonsLine);
  WithinCompareWriter writer(channel, compare_set, kind);
  for (Ordinal first = 0; first < writer.patch_count(); ++first) {
    if (!writer.CompareWithCompareSet(first)) break;
  }
  writer.HandOverBlock();
  return channel.CloseReportFile();
}

}  // namespace dravelin
