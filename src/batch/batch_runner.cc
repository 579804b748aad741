#include "batch/batch_runner.h"

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <string_view>
#include <vector>

#include "app/application.h"
#include "app/menu_table.h"
#include "details/patch_lookup.h"
#include "report/report_file.h"
#include "sequencer/bank_assignment.h"

namespace dravelin {
namespace {

constexpr std::string_view kUsage =
    "Usage: dravelin-batch [COMMAND ...]\n"
    "       dravelin-batch [--slot BANK=KEYBOARD_BANK ...] COMMAND ...\n"
    "       dravelin-batch --patch BANK:PROGRAM [--patch BANK:PROGRAM] [COMMAND ...]\n"
    "       dravelin-batch --list\n"
    "       dravelin-batch --help | --version\n"
    "\n"
    "Reads the QS+ bank files (*.syx) in the folders Compare and Base below the\n"
    "current directory, then runs each COMMAND in order, as a click of its menu\n"
    "item in the Dravelin window. Report files are written into Compare.\n"
    "\n"
    "A COMMAND is a menu item's component name, in any case (for example\n"
    "PrintAllSimilarities), or its caption as the menu shows it at that moment\n"
    "(for example \"Print All Similarities\"). --list shows every item.\n"
    "\n"
    "The commands that write a file for sequencers (CreateInsDefinitionFile,\n"
    "CreateMidnamFile, CreateReabankFile) put each Compare bank on a keyboard\n"
    "bank as Compare/QS+ Banks.slots says, or else in name order from User on.\n"
    "--slot BANK=KEYBOARD_BANK (repeatable) puts the bank file BANK (its file\n"
    "name, or its name without .syx) on KEYBOARD_BANK: User, Preset1 to Preset4,\n"
    "Card1 to Card11, or none (not on the keyboard); banks it displaces take the\n"
    "free ones. Given any, the assignment is saved in Compare/QS+ Banks.slots\n"
    "when such a command runs.\n"
    "\n"
    "ShowPatchDetails prints every parameter of the patches the window's pane\n"
    "names on the line at the cursor; here --patch BANK:PROGRAM (once or twice)\n"
    "names them: BANK a bank file's name or its name without .syx, PROGRAM its\n"
    "program number (0 to 255), looked for in Compare, then in Base. Two are\n"
    "printed side by side. Given --patch, the COMMAND is ShowPatchDetails unless\n"
    "others are given.\n"
    "\n"
    "Lines of the text pane go to standard output, status texts to standard\n"
    "error. Exit status: 0 when no message code was shown, 1 when one was,\n"
    "2 for a usage error, an unknown command or a disabled menu item.\n";

constexpr std::string_view kErrorPrefix = "dravelin-batch: ";

// The window of the batch program: the pane is standard output, the status
// line standard error. Menu states are kept by the Application.
class StreamWindow final : public WindowOperations {
 public:
  StreamWindow(std::FILE* out, std::FILE* err) : out_(out), err_(err) {}

  void AppendPaneLine(std::string_view line) override {
    std::fwrite(line.data(), 1, line.size(), out_);
    std::fputc('\n', out_);
  }
  void ClearPane() override {}
  void ShowStatus(std::string_view text) override {
    std::fflush(out_);
    std::fwrite(text.data(), 1, text.size(), err_);
    std::fputc('\n', err_);
    std::fflush(err_);
  }
  void MenuItemChanged(MenuItemId) override {}
  // The labels of the patches --patch named, as a report line would name
  // them.
  std::string CaretLineText() override { return caret_line_; }
  // The details are printed as pane lines are.
  void ShowDetails(std::string_view, std::span<const std::string> lines) override {
    for (const std::string& line : lines) AppendPaneLine(line);
  }

  void set_caret_line(std::string line) { caret_line_ = std::move(line); }

