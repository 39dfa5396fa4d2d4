#include "base/safefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace {
std::string reason(int e) { return std::strerror(e); }

// Writes all of DATA to FD; false on an error (errno tells which).
bool writeAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

std::string folderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}
}  // namespace

FILEREAD READFILESAFE(const std::string& path, size_t maxbytes, std::string& out, std::string& err) {
  out.clear();
  err.clear();
  // O_NONBLOCK: opening a pipe does not wait for a writer; the type test below refuses it.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    const int e = errno;
    if (e == ENOENT || e == ENOTDIR) {
      err = path + ": no such file";
      return FR_MISSING;
    }
    if (e == EISDIR) {
      err = path + ": a folder, not a file";
      return FR_NOTFILE;
    }
    err = path + ": cannot open: " + reason(e);
    return FR_ERROR;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    err = path + ": cannot read: " + reason(errno);
    ::close(fd);
    return FR_ERROR;
  }
  if (!S_ISREG(st.st_mode)) {
    err = path + (S_ISDIR(st.st_mode)    ? ": a folder, not a file"
                  : S_ISFIFO(st.st_mode) ? ": a named pipe, not a file"
                                         : ": a device or special file, not a regular file");
    ::close(fd);
    return FR_NOTFILE;
  }
  if (static_cast<unsigned long long>(st.st_size) > maxbytes) {
    err = path + ": larger than " + std::to_string(maxbytes) + " bytes";
    ::close(fd);
    return FR_TOOLARGE;
  }
  // The size may change while reading: never take more than one byte past the limit.
  std::string data(static_cast<size_t>(st.st_size) + 1, '\0');
  size_t have = 0;
  for (;;) {
    if (have == data.size()) {
      if (data.size() > maxbytes) break;
      data.resize(std::min(maxbytes + 1, data.size() * 2 + 64));
    }
    ssize_t n = ::read(fd, &data[have], data.size() - have);
    if (n < 0) {
      if (errno == EINTR) continue;
      err = path + ": read error: " + reason(errno);
      ::close(fd);
      return FR_ERROR;
    }
    if (n == 0) break;
    have += static_cast<size_t>(n);
  }
  ::close(fd);
  if (have > maxbytes) {
    err = path + ": larger than " + std::to_string(maxbytes) + " bytes";
    return FR_TOOLARGE;
  }
  data.resize(have);
  out = std::move(data);
  return FR_OK;
}

bool WRITEFILESAFE(const std::string& path, const std::string& data, std::string& err) {
  err.clear();
  if (path.empty() || path.back() == '/') {
    err = "\"" + path + "\": no file name";
    return false;
  }
  static std::atomic<unsigned> counter{0};
  const std::string base = path + ".tmp." + std::to_string(::getpid()) + ".";
  std::string tmp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; attempt++) {
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    tmp = base + std::to_string(counter++) + "." + std::to_string(static_cast<unsigned long long>(now) % 1000000007ull);
    fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) {
      err = path + ": cannot create a temporary file: " + reason(errno);
      return false;
    }
  }
  if (fd < 0) {
    err = path + ": cannot create a temporary file: every name taken";
    return false;
  }
  bool ok = writeAll(fd, data.data(), data.size());
  int e = errno;
  if (ok && ::fsync(fd) != 0) {
    ok = false;
    e = errno;
  }
  if (::close(fd) != 0 && ok) {
    ok = false;
    e = errno;
  }
  if (ok && ::rename(tmp.c_str(), path.c_str()) != 0) {
    ok = false;
    e = errno;
  }
  if (!ok) {
    ::unlink(tmp.c_str());
    err = path + ": cannot write: " + reason(e);
    return false;
  }
  // The rename itself reaches the disk with the folder.
  int dfd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return true;
}
