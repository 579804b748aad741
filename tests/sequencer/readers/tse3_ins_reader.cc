// Loads an instrument definition file with TSE3 (Debian's libtse3-dev), the
// reader that the tests hold the .ins files against, and prints what it
// read, one item a line:
//
//   instrument<TAB>title<TAB>bank select method<TAB>number of banks
//   bank<TAB>bank number<TAB>patch section title
//   program<TAB>number<TAB>name          (every program TSE3 names)
//
// Usage: tse3_ins_reader FILE.ins

#include <tse3/ins/Instrument.h>

#include <iostream>
#include <memory>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: tse3_ins_reader FILE.ins\n";
    return 2;
  }
  TSE3::Ins::CakewalkInstrumentFile file(argv[1]);
  for (const std::string& title : file.instruments()) {
    const std::unique_ptr<TSE3::Ins::Instrument> instrument(file.instrument(title));
    std::cout << "instrument\t" << instrument->title() << '\t' << instrument->bankSelMethod()
              << '\t' << instrument->numBanks() << '\n';
    for (std::size_t i = 0; i < instrument->numBanks(); ++i) {
      const TSE3::Ins::PatchData* patches = instrument->patch(static_cast<int>(i));
      std::cout << "bank\t" << instrument->bank(static_cast<int>(i)) << '\t' << patches->title()
                << '\n';
      for (std::size_t program = 0; program < 128; ++program) {
        const std::string& name = patches->name(program);
        if (!name.empty()) std::cout << "program\t" << program << '\t' << name << '\n';
      }
    }
  }
  return std::cout.good() ? 0 : 1;
}
