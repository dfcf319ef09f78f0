#pragma once

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

// The baseline of the file benchmarks: read(2) and write(2) through `buffer`,
// nothing else.
inline void PlainCopy(const std::string& in, const std::string& out, std::vector<char>& buffer) {
  int src = ::open(in.c_str(), O_RDONLY);
  int dst = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ssize_t n;
  while ((n = ::read(src, buffer.data(), buffer.size())) > 0) {
    benchmark::DoNotOptimize(::write(dst, buffer.data(), static_cast<size_t>(n)));
  }
  ::close(src);
  ::close(dst);
}

// The baseline of the streaming benchmarks: the whole file through `buffer`
// with read(2), nothing else.
inline void PlainRead(const std::string& path, std::vector<char>& buffer) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  ssize_t n;
  while ((n = ::read(fd, buffer.data(), buffer.size())) > 0) benchmark::DoNotOptimize(n);
  ::close(fd);
}
