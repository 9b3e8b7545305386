// Prints what the profile-function model reads from INI files, in the format
// of the Windows dump program profile_dump.c, so that the two can be diffed.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "profile_reader.h"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    if (!in) {
      std::cerr << "cannot read " << argv[i] << '\n';
      return 2;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::cout << "F " << profile::Escape(argv[i]) << '\n'
              << profile::ProfileFile::Parse(bytes).Dump();
  }
  return 0;
}
