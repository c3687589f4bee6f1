// quillmap-cli parse 'PROTOTYPE': prints how the add-function command splits a typed prototype.
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/common.h"
#include "cli/json.h"
#include "core/parse/prototype_parser.h"
#include "core/text/concat.h"

namespace cli {

int RunParse(int argc, char** argv) {
  if (argc != 2) return Usage();
  std::string prototype;
  if (!ArgToSjis(argv[1], prototype)) return kExitFailure;

  quillmap::PrototypeParser parser;
  parser.Parse(prototype);
  std::string return_type, name;
  parser.GetReturnType(return_type);
  parser.GetName(name);

  std::string json = "{\"return\": " + JsonSjisString(return_type) +
                     ", \"name\": " + JsonSjisString(name) + ", \"args\": [";
  for (int i = 0; i < parser.GetArgCount(); ++i) {
    std::string type, arg_name;
    parser.GetArg(i, type, arg_name);
    if (i > 0) json += ", ";
    json +=
        quillmap::text::Concat({"[", JsonSjisString(type), ", ", JsonSjisString(arg_name), "]"});
  }
  json += "]}\n";
  std::fwrite(json.data(), 1, json.size(), stdout);
  return kExitOk;
}

}  // namespace cli
