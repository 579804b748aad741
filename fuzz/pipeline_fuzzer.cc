// Feeds arbitrary bytes to the whole program. The input is cut into bank
// files for Compare/ and Base/, which are written to a scratch folder and
// loaded as the program loads them; then every enabled menu command runs
// under each setting of the two report switches, its report files kept in
// memory. Beyond the sanitizers' checks, what the commands produce must
// agree with itself:
// - a command ends with no message code, except "only one patch" for the
//   two comparisons within a Compare set of one patch;
// - a report file holds the lines the pane shows, each ended by CR LF; a
//   switch that is off changes nothing on the other path;
// - the identities report lists exactly the verdicts of the similarities
//   report that have no detail lines, in the same order;
// - every Compare patch is listed by exactly one of the two reports against
//   the Base set;
// - the catalogue has a row for every patch of the sets that take part;
// - the banks of new sounds read back as programs numbered from 0, one per
//   row of their lists, no two with the same sounds, and with them in the
//   Base set no Compare sound is new;
// - the details of the patches named on the pane's last line leave the pane
//   and the report files alone, and name those patches first;
// - reading the files again gives the same sets.
//
// Input: the first byte tells how many pieces go to Compare/ (the rest go
// to Base/); the other bytes are cut at kSeparator into at most kMaxFiles
// pieces. A piece's first byte chooses the form of its file's name, the
// rest is the file.

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/application.h"
#include "app/menu_table.h"
#include "app/window_operations.h"
#include "banks/bank.h"
#include "banks/bank_file.h"
#include "banks/byte_stream.h"
#include "collection/banks_worth_keeping.h"
#include "collection/new_sound_banks.h"
#include "collection/patch_catalogue.h"
#include "collection/sound_groups_report.h"
#include "compare/against_base_report.h"
#include "compare/patch_label.h"
#include "compare/within_compare_report.h"
#include "details/patch_lookup.h"
#include "report/report_channel.h"
#include "report/report_file.h"
#include "twins/near_twins_report.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSeparator = "\xFE\xED";
constexpr std::size_t kMaxFiles = 12;
// Larger inputs only cost time: a few dozen dumps reach every path.
constexpr std::size_t kMaxInput = 16 * 1024;
// The pane-only line before each bank's name list.
const std::string kListDashes(87, '-');

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "pipeline invariant broken: %s\n", what);
  std::abort();
}

void Check(bool condition, const char* what) {
  if (!condition) Fail(what);
}

// The window: the pane and the status texts. Menu states are read back from
// the Application.
class FuzzWindow final : public WindowOperations {
 public:
  void AppendPaneLine(std::string_view line) override { pane.emplace_back(line); }
  void ClearPane() override { pane.clear(); }
  void ShowStatus(std::string_view) override {}
  void MenuItemChanged(MenuItemId) override {}
  // The caret stands on the pane's last line.
  std::string CaretLineText() override { return pane.empty() ? std::string() : pane.back(); }
  void ShowDetails(std::string_view, std::span<const std::string> lines) override {
    details.assign(lines.begin(), lines.end());
  }

  std::vector<std::string> pane;
  std::vector<std::string> details;
};

struct MemoryFile {
  fs::path path;
  std::string bytes;
  bool closed = false;
  bool operator==(const MemoryFile&) const = default;
};

// Report files kept in memory, in the order they were created.
class MemoryReportFiles final : public ReportFileSystem {
 public:
  std::unique_ptr<ReportFile> Create(const fs::path& path) override {
    files.push_back(MemoryFile{path, {}, false});
    return std::make_unique<Handle>(files, files.size() - 1);
  }
  // Files in memory need no folder.
  bool CreateFolder(const fs::path&) override { return true; }

  std::vector<MemoryFile> files;

 private:
  class Handle final : public ReportFile {
   public:
    Handle(std::vector<MemoryFile>& list, std::size_t index) : files_(list), index_(index) {}
    bool Write(const char* data, std::size_t size) override {
      files_[index_].bytes.append(data, size);
      return true;
    }
    bool Close() override {
      files_[index_].closed = true;
      return true;
    }

   private:
    std::vector<MemoryFile>& files_;
    std::size_t index_;
  };
};

constexpr std::string_view kScratchPrefix = "dravelin-pipeline-fuzz-";

