#pragma once
// The arguments the C reader hands libclang, made from those the user gave after "--".

#include <string>
#include <vector>

namespace quillmap::ingest {

// The user's arguments as they are, behind "-xc" unless they name a language (-x, --language)
// and "-w" unless they hold a warning option (-W...): import and check show no warnings, and
// collecting them can cost more than the reading itself.
std::vector<std::string> ReaderCompilerArgs(const std::vector<std::string>& user_args);

}  // namespace quillmap::ingest
