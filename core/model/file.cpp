// Buffered file layer: reads ahead and collects writes in a 64 KiB buffer so that the node-by-node
// readers and writers of the document format make one system call per buffer, not per field.
#include "core/model/file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quillmap {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

std::string ErrorText(const std::string& action, const std::string& path, int error_number) {
  return action + " '" + path + "': " + std::strerror(error_number);
}

}  // namespace

FileError::FileError(std::string path, int error_number, const std::string& what, Kind kind)
    : std::runtime_error(what), path_(std::move(path)), error_number_(error_number), kind_(kind) {}

FileError CannotWrite(const std::string& path, int error_number, FileError::Kind kind) {
  std::string reason = std::strerror(error_number);
  switch (kind) {
    case FileError::Kind::kNotRegularFile:
      reason = "not a regular file";
      break;
    case FileError::Kind::kBrokenLink:
      reason = "the symbolic link can't be followed (" + reason + ")";
      break;
    case FileError::Kind::kLocked:
      reason = "another program keeps it locked";
      break;
    case FileError::Kind::kReplaced:
      reason = "it no longer names the file that was read (another program replaced it)";
      break;
    case FileError::Kind::kBecameLink:
      reason = "it has become a symbolic link since it was opened";
      break;
    case FileError::Kind::kSystem:
    case FileError::Kind::kReadOnly:
      break;
  }
  return FileError(path, error_number, "can't write '" + path + "': " + reason, kind);
}

File::File() = default;

File::~File() {
  try {
    Close();
  } catch (const FileError&) {
    // Destructors can't report; callers that care call Close() themselves.
  }
}

void File::Open(const std::string& path, Mode mode) {
  Close();
  int flags = mode == Mode::kRead ? O_RDONLY : (O_WRONLY | O_CREAT | O_TRUNC);
  int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
  if (fd < 0) {
    int error_number = errno;
    throw FileError(path, error_number, ErrorText("can't open", path, error_number));
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
    int error_number = S_ISDIR(status.st_mode) ? EISDIR : errno;
    ::close(fd);
    throw FileError(path, error_number, ErrorText("can't open", path, error_number));
  }
  fd_ = fd;
  memory_ = false;
  writing_ = mode == Mode::kCreateWrite;
  path_ = path;
  buffer_.clear();
  buffer_pos_ = 0;
  size_ = writing_ ? 0 : static_cast<std::uint64_t>(status.st_size);
  position_ = 0;
}

void File::AdoptForWriting(int fd, const std::string& path) {
  Close();
  fd_ = fd;
  memory_ = false;
  writing_ = true;
  path_ = path;
  buffer_.clear();
  buffer_pos_ = 0;
  size_ = 0;
  position_ = 0;
}

void File::OpenMemory(std::string_view bytes) {
  Close();
  memory_ = true;
  writing_ = false;
  path_.clear();
  buffer_.assign(bytes);
  buffer_pos_ = 0;
  size_ = bytes.size();
  position_ = 0;
}

void File::OpenMemoryWrite() {
  Close();
  memory_ = true;
  writing_ = true;
  path_.clear();
  buffer_.clear();
  buffer_pos_ = 0;
  size_ = 0;
  position_ = 0;
}

const std::string& File::MemoryBytes() const {
  return buffer_;
}

bool File::IsOpen() const {
  return fd_ >= 0 || memory_;
}

std::size_t File::ReadSlow(void* buffer, std::size_t n) {
  if (!IsOpen() || writing_) return 0;
  auto* out = static_cast<unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < n) {
    if (buffer_pos_ == buffer_.size()) {
      if (memory_) break;
      // Large reads skip the buffer and go straight into the caller's memory.
      if (n - done >= kBufferSize) {
        ssize_t got;
        do {
          got = ::read(fd_, out + done, n - done);
        } while (got < 0 && errno == EINTR);
        if (got < 0) throw FileError(path_, errno, ErrorText("can't read", path_, errno));
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
        continue;
      }
      FillReadBuffer();
      if (buffer_.empty()) break;
    }
    std::size_t take = std::min(n - done, buffer_.size() - buffer_pos_);
    std::memcpy(out + done, buffer_.data() + buffer_pos_, take);
    buffer_pos_ += take;
    done += take;
  }
  position_ += done;
  return done;
}

void ByteBlockFree::operator()(unsigned char* bytes) const {
  if (mapped_size > 0) {
    ::munmap(bytes, mapped_size);
  } else {
    delete[] bytes;
  }
}

