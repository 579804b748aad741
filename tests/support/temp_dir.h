// A scratch directory for one test, removed with everything in it afterwards.

#ifndef DRAVELIN_TESTS_SUPPORT_TEMP_DIR_H_
#define DRAVELIN_TESTS_SUPPORT_TEMP_DIR_H_

#include <filesystem>
#include <string>
#include <string_view>

namespace dravelin::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Writes `bytes` to `relative` below the directory, creating its folders.
  std::filesystem::path WriteFile(const std::filesystem::path& relative, std::string_view bytes);
  // Creates the folder `relative` (and its parents).
  std::filesystem::path MakeDir(const std::filesystem::path& relative);
  // The whole contents of `relative`, or an empty string when it is missing.
  std::string ReadFile(const std::filesystem::path& relative) const;
  bool Exists(const std::filesystem::path& relative) const;

  // Makes `relative` a regular file (once links are followed) that cannot be
  // opened for reading: a file without permissions, or, where permissions
  // do not hold (root), a link to a kernel setting that can only be
  // written. Returns false when neither is possible here.
  bool MakeUnreadableFile(const std::filesystem::path& relative);

 private:
  std::filesystem::path path_;
};

}  // namespace dravelin::testing

#endif  // DRAVELIN_TESTS_SUPPORT_TEMP_DIR_H_
