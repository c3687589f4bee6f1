#pragma once
// The file layer under documents and exports: buffered reads and writes over a POSIX file or an
// in-memory buffer. A read returns the number of bytes it got (0 at the end of the file, never an
// error); a failed open, write, flush or close raises FileError.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quillmap {

class FileError : public std::runtime_error {
 public:
  FileError(std::string path, int error_number, const std::string& what);
  const std::string& path() const { return path_; }
  int error_number() const { return error_number_; }

 private:
  std::string path_;
  int error_number_;
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
  // Reads from bytes held in memory (copied).
  void OpenMemory(std::string_view bytes);
  // Writes into memory; MemoryBytes() returns what was written so far (also after Close).
  void OpenMemoryWrite();
  const std::string& MemoryBytes() const;

  bool IsOpen() const;
  const std::string& Path() const { return path_; }

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

// Writes a file atomically: the content goes to a temporary file in the same folder, which is
// renamed over the target only when every byte was written and flushed. A failure raises
// FileError and leaves an existing target untouched. A target that is a symbolic link keeps
// being one: the file it points to is replaced.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::string target_path);
  ~AtomicFileWriter();  // removes the temporary file unless Commit() succeeded
  File& file() { return file_; }
  void Commit();  // flush, fsync, close, rename; raises FileError

 private:
  std::string target_;      // the path the caller named (used in messages)
  std::string write_path_;  // what gets replaced: the target, or the file a symbolic link names
  std::string temp_;
  File file_;
  bool committed_ = false;
};

}  // namespace quillmap
