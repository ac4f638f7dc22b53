#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace pictavo {

// One collected input file and the sub-folder it was found in below the
// run's input folder ("a/b/" or empty).
struct InputEntry {
  std::string path;
  std::string subfolder;
};

// The run's input files, keyed by the path text exactly as it was built
// (case-sensitive, no normalisation). Entries are visited in the order they
// were collected, which keeps counters and names reproducible.
class InputList {
 public:
  // Adds path with its sub-folder; false when the path is already listed.
  bool Add(const std::string& path, const std::string& subfolder) {
    auto [it, inserted] = index_.try_emplace(path, entries_.size());
    if (!inserted) return false;
    entries_.push_back({path, subfolder});
    return true;
  }
  bool Contains(const std::string& path) const { return index_.count(path) != 0; }
  void Clear() {
    entries_.clear();
    index_.clear();
  }
  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  const InputEntry& operator[](std::size_t i) const { return entries_[i]; }
  auto begin() const { return entries_.begin(); }
  auto end() const { return entries_.end(); }

 private:
  std::vector<InputEntry> entries_;
  std::unordered_map<std::string, std::size_t> index_;
};

}  // namespace pictavo
