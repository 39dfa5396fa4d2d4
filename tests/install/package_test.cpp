// The Debian package's declared dependencies: every shared library the built
// program links must belong to a package the list names, or the package
// installs on a fresh system and then cannot start.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "test_util.h"

namespace {
// The package names of a Debian "Depends" value, without versions.
std::set<std::string> dependsNames(const std::string& value) {
  std::set<std::string> names;
  std::stringstream in(value);
  std::string item;
  while (std::getline(in, item, ',')) {
    const size_t a = item.find_first_not_of(' ');
    if (a == std::string::npos) continue;
    names.insert(item.substr(a, item.find_first_of(" (", a) - a));
  }
  return names;
}
}  // namespace

TEST(Package, DeclaresThePackageOfEveryLinkedLibrary) {
  const std::string program = std::string(ASHEN_BUILD_DIR) + "/ashenreach";
  const std::string config = std::string(ASHEN_BUILD_DIR) + "/CPackConfig.cmake";
  if (RUNCOMMAND("command -v dpkg && command -v objdump").CODE != 0) GTEST_SKIP() << "needs dpkg and objdump";
  ASSERT_TRUE(std::filesystem::exists(program));
  std::ifstream c(config);
  const std::string text((std::istreambuf_iterator<char>(c)), std::istreambuf_iterator<char>());
  std::smatch m;
  ASSERT_TRUE(std::regex_search(text, m, std::regex("set\\(CPACK_DEBIAN_PACKAGE_DEPENDS \"([^\"]*)\"\\)"))) << config;
  const std::set<std::string> declared = dependsNames(m[1].str());
  EXPECT_TRUE(declared.count("libc6"));

  // Each linked library, found as the dynamic linker finds it, then its package.
  const COMMANDRESULT needed = RUNCOMMAND("objdump -p '" + program + "' | awk '/NEEDED/ {print $2}'");
  ASSERT_EQ(needed.CODE, 0);
  std::stringstream libs(needed.OUTPUT);
  std::string lib;
  int checked = 0;
  while (libs >> lib) {
    // Sanitizer builds link their run-time support from the compiler; no package carries it.
    if (lib.find("clang_rt") != std::string::npos) continue;
    const COMMANDRESULT owner = RUNCOMMAND(
        "f=$(ldconfig -p | awk -v l='" + lib + "' '$1 == l {print $NF; exit}'); "
        "dpkg -S \"$(readlink -f \"$f\")\" 2>/dev/null || dpkg -S \"$f\" | head -1");
    ASSERT_EQ(owner.CODE, 0) << lib << ": " << owner.OUTPUT;
    const std::string pkg = owner.OUTPUT.substr(0, owner.OUTPUT.find_first_of(":,"));
    EXPECT_TRUE(declared.count(pkg)) << lib << " comes from " << pkg << ", which the package does not depend on";
    checked++;
  }
  EXPECT_GE(checked, 5);
}
