#include "batch/input_collection.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <mutex>
#include <set>
#include <utility>

#include "batch/list_file.h"
#include "platform/file_info.h"

namespace pictavo {
namespace {

using FolderId = std::pair<uint64_t, uint64_t>;  // device, inode

std::string WithSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

// The lower-cased text after the last dot of the file name, or "" when the
// name has no dot.
std::string LowerExtension(std::string_view path) {
  auto slash = path.rfind('/');
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  auto dot = name.rfind('.');
  if (dot == std::string_view::npos) return {};
  std::string ext(name.substr(dot + 1));
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

int WalkFolder(Context& context, const std::string& folder, std::set<FolderId>& ancestors);

// Adds the file at `path`, or everything below it when it is a folder.
// `ancestors` holds the folders of the current path from the walk's root
// down, so that a link pointing back up is seen and not followed again.
int AddEntry(Context& context, const std::string& path, std::set<FolderId>& ancestors) {
  auto info = StatPath(path);
  if (!info || !info->isFolder) return AddInputFile(context, path) ? 1 : 0;
  FolderId id{info->device, info->inode};
  if (!ancestors.insert(id).second) return 0;  // a cycle: already being walked
  int added = WalkFolder(context, WithSlash(path), ancestors);
  ancestors.erase(id);
  return added;
}

int WalkFolder(Context& context, const std::string& folder, std::set<FolderId>& ancestors) {
  auto names = ListFolder(folder);
  if (!names) return 0;
  int added = 0;
  for (const std::string& name : *names) added += AddEntry(context, folder + name, ancestors);
  return added;
}

std::set<FolderId> RootOf(const std::string& folder) {
  std::set<FolderId> ancestors;
  if (auto info = StatPath(folder)) ancestors.insert({info->device, info->inode});
  return ancestors;
}

void SetCurrentNumber(ConversionJob& job, int32_t number) {
  std::lock_guard<std::mutex> guard(job.lock);
  job.currentNumber = number;
}

void AddToCount(ConversionJob& job, int32_t added) {
  std::lock_guard<std::mutex> guard(job.lock);
  job.count += added;
}

}  // namespace

bool AddInputFile(Context& context, const std::string& path) {
  // A path that cannot be looked at has no size and passes, as the callers
  // only hand in paths they found; the conversion then reports it.
  if (auto info = StatPath(path)) {
    if (!info->isRegular || info->size == 0) return false;
  }
  if (!IsSupportedExtension(context.formats, LowerExtension(path))) return false;
  return context.inputs.Add(path, RelativeSubfolder(path, context.run.InputPath));
}

int AddFolderTree(Context& context, const std::string& folder) {
  auto ancestors = RootOf(folder);
  return WalkFolder(context, folder, ancestors);
}

std::string RelativeSubfolder(std::string_view path, std::string_view base) {
  if (path.empty() || base.empty()) return {};
  auto slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  std::string_view folder = path.substr(0, slash + 1);
  // Only a leading base is cut: the same name further down the tree is a
  // sub-folder of its own and must stay in the result.
  if (folder.substr(0, base.size()) != base) return {};
  return std::string(folder.substr(base.size()));
}

int ImportFolderTask(Context& context) {
  ConversionJob& job = context.job;
  const std::string root = context.run.InputPath;
  int32_t visited = 0;
  int32_t added = 0;
  if (auto names = ListFolder(root)) {
    auto ancestors = RootOf(root);
    for (const std::string& name : *names) {
      if (!job.running) break;
      SetCurrentNumber(job, ++visited);
      added += AddEntry(context, root + name, ancestors);
    }
  }
  AddToCount(job, added);
  return 0;
}

int ImportListTask(Context& context) {
  ConversionJob& job = context.job;
  int32_t visited = 0;
  int32_t added = 0;
  std::ifstream file(context.run.CurrentInput, std::ios::binary);
  if (file) {
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    for (const std::string& line : SplitListLines(DecodeListText(bytes))) {
      if (!job.running) break;
      // A NUL cannot be part of a path; such a line (from a UTF-32 file read
      // as UTF-8) would otherwise be cut short at the NUL and name another file.
      if (line.empty() || line.find('\0') != std::string::npos) continue;
      auto info = StatPath(line);
      if (!info) continue;
      SetCurrentNumber(job, ++visited);
      if (info->isFolder) {
        added += AddFolderTree(context, WithSlash(line));
      } else if (AddInputFile(context, line)) {
        ++added;
      }
    }
  }
  AddToCount(job, added);
  return 0;
}

}  // namespace pictavo
