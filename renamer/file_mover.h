// The move at the end of the naming step: done on disk, or foreseen for a
// preview that must report exactly what the real run would.
#pragma once

#include <string>
#include <unordered_set>

class TFileMover {
 public:
  virtual ~TFileMover() = default;
  // Moves `from` to `to` (same directory) without replacing anything;
  // false when the move fails or would fail.
  virtual bool Move(const std::string& from, const std::string& to) = 0;
};

class TDiskMover final : public TFileMover {
 public:
  bool Move(const std::string& from, const std::string& to) override;
};

// Changes nothing on disk. Keeps the names the run has taken and freed so
// far, so that each answer is the one the real run would get at that point:
// a name taken by an earlier move fails, a name an earlier move left is free.
class TPreviewMover final : public TFileMover {
 public:
  bool Move(const std::string& from, const std::string& to) override;

 private:
  std::unordered_set<std::string> taken_;
  std::unordered_set<std::string> freed_;
};
