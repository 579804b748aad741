#include "tests/support/temp_dir.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

namespace dravelin::testing {

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    auto candidate =
        base / ("dravelin-test-" + std::to_string(random()) + "-" + std::to_string(counter++));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      break;
    }
  }
}

TempDir::~TempDir() {
  std::error_code error;
  // Restore permissions a test may have taken away so that removal succeeds.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    std::error_code ignored;
    if (!it->is_symlink(ignored)) {
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    }
  }
  std::filesystem::remove_all(path_, error);
}

std::filesystem::path TempDir::WriteFile(const std::filesystem::path& relative,
                                         std::string_view bytes) {
  const auto full = path_ / relative;
  std::filesystem::create_directories(full.parent_path());
  std::ofstream out(full, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return full;
}

std::filesystem::path TempDir::MakeDir(const std::filesystem::path& relative) {
  const auto full = path_ / relative;
  std::filesystem::create_directories(full);
  return full;
}

std::string TempDir::ReadFile(const std::filesystem::path& relative) const {
  std::ifstream in(path_ / relative, std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

bool TempDir::Exists(const std::filesystem::path& relative) const {
  std::error_code error;
  return std::filesystem::exists(path_ / relative, error);
}

namespace {

bool CanBeOpened(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

}  // namespace

bool TempDir::MakeUnreadableFile(const std::filesystem::path& relative) {
  const std::filesystem::path full = WriteFile(relative, "");
  std::filesystem::permissions(full, std::filesystem::perms::none);
  if (!CanBeOpened(full)) return true;
  std::filesystem::remove(full);
  const std::filesystem::path write_only = "/proc/sys/vm/drop_caches";
  std::error_code error;
  std::filesystem::create_symlink(write_only, full, error);
  return !error && std::filesystem::is_regular_file(full, error) && !CanBeOpened(full);
}

}  // namespace dravelin::testing
