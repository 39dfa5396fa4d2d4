// Helpers shared by the test programs.
#pragma once
#include <cstdlib>
#include <filesystem>
#include <string>

// A fresh temporary folder, removed with everything in it at the end of the scope.
struct TempDir {
  std::string path;
  TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "ashenXXXXXX").string();
    char* p = mkdtemp(tmpl.data());
    path = p ? p : tmpl;
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
};
