// make_auto_bin: builds auto.bin from the published tax tables.
//
//   make_auto_bin <folder of the CSV tables> <auto.bin to write>
//
// The build runs it whenever a table changes. A table that does not read as
// its kind stops the build with the file, line and fault; the previous
// auto.bin is then left as it was (the file is replaced only when complete).

#include <exception>
#include <filesystem>
#include <iostream>

#include "core/depreciation/auto_table_sources.h"
#include "core/depreciation/auto_tables.h"
#include "core/io/file_store.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_auto_bin <tax table folder> <auto.bin>\n";
    return 2;
  }
  try {
    const std::filesystem::path output = argv[2];
    const quandrel::AutoTablesBuild build =
        quandrel::BuildAutoTables(quandrel::ReadAutoTableSources(argv[1]));
    for (const std::string& note : build.Notes) {
      std::cout << "make_auto_bin: " << note << '\n';
    }
    if (output.has_parent_path()) {
      std::filesystem::create_directories(output.parent_path());
    }
    quandrel::SaveFileAtomically(output, quandrel::WriteAutoBin(build.Tables));
    std::cout << "make_auto_bin: wrote " << output.string() << " (" << quandrel::AutoTablesTag(build.Tables)
              << ")\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "make_auto_bin: " << e.what() << '\n';
    return 1;
  }
}
