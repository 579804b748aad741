#include "web/core_warm_up.h"

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <system_error>

#include "app/application.h"
#include "app/menu_table.h"
#include "tools/sysex/dump_builder.h"
#include "web/web_window.h"

namespace dravelin {
namespace {

constexpr int kPatchesPerBank = 128;
// Names and sounds come from small pools, so that most patches share a
// sound with many others (similar pairs), and every eighth patch repeats an
// earlier one whole (identical) or with another name (sounds identical).
constexpr std::uint32_t kNamePool = 48;
constexpr std::uint32_t kSoundPool = 40;

std::string MadeUpBank(std::uint32_t bank) {
  sysex::SyxBuilder builder;
  std::uint32_t state = 0x9E3779B9u * (bank + 1);
  const auto next = [&state](std::uint32_t range) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % range;
  };
  std::uint32_t name = 0;
  std::uint32_t seeds[4] = {};
  for (int i = 0; i < kPatchesPerBank; ++i) {
    const bool repeat = i % 8 == 7;
    if (!repeat || i % 16 == 15) name = next(kNamePool);
    if (!repeat) {
      for (std::uint32_t& seed : seeds) seed = next(kSoundPool);
    }
    char text[16];
    std::snprintf(text, sizeof text, "Warm %04u", static_cast<unsigned>(name));
    builder.Dump(static_cast<std::uint8_t>(i), text,
                 sysex::MakeSounds(seeds[0], seeds[1], seeds[2], seeds[3]));
  }
  return builder.bytes();
}

void WriteBanks(const std::filesystem::path& folder, std::initializer_list<std::uint32_t> banks) {
  std::filesystem::create_directories(folder);
  for (const std::uint32_t bank : banks) {
    const std::string bytes = MadeUpBank(bank);
    // stdio rather than a stream: the page carries no stream library.
    std::FILE* file = std::fopen((folder / ("warm" + std::to_string(bank) + ".syx")).c_str(), "wb");
    if (file == nullptr) continue;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}

}  // namespace

void WarmUpCore(const std::filesystem::path& scratch_dir, PageBridge& page) {
  // The Base set holds one of the Compare banks again, so that both
  // reports against it find patches.
  WriteBanks(scratch_dir / "Compare", {0, 1, 2, 3});
  WriteBanks(scratch_dir / "Base", {1, 4});
  {
    WebWindow window(page);
    WebReportFileSystem files(page);
    Application application(window, scratch_dir, files);
    window.Attach(&application);
    application.LoadBankSets();
    for (MenuItemId item :
         {menu::kCreatePatchNameFiles, menu::kCreateInsFiles, menu::kPrintAllSimilarities,
          menu::kPrintOnlyIdentities, menu::kPrintUniqueOnly, menu::kPrintIdenticalOnly}) {
      application.Click(item);
      window.Flush();
      files.TakeClosedFiles();
    }
    application.FormClose();
  }
  std::error_code ignored;
  std::filesystem::remove_all(scratch_dir, ignored);
}

}  // namespace dravelin