ByteBlock AllocateByteBlock(std::size_t size) {
  constexpr std::size_t kMapFrom = std::size_t{1} << 20;
  if (size >= kMapFrom) {
    void* mapped = ::mmap(nullptr, size, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    return ByteBlock(static_cast<unsigned char*>(mapped), {size});
  }
  return ByteBlock(new unsigned char[size], {});
}

std::shared_ptr<FileBytes> File::ReadToEnd(const ProgressFunction& progress) {
  auto bytes = std::make_shared<FileBytes>();
  if (!IsOpen() || writing_) {
    bytes->data = AllocateByteBlock(1);
    return bytes;
  }
  // What the read-ahead buffer holds first, then straight from the file into the block.
  const std::size_t buffered = buffer_.size() - buffer_pos_;
  const std::uint64_t unread = Remaining() > buffered ? Remaining() - buffered : 0;
  std::uint64_t capacity = buffered + unread + 1;  // one more byte tells that the file grew
  bytes->data = AllocateByteBlock(capacity);
  std::memcpy(bytes->data.get(), buffer_.data() + buffer_pos_, buffered);
  bytes->size = buffered;
  buffer_pos_ = buffer_.size();
  position_ += buffered;
  if (memory_) return bytes;
  std::uint64_t reported = 0;
  for (;;) {
    if (bytes->size == capacity) {
      // The file grew while it was read: make room for more.
      capacity *= 2;
      ByteBlock larger = AllocateByteBlock(capacity);
      std::memcpy(larger.get(), bytes->data.get(), bytes->size);
      bytes->data = std::move(larger);
    }
    const std::size_t chunk =
        static_cast<std::size_t>(std::min<std::uint64_t>(capacity - bytes->size, kProgressStep));
    ssize_t got;
    do {
      got = ::read(fd_, bytes->data.get() + bytes->size, chunk);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
      int error_number = errno;
      throw FileError(path_, error_number, ErrorText("can't read", path_, error_number));
    }
    if (got == 0) break;
    bytes->size += static_cast<std::uint64_t>(got);
    position_ += static_cast<std::uint64_t>(got);
    if (progress && bytes->size - reported >= kProgressStep) {
      reported = bytes->size;
      progress(bytes->size, std::max(size_, bytes->size));
    }
  }
  return bytes;
}

void File::FillReadBuffer() {
  buffer_.resize(kBufferSize);
  ssize_t got;
  do {
    got = ::read(fd_, buffer_.data(), kBufferSize);
  } while (got < 0 && errno == EINTR);
  if (got < 0) {
    int error_number = errno;
    buffer_.clear();
    buffer_pos_ = 0;
    throw FileError(path_, error_number, ErrorText("can't read", path_, error_number));
  }
  buffer_.resize(static_cast<std::size_t>(got));
  buffer_pos_ = 0;
}

void File::Write(const void* buffer, std::size_t n) {
  if (!IsOpen() || !writing_) {
    throw FileError(path_, EBADF, ErrorText("can't write", path_, EBADF));
  }
  const char* bytes = static_cast<const char*>(buffer);
  if (memory_) {
    buffer_.append(bytes, n);
  } else {
    if (buffer_.size() + n > kBufferSize) FlushWriteBuffer();
    if (n >= kBufferSize) {
      WriteAll(bytes, n);  // large blocks skip the buffer
    } else {
      buffer_.append(bytes, n);
    }
  }
  position_ += n;
}

void File::FlushWriteBuffer() {
  WriteAll(buffer_.data(), buffer_.size());
  buffer_.clear();
}

void File::WriteAll(const char* bytes, std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    ssize_t wrote = ::write(fd_, bytes + done, n - done);
    if (wrote < 0) {
      if (errno == EINTR) continue;
      int error_number = errno;
      buffer_.clear();
      throw FileError(path_, error_number, ErrorText("can't write", path_, error_number));
    }
    done += static_cast<std::size_t>(wrote);
  }
}

void File::Flush() {
  if (fd_ >= 0 && writing_) FlushWriteBuffer();
}

void File::Sync() {
  Flush();
  if (fd_ >= 0 && writing_ && ::fsync(fd_) != 0) {
    throw FileError(path_, errno, ErrorText("can't write", path_, errno));
  }
}

void File::Close() {
  if (fd_ >= 0) {
    int fd = fd_;
    try {
      if (writing_) FlushWriteBuffer();
    } catch (...) {
      fd_ = -1;
      ::close(fd);
      throw;
    }
    fd_ = -1;
    if (::close(fd) != 0 && writing_) {
      throw FileError(path_, errno, ErrorText("can't write", path_, errno));
    }
  }
  if (!memory_) buffer_.clear();  // what was written to memory stays readable
  memory_ = false;
  buffer_pos_ = 0;
}

std::uint64_t File::Remaining() const {
  return position_ < size_ ? size_ - position_ : 0;
}

}  // namespace quillmap
