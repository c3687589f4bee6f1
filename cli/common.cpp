// Loading and saving documents for the subcommands, with the messages the user sees.
#include "cli/common.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "core/model/file.h"
#include "core/text/concat.h"
#include "core/text/sjis.h"

namespace cli {

namespace {

// The message of a file that fails the header check.
constexpr std::string_view kUnexpectedFormat = "予期しないﾌｧｲﾙ形式です。";

std::string CodePoint(char32_t c) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
  return text;
}

// A hook for tests of a document changed while a command runs: with QUILLMAP_PAUSE_BEFORE_SAVE
// naming a file, a command that read its document creates that file and waits (a minute at most)
// until the test removes it, then saves.
void PauseBeforeSave() {
  const char* signal = std::getenv("QUILLMAP_PAUSE_BEFORE_SAVE");
  if (signal == nullptr || *signal == '\0') return;
  if (std::FILE* file = std::fopen(signal, "w")) std::fclose(file);
  for (int round = 0; round < 6000 && std::filesystem::exists(signal); ++round) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace

void PrintError(std::string_view utf8_message) {
  std::fprintf(stderr, "%.*s\n", static_cast<int>(utf8_message.size()), utf8_message.data());
}

bool LoadDocument(const std::string& path, quillmap::SpecStore& store) {
  try {
    if (quillmap::LoadStoreFromPath(store, path)) return true;
    PrintError(kUnexpectedFormat);
  } catch (const quillmap::FileError& error) {
    PrintError(error.what());
  }
  return false;
}

bool SaveDocument(const quillmap::SpecStore& store, const std::string& path) {
  PauseBeforeSave();
  try {
    quillmap::SaveStoreToPath(store, path);
    return true;
  } catch (const quillmap::FileError& error) {
    PrintError(error.what());
  }
  return false;
}

bool LockDocument(const std::string& path, quillmap::DocumentLock& lock) {
  // A command waits rather than fail: another command's save takes a moment, and the editor
  // holds the lock only while it saves.
  constexpr std::chrono::minutes kWait(1);
  try {
    if (lock.Lock(path, kWait) != quillmap::DocumentLock::State::kBusy) return true;
    PrintError(quillmap::CannotWrite(path, EWOULDBLOCK, quillmap::FileError::Kind::kLocked).what());
  } catch (const quillmap::FileError& error) {
    PrintError(error.what());
  }
  return false;
}

bool ArgToSjis(std::string_view utf8, std::string& sjis) {
  quillmap::text::EncodeResult result = quillmap::text::Utf8ToSjis(utf8);
  if (result.ok) {
    sjis = std::move(result.bytes);
    return true;
  }
  if (result.malformed) {
    PrintError(quillmap::text::Concat(
        {"'", utf8, "' is not valid UTF-8 (at byte ", std::to_string(result.bad_offset), ")"}));
  } else {
    PrintError(quillmap::text::Concat({"'", utf8, "': Shift-JIS can't hold the character ",
                                       CodePoint(result.bad_char), " (at byte ",
                                       std::to_string(result.bad_offset), ")"}));
  }
  return false;
}

std::optional<int> ParseFlagWord(const std::string& text) {
  const bool hex = text.starts_with("0x") || text.starts_with("0X");
  const std::string digits = hex ? text.substr(2) : text;
  if (digits.empty()) return std::nullopt;
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(digits.c_str(), &end, hex ? 16 : 10);
  if (errno != 0 || *end != '\0') return std::nullopt;
  if (hex && digits.front() == '-') return std::nullopt;
  if (hex && value >= 0 && value <= static_cast<long long>(UINT_MAX)) {
    return static_cast<int>(static_cast<unsigned int>(value));
  }
  if (!hex && value >= INT_MIN && value <= INT_MAX) return static_cast<int>(value);
  return std::nullopt;
}

}  // namespace cli
