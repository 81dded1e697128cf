#include "tests/support/temp_dir.h"

#include <random>
#include <string>
#include <system_error>

namespace fixtures {

TempDir::TempDir() {
  // Tests run in parallel processes: a random suffix keeps them apart.
  std::random_device seed;
  std::mt19937_64 random(seed());
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    path_ = base / ("norvel-test-" + std::to_string(random() % 1000000000000ULL));
    if (std::filesystem::create_directory(path_)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Read-only directories made by a test must not survive it.
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  for (const auto& entry : std::filesystem::recursive_directory_iterator(
           path_, std::filesystem::directory_options::skip_permission_denied, ignored)) {
    if (entry.is_directory(ignored) && !entry.is_symlink(ignored)) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    }
  }
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace fixtures