 private:
  std::FILE* out_;
  std::FILE* err_;
  std::string caret_line_;
};

void PrintError(std::FILE* err, std::string_view message) {
  std::fwrite(kErrorPrefix.data(), 1, kErrorPrefix.size(), err);
  std::fwrite(message.data(), 1, message.size(), err);
  std::fputc('\n', err);
}

std::optional<MenuItemId> ResolveCommand(const Application& app, std::string_view command) {
  if (auto item = FindMenuItemByComponent(command)) return item;
  for (MenuItemId item : kMenuItemIds) {
    if (app.item_caption(item) == command) return item;
  }
  return std::nullopt;
}

void PrintMenuList(const Application& app, std::FILE* out) {
  for (MenuItemId id : kMenuItemIds) {
    const MenuItem& item = MenuItemOf(id);
    const std::string_view drop_down = DropDownOf(item.drop_down).component;
    std::fprintf(out, "%.*s\t%.*s\t%s\t%s\n", static_cast<int>(drop_down.size()),
                 drop_down.data(), static_cast<int>(item.component.size()), item.component.data(),
                 app.item_caption(id).c_str(), app.item_enabled(id) ? "enabled" : "disabled");
  }
}

}  // namespace

int RunBatch(const std::vector<std::string>& args, const std::filesystem::path& working_dir,
             std::FILE* out, std::FILE* err) {
  bool list = false;
  for (const std::string& arg : args) {
    if (arg == "--help") {
      std::fwrite(kUsage.data(), 1, kUsage.size(), out);
      return kBatchExitOk;
    }
  }
  std::vector<std::string_view> commands;
  std::vector<std::string> slots;
  std::vector<std::string> patches;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--patch" || arg.starts_with("--patch=")) {
      if (!commands.empty()) {
        PrintError(err, "--patch comes before the commands (see --help)");
        return kBatchExitUsage;
      }
      if (arg == "--patch" && ++i == args.size()) {
        PrintError(err, "--patch needs BANK:PROGRAM (see --help)");
        return kBatchExitUsage;
      }
      patches.push_back(arg == "--patch" ? args[i] : arg.substr(8));
      if (patches.size() > 2) {
        PrintError(err, "--patch names one or two patches (see --help)");
        return kBatchExitUsage;
      }
      continue;
    }
    if (arg == "--slot" || arg.starts_with("--slot=")) {
      if (!commands.empty()) {
        PrintError(err, "--slot comes before the commands (see --help)");
        return kBatchExitUsage;
      }
      if (arg == "--slot") {
        if (++i == args.size()) {
          PrintError(err, "--slot needs BANK=KEYBOARD_BANK (see --help)");
          return kBatchExitUsage;
        }
        slots.push_back(args[i]);
      } else {
        slots.push_back(arg.substr(7));
      }
      continue;
    }
    if (arg == "--version") {
      if (args.size() != 1) {
        PrintError(err, "--version takes no commands");
        return kBatchExitUsage;
      }
      std::fprintf(out, "dravelin-batch 1.0.0\n");
      return kBatchExitOk;
    }
    if (arg == "--list") {
      if (args.size() != 1) {
        PrintError(err, "--list takes no commands");
        return kBatchExitUsage;
      }
      list = true;
    } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      PrintError(err, "unknown option '" + arg + "' (see --help)");
      return kBatchExitUsage;
    } else {
      commands.push_back(arg);
    }
  }

  StreamWindow window(out, err);
  DiskReportFileSystem files;
  Application app(window, working_dir, files);
  app.LoadBankSets();
  int exit_code = kBatchExitOk;
  std::vector<KeyboardBankChoice> choices;
  if (const std::string wrong = ReadKeyboardBankChoices(app.compare_set(), slots, &choices);
      !wrong.empty()) {
    std::fflush(out);
    PrintError(err, "--slot: " + wrong);
    app.FormClose();
    return kBatchExitUsage;
  }
  // The patches --patch names, as the line at the cursor.
  std::string caret_line;
  for (const std::string& patch : patches) {
    std::string why;
    const std::optional<NamedPatch> named =
        FindPatchByBankAndProgram(patch, app.compare_set(),
                                  app.base_loaded() ? app.base_set() : BankSet(), &why);
    if (!named) {
      std::fflush(out);
      PrintError(err, "--patch: " + why);
      app.FormClose();
      return kBatchExitUsage;
    }
    if (!caret_line.empty()) caret_line += " / ";
    caret_line += LabelOf(*named);
  }
  window.set_caret_line(std::move(caret_line));
  if (!patches.empty() && commands.empty()) {
    commands.push_back(MenuItemOf(menu::kShowPatchDetails).component);
  }
  if (list) {
    PrintMenuList(app, out);
  } else {
    for (std::string_view command : commands) {
      const std::optional<MenuItemId> item = ResolveCommand(app, command);
      if (!item) {
        std::fflush(out);
        PrintError(err, "unknown command '" + std::string(command) + "' (see --list)");
        exit_code = kBatchExitUsage;
        break;
      }
      if (!app.item_enabled(*item)) {
        std::fflush(out);
        PrintError(err, "'" + std::string(command) +
                            "' is disabled: " + std::string(app.item_caption(*item)));
        exit_code = kBatchExitUsage;
        break;
      }
      // Without --slot the command takes the keyboard banks the store
      // offers; with it they are confirmed first, as the window's dialog
      // confirms them.
      if (MenuItemOf(*item).asks_assignment && !choices.empty()) {
        const std::string refusal = app.ConfirmAssignmentChoices(choices);
        if (!refusal.empty()) {
          std::fflush(out);
          PrintError(err, "--slot: " + refusal);
          exit_code = kBatchExitUsage;
          break;
        }
      }
      app.Click(*item);
    }
  }
  app.FormClose();
  if (std::fflush(out) != 0 || std::ferror(out)) {
    PrintError(err, "cannot write to standard output");
    return kBatchExitUsage;
  }
  if (exit_code != kBatchExitOk) return exit_code;
  return app.status_line().codes_shown() > 0 ? kBatchExitMessageShown : kBatchExitOk;
}

}  // namespace dravelin
