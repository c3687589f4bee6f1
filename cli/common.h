#pragma once
// Shared helpers of the quillmap-cli subcommands: loading and saving documents with the user's
// messages, and converting between the command line's UTF-8 and the documents' Shift-JIS.

#include <optional>
#include <string>
#include <string_view>

#include "core/model/document_lock.h"
#include "core/model/spec_store.h"

namespace cli {

// Prints one line (UTF-8) to stderr.
void PrintError(std::string_view utf8_message);

// Loads the document at path. On failure prints the message ("予期しないﾌｧｲﾙ形式です。" for a file
// that fails the header check; otherwise a message naming the path) and returns false.
bool LoadDocument(const std::string& path, quillmap::SpecStore& store);

// Saves the document atomically. On failure prints a message naming the path and returns false;
// an existing file is then left as it was.
bool SaveDocument(const quillmap::SpecStore& store, const std::string& path);

// Takes the advisory lock on the document a command is going to write, for the command's whole
// run, waiting while another program (a command or the editor's Save) holds it. A path that
// names no file yet needs no lock. On failure (still locked after a minute, or not a file that
// could be saved) prints a message naming the path and returns false.
bool LockDocument(const std::string& path, quillmap::DocumentLock& lock);

// Converts a command-line argument (UTF-8) to Shift-JIS. On a character that Shift-JIS can't
// hold prints a message naming it and returns false.
bool ArgToSjis(std::string_view utf8, std::string& sjis);

// A 32-bit flag word (clip and annotate --flags): decimal, may be negative, or hexadecimal with
// "0x". nullopt for anything else.
std::optional<int> ParseFlagWord(const std::string& text);

}  // namespace cli
