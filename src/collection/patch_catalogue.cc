#include "collection/patch_catalogue.h"

#include <string>
#include <vector>

#include "banks/bank_name.h"
#include "collection/csv_text.h"
#include "collection/sound_groups.h"
#include "compare/similarity_partners.h"
#include "report/text_block.h"

namespace dravelin {
namespace {

// Rows gathered are handed to the channel once they fill this much.
constexpr std::size_t kBlockHandOver = 256 * 1024;

}  // namespace

MessageCode WritePatchCatalogue(ReportChannel& channel, const BankSet& compare_set,
                                const BankSet& base_set) {
  const MessageCode opened =
      channel.OpenReportFile(ReportFileName(std::string(kPatchCatalogueFile)));
  if (opened != kAllIsOk) return opened;
  channel.ClearReportPane();
  const SoundGroups groups(compare_set, base_set);
  const SimilarityPartners similar(groups.numbers());

  TextBlock rows;
  rows.Put(kUtf8ByteOrderMark);
  rows.Put(kPatchCatalogueHeader);
  rows.EndLine();
  // A bank's file and bank fields, quoted once for all its rows.
  std::string bank_fields;
  BankNumber fields_of = 0;
  std::string row;
  std::vector<Ordinal> partners;
  for (Ordinal ordinal = 0; ordinal < groups.patch_count(); ++ordinal) {
    const BankNumber bank = groups.bank_of(ordinal);
    if (ordinal == 0 || bank != fields_of) {
      fields_of = bank;
      bank_fields.clear();
      // A line break in a name would break the row in the pane.
      for (const std::string* name : {&groups.bank(bank).file_name, &groups.bank(bank).name}) {
        std::string shown = *name;
        ReplaceControlCharacters(shown);
        if (!bank_fields.empty()) bank_fields += ',';
        AppendCsvText(shown, bank_fields);
      }
    }
    const Patch& patch = *groups.patches()[ordinal].patch;
    const GroupId group = groups.group_of(ordinal);
    similar.Gather(ordinal, partners);
    row = groups.IsBasePatch(ordinal) ? "Base," : "Compare,";
    row += bank_fields;
    row += ',';
    AppendCsvNumber(patch.program_number, row);
    row += ',';
    AppendCsvText(patch.name, row);
    row += ',';
    AppendCsvNumber(group + 1, row);
    row += ',';
    AppendCsvNumber(groups.members(group).size(), row);
    row += ',';
    AppendCsvNumber(groups.banks_holding(group), row);
    row += ',';
    AppendCsvNumber(partners.size(), row);
    rows.Put(row);
    rows.EndLine();
    if (rows.size() >= kBlockHandOver) {
      channel.WriteReportBlock(rows);
      rows.Clear();
      if (channel.failed()) return channel.CloseReportFile();
    }
  }
  channel.WriteReportBlock(rows);
  return channel.CloseReportFile();
}

}  // namespace dravelin