// Removes the scratch folders of fuzzer processes that are gone without
// removing their own (a fault found ends a process at once).
void RemoveStaleScratchDirs(const fs::path& base) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(base, error)) {
    const std::string name = entry.path().filename().string();
    if (name.compare(0, kScratchPrefix.size(), kScratchPrefix) != 0) continue;
    const long pid = std::strtol(name.c_str() + kScratchPrefix.size(), nullptr, 10);
    if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
      fs::remove_all(entry.path(), error);
    }
  }
}

// The folder that holds Compare/ and Base/: one per process, in memory
// where the system offers it, removed at exit.
const fs::path& ScratchDir() {
  static const fs::path* const dir = [] {
    std::error_code error;
    const fs::path base =
        fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
    RemoveStaleScratchDirs(base);
    auto* path = new fs::path(base / (std::string(kScratchPrefix) + std::to_string(::getpid())));
    fs::create_directories(*path);
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(ScratchDir(), ignored);
    });
    return path;
  }();
  return *dir;
}

// The name of the `index`th bank file of a folder, in the form `form`
// chooses: plain, upper case, too long (every such name gives the same bank
// name), UTF-8 cut inside a character at 40 bytes, or holding a line break
// and characters that reports quote.
std::string BankFileName(std::uint8_t form, std::size_t index) {
  const std::string number = std::to_string(index);
  switch (form % 8) {
    case 3:
      return std::string(39, 'a') + "\xC3\xA9t\xC3\xA9 " + number + ".syx";
    case 4:
      return "BANK " + number + ".SYX";
    case 5:
      return "A bank name that is well beyond forty characters " + number + ".syx";
    case 6:
      return "Line\nbreak " + number + ".syx";
    case 7:
      return "Odd \"\\\r[" + number + ":].syx";
    default:
      return "Bank" + number + ".syx";
  }
}

void WriteFile(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  Check(static_cast<bool>(out), "scratch file written");
}

// Replaces Compare/ and Base/ by the bank files the input describes.
void WriteBankFolders(std::string_view input) {
  const fs::path compare = ScratchDir() / "Compare";
  const fs::path base = ScratchDir() / "Base";
  fs::remove_all(compare);
  fs::remove_all(base);
  const std::size_t compare_files = static_cast<std::uint8_t>(input[0]) % (kMaxFiles + 1);
  input.remove_prefix(1);
  std::vector<std::string_view> pieces;
  while (!input.empty() && pieces.size() + 1 < kMaxFiles) {
    const std::size_t end = input.find(kSeparator);
    if (end == std::string_view::npos) break;
    pieces.push_back(input.substr(0, end));
    input.remove_prefix(end + kSeparator.size());
  }
  if (!input.empty()) pieces.push_back(input);
  std::size_t in_compare = 0;
  std::size_t in_base = 0;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    std::string_view piece = pieces[i];
    const std::uint8_t form = piece.empty() ? 0 : static_cast<std::uint8_t>(piece[0]);
    if (!piece.empty()) piece.remove_prefix(1);
    const bool to_compare = i < compare_files;
    const fs::path& folder = to_compare ? compare : base;
    fs::create_directories(folder);
    WriteFile(folder / BankFileName(form, to_compare ? in_compare++ : in_base++), piece);
  }
}

bool SamePatch(const Patch& a, const Patch& b) {
  return a.name == b.name && a.program_number == b.program_number && a.sounds == b.sounds;
}

bool SameSet(const BankSet& a, const BankSet& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Bank& x, const Bank& y) {
    return x.name == y.name && std::equal(x.patches.begin(), x.patches.end(), y.patches.begin(),
                                          y.patches.end(), SamePatch);
  });
}

