#pragma once
// The file layer under documents and exports: buffered reads and writes over a POSIX file or an
// in-memory buffer. A read returns the number of bytes it got (0 at the end of the file, never an
// error); a failed open, write, flush or close raises FileError.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/model/file_identity.h"
#include "core/model/progress.h"

namespace quillmap {

class FileError : public std::runtime_error {
 public:
  // Why a file was refused before the system was asked to write it; kSystem when the system's
  // error number says all.
  enum class Kind {
    kSystem,
    kNotRegularFile,  // a folder, FIFO, device or socket (after symbolic links)
    kReadOnly,        // the file has no write permission for the user (or none at all)
    kBrokenLink,      // a symbolic link that leads nowhere, in a loop or through a closed folder
    kLocked,          // another program kept the document locked
    kReplaced,        // the name no longer leads to the file that was read (device and inode)
    kBecameLink,      // the name has become a symbolic link since the document was opened
  };

  FileError(std::string path, int error_number, const std::string& what, Kind kind = Kind::kSystem);
  const std::string& path() const { return path_; }
  int error_number() const { return error_number_; }
  Kind kind() const { return kind_; }

 private:
  std::string path_;
  int error_number_;
  Kind kind_;
};

// The error of a file that can't be written: "can't write 'path': reason", the reason told by
// the kind, or the system's text for the error number.
FileError CannotWrite(const std::string& path, int error_number,
                      FileError::Kind kind = FileError::Kind::kSystem);

// Frees a ByteBlock: unmaps a mapped one (size set), deletes a small one.
struct ByteBlockFree {
  std::size_t mapped_size = 0;
  void operator()(unsigned char* bytes) const;
};
using ByteBlock = std::unique_ptr<unsigned char[], ByteBlockFree>;

// Memory for size bytes that are about to be filled. A large block is mapped with all its pages
// at once: taking them one fault at a time, as the bytes arrive, costs more than reading them.
ByteBlock AllocateByteBlock(std::size_t size);

// Bytes read into memory in one piece.
struct FileBytes {
  ByteBlock data;
  std::uint64_t size = 0;
};

class File {
 public:
  enum class Mode {
    kRead,         // an existing file, read only
    kCreateWrite,  // create or truncate, write only
  };

  File();
  ~File();  // closes; errors on this path are swallowed, call Close() to see them
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Opens a file on disk. Raises FileError when it can't be opened (a folder counts as that).
  void Open(const std::string& path, Mode mode);
  // Takes over a file descriptor opened for writing; path names it in error messages.
  void AdoptForWriting(int fd, const std::string& path);
  // Reads from bytes held in memory (copied).
  void OpenMemory(std::string_view bytes);
  // Writes into memory; MemoryBytes() returns what was written so far (also after Close).
  void OpenMemoryWrite();
  const std::string& MemoryBytes() const;

  bool IsOpen() const;
  const std::string& Path() const { return path_; }
  // The open file's descriptor; -1 for memory files and closed ones.
  int Descriptor() const { return fd_; }

  // Reads up to n bytes; returns how many were read, 0 at the end. Raises on a device error.
  std::size_t Read(void* buffer, std::size_t n) {
    // Fast path for the small reads of the document loader: the bytes are in the buffer.
    if (!writing_ && (fd_ >= 0 || memory_) && n <= buffer_.size() - buffer_pos_) {
      std::memcpy(buffer, buffer_.data() + buffer_pos_, n);
      buffer_pos_ += n;
      position_ += n;
      return n;
    }
    return ReadSlow(buffer, n);
  }
  // The next n bytes when they are already in the read buffer (null otherwise); Consume(n)
  // then moves past them. Lets a reader take small fields without copying them twice.
  const char* Peek(std::size_t n) const {
    if (writing_ || !(fd_ >= 0 || memory_) || n > buffer_.size() - buffer_pos_) return nullptr;
    return buffer_.data() + buffer_pos_;
  }
  void Consume(std::size_t n) {
    buffer_pos_ += n;
    position_ += n;
  }
  // Reads everything from the current position to the end into one block: as many bytes as the
  // file had at open, and more if it grew meanwhile. progress, when given, hears of the bytes
  // read every few megabytes. Raises FileError on a read error.
  std::shared_ptr<FileBytes> ReadToEnd(const ProgressFunction& progress = nullptr);
  // Writes all n bytes (buffered). Raises FileError on failure.
  void Write(const void* buffer, std::size_t n);
  void Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }
  // Flushes buffered writes to the file. Raises FileError on failure.
  void Flush();
  // Flushes and forces the written bytes to the disk (fsync). Raises FileError on failure.
  void Sync();
  // Flushes and closes. Raises FileError on failure.
  void Close();

