#include "Image.h"

#include <algorithm>

std::string Parent(const std::string& path) { return path.substr(0, path.rfind('/')); }

std::string BaseName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

std::string Step::Describe() const {
  static const char* const verbs[] = {"create ", "remove ", "rename ", "size of ", "block ", "fsync ", "close "};
  std::string what = verbs[static_cast<int>(kind)];
  if (kind == StepKind::Rename) return what + BaseName(path) + " to " + BaseName(to);
  if (kind < StepKind::Rename) return what + BaseName(path);
  if (kind == StepKind::Resize) return what + name + " " + std::to_string(size);
  if (kind == StepKind::Data) return what + std::to_string(size) + " of " + name;
  return what + (file < 0 ? "everything" : name);
}

void Image::Apply(const Step& step) {
  switch (step.kind) {
    case StepKind::Link:
      entries[step.path] = step.file;
      contents[step.file];
      if (step.makesFolder) folders.insert(step.file);
      break;
    case StepKind::Unlink:
      entries.erase(step.path);
      break;
    case StepKind::Rename: {
      entries[step.to] = step.file;
      contents[step.file];
      auto from = entries.find(step.path);
      if (from != entries.end() && from->second == step.file) entries.erase(from);
      break;
    }
    case StepKind::Resize:
      contents[step.file].resize(step.size, '\0');
      break;
    case StepKind::Data: {
      // A block beyond the size that persisted stays out of sight.
      std::string& content = contents[step.file];
      size_t offset = step.size * blockSize;
      if (offset >= content.size()) break;
      size_t count = std::min(step.bytes.size(), content.size() - offset);
      content.replace(offset, count, step.bytes, 0, count);
      break;
    }
    default:
      break;
  }
}

Files Image::MemosIn(const std::vector<std::string>& watched) const {
  // What the memo list shows, and the recovery records: not temporary files or locks.
  static const char* const kept[] = {".txt", ".htm", ".html", ".rcv"};
  Files memos;
  for (const auto& entry : entries) {
    std::string name = BaseName(entry.first), extension = name.substr(std::min(name.rfind('.'), name.size()));
    for (char& c : extension) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    bool memo = std::find(std::begin(kept), std::end(kept), extension) != std::end(kept);
    // A file whose folder's creation did not persist is gone with it.
    bool inWatched = std::find(watched.begin(), watched.end(), Parent(entry.first)) != watched.end() && entries.count(Parent(entry.first));
    if (memo && inWatched && !folders.count(entry.second)) memos[entry.first] = contents.at(entry.second);
  }
  return memos;
}
