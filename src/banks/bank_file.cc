#include "banks/bank_file.h"

#include <cstdio>
#include <new>

#include "banks/bank_name.h"
#include "banks/file_system.h"
#include "banks/program_dump.h"

namespace dravelin {

MessageCode ReadProgramDumps(ByteStream& in, Bank& bank, std::size_t* patches_left) {
  ProgramData data;
  for (;;) {
    std::uint8_t program_number = 0;
    if (FindProgramDump(in, &program_number) != kAllIsOk) return kAllIsOk;
    if (UnpackProgramData(in, data) != kAllIsOk) return kAllIsOk;
    if (*patches_left == 0) return kOutOfMemory;
    try {
      bank.patches.push_back(NewPatch(data, program_number));
    } catch (const std::bad_alloc&) {
      return kOutOfMemory;
    }
    --*patches_left;
  }
}

MessageCode ReadBankFile(const std::filesystem::path& path, Bank& bank,
                         std::size_t* patches_left) {
  std::FILE* file = OpenRegularFile(path);
  if (file == nullptr) return kSyxFileOpenError;
  MessageCode result;
  try {
    const std::string path_text = PathText(path);
    bank.name = FitBankName(BankNameFromPath(path_text));
    bank.file_name = FileNameFromPath(path_text);
    ByteStream in(file);
    result = ReadProgramDumps(in, bank, patches_left);
  } catch (const std::bad_alloc&) {
    result = kOutOfMemory;
  }
  std::fclose(file);
  return result;
}

}  // namespace dravelin