  // Bytes that remain to be read (size at open minus bytes consumed). For readers that bound
  // their work by the size of the input.
  std::uint64_t Remaining() const;
  // Bytes read or written so far.
  std::uint64_t Position() const { return position_; }

 private:
  std::size_t ReadSlow(void* buffer, std::size_t n);
  void FillReadBuffer();
  void FlushWriteBuffer();
  void WriteAll(const char* bytes, std::size_t n);

  int fd_ = -1;
  bool memory_ = false;
  bool writing_ = false;
  std::string path_;
  std::string buffer_;          // read-ahead or pending writes; the whole content in memory mode
  std::size_t buffer_pos_ = 0;  // next unread byte of buffer_ (reading)
  std::uint64_t size_ = 0;      // size at open (reading)
  std::uint64_t position_ = 0;
};

// Writes a file atomically; every file the program writes goes through it. The target is
// checked first: a path that exists and is not a regular file (after following symbolic links),
// a read-only file and a symbolic link that can't be followed are refused, with nothing changed.
// A link to a writable file is written through (the link stays). The content goes to a temporary
// file in the target's folder, created with the target's mode (the umask's for a new file) before
// its first byte, under one short name per target (TemporaryPathFor), so that any name the file
// system takes can be saved and a crash leaves at most one leftover, which the next save removes.
// Commit() fsyncs it, renames it over the target and fsyncs the folder. Failures raise FileError
// naming the target, never the temporary file, and leave an existing target untouched.
//
// While this process holds a DocumentLock on the target's path, the target is the file that was
// locked and read, resolved once at that time: the writer replaces the path it resolved to then,
// and refuses (kReplaced) when the name has come to lead to another file since, as it does when
// another program puts a symbolic link or a new file in its place. Checked when the writer is
// made and again just before the rename.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::string target_path);
  ~AtomicFileWriter();  // removes the temporary file unless Commit() succeeded
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
  File& file() { return file_; }
  void Commit();  // flush, fsync, rename, fsync the folder; raises FileError
  // The file that was written, as it is after Commit().
  const FileIdentity& written() const { return written_; }

 private:
  std::string target_;      // the path the caller named (used in messages)
  std::string write_path_;  // what gets replaced: the target, or the file a symbolic link names
  std::string write_name_;  // its name in its folder
  std::string temp_name_;   // the temporary file's name in the same folder
  int folder_ = -1;         // that folder, open
  bool folder_can_sync_ = false;
  FileIdentity read_;  // the file a held lock says the target must still be (exists when one is)
  File file_;
  FileIdentity written_;
  bool committed_ = false;
};

// The one temporary name used while path (a file that is not a symbolic link) is written: a
// hidden name of fixed length in the same folder, derived from the file's name.
std::string TemporaryPathFor(const std::string& path);

// Removes the temporary file a save of path (after symbolic links) left behind when it was
// killed: only a regular file whose lock can be taken, so never one a live save is writing.
// True when one was removed. For the editor's open; read-only commands leave files alone.
bool RemoveAbandonedTemporary(const std::string& path);

}  // namespace quillmap