// A bank name never holds a control character (a file name's line break
// reads as '_'), so no name can break a report line.
bool NamesAreFitForReports(const BankSet& set) {
  return std::none_of(set.begin(), set.end(), [](const Bank& bank) {
    return std::any_of(bank.name.begin(), bank.name.end(), [](char c) {
      return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
  });
}

void CheckMenuStates(const Application& app) {
  const bool compare = CountPatches(app.compare_set()) > 0;
  const bool base = compare && CountPatches(app.base_set()) > 0;
  for (MenuItemId item : kMenuItemIds) {
    switch (MenuItemOf(item).needs) {
      case ItemNeeds::kNothing:
        Check(app.item_enabled(item), "items that need no set are enabled");
        break;
      case ItemNeeds::kCompareSet:
        Check(app.item_enabled(item) == compare, "Compare items enabled when it has patches");
        break;
      case ItemNeeds::kBothSets:
        Check(app.item_enabled(item) == base, "Base items enabled when both sets have patches");
        break;
    }
  }
}

std::string JoinedWithCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

// What one command left behind.
struct Outcome {
  std::vector<std::string> pane;
  std::vector<MemoryFile> files;
  int codes = 0;
};

enum class CommandKind {
  kListing,
  kWithinCompare,
  kAgainstBase,
  kCollection,
  kSequencerFile,
  kNewBanks,
  kDetails,
  kHelp
};

CommandKind KindOf(MenuItemId item) {
  if (MenuItemOf(item).asks_assignment) return CommandKind::kSequencerFile;
  if (item == menu::kCreatePatchNameFiles || item == menu::kCreateInsFiles) {
    return CommandKind::kListing;
  }
  if (item == menu::kPrintAllSimilarities || item == menu::kPrintOnlyIdentities) {
    return CommandKind::kWithinCompare;
  }
  if (item == menu::kPrintUniqueOnly || item == menu::kPrintIdenticalOnly) {
    return CommandKind::kAgainstBase;
  }
  if (item == menu::kPrintSoundGroups || item == menu::kPrintBanksWorthKeeping ||
      item == menu::kCreatePatchCatalogue || item == menu::kPrintNearTwins) {
    return CommandKind::kCollection;
  }
  if (item == menu::kBuildNewSoundBanks) return CommandKind::kNewBanks;
  if (item == menu::kShowPatchDetails) return CommandKind::kDetails;
  return CommandKind::kHelp;
}

std::string_view ReportFileOf(MenuItemId item) {
  if (item == menu::kCreateInsDefinitionFile) return "QS+ Banks.ins";
  if (item == menu::kCreateMidnamFile) return "QS+ Banks.midnam";
  if (item == menu::kCreateReabankFile) return "QS+ Banks.reabank";
  if (item == menu::kPrintAllSimilarities) return kCompareReportFile;
  if (item == menu::kPrintOnlyIdentities) return kIdentityReportFile;
  if (item == menu::kPrintUniqueOnly) return kUniqueReportFile;
  if (item == menu::kPrintSoundGroups) return kSoundGroupsReportFile;
  if (item == menu::kPrintBanksWorthKeeping) return kBanksWorthKeepingReportFile;
  if (item == menu::kCreatePatchCatalogue) return kPatchCatalogueFile;
  if (item == menu::kPrintNearTwins) return kNearTwinsReportFile;
  return kIdenticalReportFile;
}

// Where a report of that file name lies.
fs::path ReportPath(std::string_view file) { return ScratchDir() / "Compare" / std::string(file); }

// Report files end every line with CR LF, and hold no other line end
// (bank files are no text).
void CheckLineEnds(const std::vector<MemoryFile>& files) {
  for (const MemoryFile& file : files) {
    if (file.path.extension() == ".syx") continue;
    const std::string& bytes = file.bytes;
    Check(bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0,
          "report file ends with CR LF");
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\r') Check(i + 1 < bytes.size() && bytes[i + 1] == '\n', "CR before LF");
      if (bytes[i] == '\n') Check(i > 0 && bytes[i - 1] == '\r', "LF after CR");
    }
  }
}

// The banks of new sounds with their lists, in pairs, the lists holding
// the pane's lines but the separators between them: each bank reads back
// as its list's rows, programs numbered from 0, no two of the banks'
// patches with the same sounds, and in the Base set they leave no Compare
// sound new.
void CheckNewBanks(const Application& app, const Outcome& outcome) {
  std::string lists;
  BankSet built;
  for (std::size_t i = 0; i + 1 < outcome.files.size(); i += 2) {
    const std::size_t number = i / 2 + 1;
    Check(outcome.files[i].path == NewBankFileName(number, "syx").PathBelow(ScratchDir()) &&
              outcome.files[i + 1].path == NewBankFileName(number, "txt").PathBelow(ScratchDir()),
          "a bank and its list, numbered in turn");
    built.emplace_back();
    ByteStream in(outcome.files[i].bytes);
    std::size_t left = kMaxPatchesPerSet;
    Check(ReadProgramDumps(in, built.back(), &left) == kAllIsOk, "a new bank reads back");
    const std::vector<Patch>& patches = built.back().patches;
    Check(!patches.empty() && patches.size() <= 128, "a new bank holds 1 to 128 programs");
    for (std::size_t slot = 0; slot < patches.size(); ++slot) {
      Check(patches[slot].program_number == slot, "programs numbered from 0");
    }
    const std::string& list = outcome.files[i + 1].bytes;
    const std::size_t rows = static_cast<std::size_t>(std::count(list.begin(), list.end(), '\n'));
    Check(rows == 4 + patches.size(), "a list row for every program");
    lists += list;
  }
  Check(outcome.files.size() % 2 == 0, "banks and lists in pairs");
  std::vector<std::string> list_lines;
  for (const std::string& line : outcome.pane) {
    if (line != kSeparatorLine) list_lines.push_back(line);
  }
  if (built.empty()) {
    Check(!outcome.pane.empty() && outcome.pane.front().compare(0, 14, "No new sounds:") == 0,
          "the pane says there is no new sound");
  } else {
    Check(lists == JoinedWithCrLf(list_lines), "lists hold the pane's lines");
    Check(outcome.pane.size() - list_lines.size() == built.size() - 1, "one separator a bank");
  }
  const SoundGroups alone(built, BankSet());
  Check(alone.group_count() == alone.patch_count(), "no sound twice in the new banks");
  BankSet base = app.base_loaded() ? app.base_set() : BankSet();
  base.insert(base.end(), built.begin(), built.end());
  Check(NewSounds(SoundGroups(app.compare_set(), base)).empty(),
        "the new banks hold every new sound");
}

// With both switches on, the files hold the lines of the pane, each ended
// by CR LF: one file per Compare bank in set order for the listings (the
// pane has a dash line of its own before each bank's name list), one file
// otherwise (the sequencer files too: no keyboard bank was chosen, so no
// assignment file is written).
void CheckFilesMatchPane(MenuItemId item, const Application& app, const Outcome& outcome) {
  if (KindOf(item) == CommandKind::kListing) {
    const BankSet& set = app.compare_set();
    Check(outcome.files.size() == set.size(), "one listing file per bank");
    const std::string_view extension = item == menu::kCreateInsFiles ? ".ins" : ".txt";
    std::string files;
    for (std::size_t i = 0; i < set.size(); ++i) {
      Check(outcome.files[i].path ==
                ScratchDir() / "Compare" / (set[i].name + std::string(extension)),
            "listing file named after its bank");
      files += outcome.files[i].bytes;
    }
    std::vector<std::string> report_lines;
    for (const std::string& line : outcome.pane) {
      if (line != kListDashes) report_lines.push_back(line);
    }
    const std::size_t dash_lines = item == menu::kCreatePatchNameFiles ? set.size() : 0;
    Check(outcome.pane.size() - report_lines.size() == dash_lines, "one dash line per bank");
    Check(files == JoinedWithCrLf(report_lines), "listing files hold the pane's lines");
    return;
  }
  if (KindOf(item) == CommandKind::kNewBanks) {
    CheckNewBanks(app, outcome);
    return;
  }
  Check(outcome.files.size() == 1, "one report file");
  Check(outcome.files[0].path == ReportPath(ReportFileOf(item)), "report file name");
  Check(outcome.files[0].bytes == JoinedWithCrLf(outcome.pane), "report file holds the pane");
}

// Runs one command under the current switches and checks what it left
// against the switches and against `reference`, its outcome with both on.
Outcome RunCommand(Application& app, FuzzWindow& window, MemoryReportFiles& files, MenuItemId item,
                   const Outcome* reference) {
  const bool screen = app.channel().screen_display();
  const bool file = app.channel().file_output();
  const CommandKind kind = KindOf(item);
  files.files.clear();
  const int codes_before = app.status_line().codes_shown();
  if (kind == CommandKind::kDetails) {
    const std::vector<std::string> pane_before = window.pane;
    const std::vector<NamedPatch> named =
        FindLabelledPatches(window.CaretLineText(), app.compare_set(),
                            app.base_loaded() ? app.base_set() : BankSet());
    window.details.clear();
    app.Click(item);
    Check(window.pane == pane_before, "details leave the pane alone");
    Check(files.files.empty(), "details write no file");
    Check(app.status_line().codes_shown() == codes_before, "details show no message code");
    if (named.empty()) {
      Check(window.details.empty(), "no details without a patch named");
    } else {
      std::string first_line = LabelOf(named[0]);
      if (named.size() > 1) first_line += " / " + LabelOf(named[1]);
      Check(!window.details.empty() && window.details.front() == first_line,
            "details name their patches first");
    }
    return Outcome{window.pane, files.files, 0};
  }
  app.Click(item);
  Outcome outcome{window.pane, files.files, app.status_line().codes_shown() - codes_before};

  const BankSet& compare = app.compare_set();
  const bool only_one_patch = compare.size() == 1 && compare.front().patches.size() == 1;
  const int expected_codes = kind == CommandKind::kWithinCompare && only_one_patch ? 1 : 0;
  Check(outcome.codes == expected_codes, "no message code but \"only one patch\"");
  for (const MemoryFile& f : outcome.files) Check(f.closed, "every report file closed");
  if (!file || kind == CommandKind::kHelp) Check(outcome.files.empty(), "no file without output");
  if (kind != CommandKind::kHelp && !screen) Check(outcome.pane.empty(), "pane empty when off");
  if (expected_codes == 0 && kind != CommandKind::kHelp && file) {
    Check(NamesAreFitForReports(compare) && NamesAreFitForReports(app.base_set()),
          "no control character in a bank name");
    CheckLineEnds(outcome.files);
    if (screen) CheckFilesMatchPane(item, app, outcome);
  }
  if (reference != nullptr) {
    if (screen || kind == CommandKind::kHelp) {
      Check(outcome.pane == reference->pane, "pane independent of file output");
    }
    if (file) Check(outcome.files == reference->files, "files independent of screen display");
  }
  return outcome;
}

struct Verdict {
  std::string_view line;
  bool detailed;
};

bool IsDetailLine(std::string_view line) {
  if (line == kNameDetailLine) return true;
  for (std::size_t row = 0; row < kSoundsPerPatch; ++row) {
    for (std::size_t column = 0; column < kSoundsPerPatch; ++column) {
      if (line == SoundDetailLine(row, column)) return true;
    }
  }
  return false;
}

// The verdict blocks of a comparison report within the Compare set, as the
// pane shows it, checking their form: a verdict line, detail lines, an
// empty line; a separator after the blocks of each patch.
std::vector<Verdict> ParseVerdicts(const std::vector<std::string>& pane) {
  auto it = std::find(pane.begin(), pane.end(), kPatchComparisonsLine);
  Check(it != pane.end(), "\"Patch Comparisons:\" line");
  ++it;
  std::vector<Verdict> verdicts;
  bool after_block = false;
  while (it != pane.end()) {
    if (*it == kSeparatorLine) {
      Check(after_block, "separator after a patch's blocks");
      after_block = false;
      ++it;
      continue;
    }
    Check(!it->empty() && it->front() == '"', "verdict line begins with a label");
    Verdict verdict{*it, false};
    for (++it; it != pane.end() && it->size() > 2 && it->compare(0, 2, "  ") == 0; ++it) {
      Check(IsDetailLine(*it), "detail line");
      verdict.detailed = true;
    }
    Check(it != pane.end() && it->empty(), "empty line ends a block");
    ++it;
    verdicts.push_back(verdict);
    after_block = true;
  }
  Check(!after_block, "report ends with a separator");
  return verdicts;
}

void CheckIdentitiesWithinSimilarities(const Outcome& similarities, const Outcome& identities) {
  std::vector<std::string_view> undetailed;
  for (const Verdict& verdict : ParseVerdicts(similarities.pane)) {
    if (!verdict.detailed) undetailed.push_back(verdict.line);
  }
  std::vector<std::string_view> listed;
  for (const Verdict& verdict : ParseVerdicts(identities.pane)) {
    Check(!verdict.detailed, "identities have no detail lines");
    listed.push_back(verdict.line);
  }
  Check(listed == undetailed, "identities are the similarities without details");
}

// The patch lines after `header` in a report against the Base set.
std::vector<std::string> ListedPatches(const Outcome& outcome, std::string_view header) {
  auto it = std::find(outcome.pane.begin(), outcome.pane.end(), header);
  Check(it != outcome.pane.end(), "header line of a report against Base");
  return std::vector<std::string>(it + 1, outcome.pane.end());
}

bool IsSubsequence(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
  auto it = whole.begin();
  for (const std::string& line : part) {
    it = std::find(it, whole.end(), line);
    if (it == whole.end()) return false;
    ++it;
  }
  return true;
}

void CheckCompareSetPartitioned(const BankSet& compare, const Outcome& unique,
                                const Outcome& identical) {
  std::vector<std::string> labels;
  for (const Bank& bank : compare) {
    for (const Patch& patch : bank.patches) {
      labels.emplace_back();
      AppendPatchLabel(bank, patch, labels.back());
    }
  }
  const std::vector<std::string> unique_lines = ListedPatches(unique, kUniqueHeaderLine);
  const std::vector<std::string> identical_lines = ListedPatches(identical, kIdenticalHeaderLine);
  Check(IsSubsequence(unique_lines, labels), "unique patches in set order");
  Check(IsSubsequence(identical_lines, labels), "identical patches in set order");
  std::vector<std::string> both = unique_lines;
  both.insert(both.end(), identical_lines.begin(), identical_lines.end());
  std::sort(both.begin(), both.end());
  std::sort(labels.begin(), labels.end());
  Check(both == labels, "each Compare patch unique or identical, not both");
}

int RunOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || size > kMaxInput) return -1;
  WriteBankFolders(std::string_view(reinterpret_cast<const char*>(data), size));

  FuzzWindow window;
  MemoryReportFiles files;
  Application app(window, ScratchDir(), files);
  app.LoadBankSets();
  CheckMenuStates(app);

  // Both switches on first, then each of the other three settings. The
  // outcome of each command with both on is kept, by item.
  std::array<std::optional<Outcome>, kMenuItemCount> reference;
  constexpr bool kSettings[4][2] = {{true, true}, {false, true}, {true, false}, {false, false}};
  for (const auto& [screen, file] : kSettings) {
    if (app.channel().screen_display() != screen) app.Click(menu::kControlScreenDisplay);
    if (app.channel().file_output() != file) app.Click(menu::kControlFileOutput);
    Check(app.channel().screen_display() == screen && app.channel().file_output() == file,
          "switch commands flip their switch");
    for (MenuItemId item : kMenuItemIds) {
      if (item == menu::kReadInputFilesAgain || item == menu::kControlScreenDisplay ||
          item == menu::kControlFileOutput || !app.item_enabled(item)) {
        continue;
      }
      std::optional<Outcome>& kept = reference[IndexOf(item)];
      Outcome outcome = RunCommand(app, window, files, item, kept ? &*kept : nullptr);
      if (!kept) kept = std::move(outcome);
    }
  }

  const std::optional<Outcome>& similarities = reference[IndexOf(menu::kPrintAllSimilarities)];
  if (similarities && similarities->codes == 0) {
    CheckIdentitiesWithinSimilarities(*similarities,
                                      *reference[IndexOf(menu::kPrintOnlyIdentities)]);
  }
  const std::optional<Outcome>& catalogue = reference[IndexOf(menu::kCreatePatchCatalogue)];
  if (catalogue) {
    const std::size_t patches = CountPatches(app.compare_set()) +
                                (app.base_loaded() ? CountPatches(app.base_set()) : 0);
    Check(catalogue->pane.size() == 1 + patches, "a catalogue row for every patch");
  }
  const std::optional<Outcome>& unique = reference[IndexOf(menu::kPrintUniqueOnly)];
  if (unique) {
    CheckCompareSetPartitioned(app.compare_set(), *unique,
                               *reference[IndexOf(menu::kPrintIdenticalOnly)]);
  }

  const BankSet compare_before = app.compare_set();
  const BankSet base_before = app.base_set();
  app.Click(menu::kReadInputFilesAgain);
  Check(SameSet(app.compare_set(), compare_before) && SameSet(app.base_set(), base_before),
        "reading again gives the same sets");
  CheckMenuStates(app);
  app.FormClose();
  return 0;
}

}  // namespace
}  // namespace dravelin

// Freed memory is held back in a quarantine so that late uses are caught.
// Each run frees a few megabytes at most; the default quarantine of 256 MB
// only makes every run touch fresh pages, which halves the speed.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return dravelin::RunOneInput(data, size);
}
