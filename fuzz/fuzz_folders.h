#pragma once

// The folders every file-reader fuzz target works in: the input file, and a
// temporary folder (TMPDIR) that must be empty after every input, so that a
// reader leaving a file behind is found.
#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace tornel::fuzz {

struct FuzzFolders {
  std::string input;  // the file each input is written to
  std::string tmp;    // TMPDIR for the run
};

// `name` such as "dta"; the input file is named input.<name>.
inline FuzzFolders MakeFuzzFolders(const std::string& name) {
  std::string tmp = "/tmp/" + name + "-fuzz-tmp-XXXXXX";
  std::string in = "/tmp/" + name + "-fuzz-in-XXXXXX";
  if (mkdtemp(tmp.data()) == nullptr || mkdtemp(in.data()) == nullptr) std::abort();
  setenv("TMPDIR", tmp.c_str(), 1);
  return {in + "/input." + name, tmp};
}

inline bool FolderEmpty(const std::string& path) {
  DIR* dir = opendir(path.c_str());
  if (dir == nullptr) return false;
  int entries = 0;
  while (dirent* e = readdir(dir)) {
    const std::string name = e->d_name;
    if (name != "." && name != "..") ++entries;
  }
  closedir(dir);
  return entries == 0;
}

}  // namespace tornel::fuzz
