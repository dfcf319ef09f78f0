#pragma once

#include <cstdlib>
#include <string>

namespace tornel::testing {

// Points TMPDIR, and so every temporary file name, at a folder of the test
// for the lifetime of the object.
class ScopedTmpDir {
public:
  explicit ScopedTmpDir(const std::string& dir) {
    if (const char* old = std::getenv("TMPDIR")) old_ = old;
    setenv("TMPDIR", dir.c_str(), 1);
  }
  ~ScopedTmpDir() {
    if (old_.empty()) {
      unsetenv("TMPDIR");
    } else {
      setenv("TMPDIR", old_.c_str(), 1);
    }
  }
  ScopedTmpDir(const ScopedTmpDir&) = delete;
  ScopedTmpDir& operator=(const ScopedTmpDir&) = delete;

private:
  std::string old_;
};

}  // namespace tornel::testing
