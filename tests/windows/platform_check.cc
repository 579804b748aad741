// Checks of the Windows platform layer that Wine cannot reach through files:
// Wine refuses to create a name holding an unpaired surrogate, so names are
// turned into bank and report names here directly; and report files'
// temporary names and the removal of those that ended writers left.
// Prints one line per failed check; exit 0 when all passed.

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "banks/bank_directory.h"
#include "banks/bank_name.h"
#include "banks/file_system.h"
#include "report/report_file.h"
#include "report/report_file_name.h"

namespace {

namespace fs = std::filesystem;
using dravelin::DiskReportFileSystem;

int failures = 0;

void Check(bool ok, const std::string& what) {
  if (ok) return;
  ++failures;
  std::printf("FAIL %s\n", what.c_str());
}

// Names holding unpaired surrogates become bank names whose bytes are not
// UTF-8, and the report named after such a bank lands under the bank's
// own name.
void CheckSurrogateNames() {
  struct Case {
    const char* what;
    std::wstring file;
    std::string bank;
    std::wstring report;
  };
  const Case cases[] = {
      {"high alone", L"Pads \xD800.syx", "Pads \xED\xA0\x80", L"Pads \xD800.txt"},
      {"low alone, then text", L"\xDC01x.syx", "\xED\xB0\x81x", L"\xDC01x.txt"},
      {"a pair and a high at the end", L"\xD83C\xDFB9\xDBFF.syx",
       "\xF0\x9F\x8E\xB9\xED\xAF\xBF", L"\xD83C\xDFB9\xDBFF.txt"},
      // Cut after 40 bytes, inside the surrogate's three.
      {"cut inside a surrogate", std::wstring(38, L'a') + L"\xD800.syx",
       std::string(38, 'a') + "\xED\xA0", std::wstring(38, L'a') + L"\xFFFD\xFFFD.txt"},
  };
  const fs::path folder = fs::path(L"C:\\Synth") / L"Compare";
  for (const Case& c : cases) {
    const std::string bank =
        dravelin::FitBankName(dravelin::BankNameFromPath(dravelin::PathText(folder / c.file)));
    Check(bank == c.bank, std::string(c.what) + ": bank name");
    const fs::path report =
        dravelin::ReportFileName(bank + ".txt").PathBelow(fs::path(L"C:\\Synth"));
    Check(report == folder / c.report, std::string(c.what) + ": report path");
  }
}

// A folder lists every entry, those the system hides marked, and a missing
// one cannot be listed.
void CheckListing(const fs::path& folder) {
  fs::create_directories(folder / "Sub.syx");
  for (const wchar_t* name : {L"b.syx", L"H.syx", L"\x00E9t\x00E9.syx"}) {
    std::FILE* file = ::_wfopen((folder / name).c_str(), L"wb");
    if (file != nullptr) std::fclose(file);
  }
  ::SetFileAttributesW((folder / L"H.syx").c_str(), FILE_ATTRIBUTE_HIDDEN);
  std::vector<dravelin::DirectoryEntry> entries;
  Check(dravelin::ListDirectory(folder, &entries) == dravelin::Listing::kListed, "listing");
  std::vector<std::string> names;
  for (const auto& entry : entries) names.push_back(entry.name + (entry.hidden ? " hidden" : ""));
  std::sort(names.begin(), names.end());
  Check(names == std::vector<std::string>{"H.syx hidden", "Sub.syx", "b.syx",
                                          "\xC3\xA9t\xC3\xA9.syx"},
        "listed names");
  entries.clear();
  Check(dravelin::ListDirectory(folder / "missing", &entries) == dravelin::Listing::kCannotList,
        "a missing folder");
}

std::wstring Temporary(const std::wstring& report, unsigned long long writer) {
  return L"." + report + L"." + std::to_wstring(writer) + L".k3x9q0.tmp";
}

// A report removes the temporary files of writers that no longer run; a
// file that a program holds open stays, whoever wrote it.
void CheckStaleTemporaryFiles(const fs::path& folder) {
  fs::create_directories(folder);
  const unsigned long long ended = 0xFFFFFFF0ull;  // no process has this id
  const unsigned long long self = ::GetCurrentProcessId();
  const std::wstring stale = Temporary(L"x.txt", ended);
  const std::wstring open = Temporary(L"y.txt", ended);
  const std::wstring own = Temporary(L"z.txt", self);
  for (const std::wstring& name : {stale, open, own}) {
    std::FILE* file = ::_wfopen((folder / name).c_str(), L"wb");
    if (file != nullptr) std::fclose(file);
  }
  const int held = ::_wopen((folder / open).c_str(), _O_RDONLY);
  Check(held >= 0, "opening a file to hold it");

  DiskReportFileSystem files;
  std::unique_ptr<dravelin::ReportFile> report = files.Create(folder / L"r.txt");
  Check(report != nullptr && report->Write("r\r\n", 3) && report->Close(), "writing a report");
  Check(!fs::exists(folder / stale), "an ended writer's file is removed");
  Check(fs::exists(folder / open), "a file held open stays");
  Check(fs::exists(folder / own), "this program's own file stays");
  ::_close(held);
}

}  // namespace

int main() {
  const fs::path scratch = fs::temp_directory_path() / ("dravelin-check-" +
                                                        std::to_string(::GetCurrentProcessId()));
  CheckSurrogateNames();
  CheckListing(scratch / "list");
  CheckStaleTemporaryFiles(scratch / "reports");
  std::error_code error;
  fs::remove_all(scratch, error);
  std::printf("%s: %d failed\n", failures == 0 ? "ok" : "FAIL", failures);
  return failures == 0 ? 0 : 1;
}
