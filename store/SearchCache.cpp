#include "store/SearchCache.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <utility>

namespace {

const size_t DefaultBound = 64u << 20;
// What a copy costs beside its text: the table's node, the key, the copy's
// own fields.
const size_t CopyOverhead = 64;

}  // namespace

size_t SearchCacheBound() {
  char value[32];
  DWORD length = ::GetEnvironmentVariableA("SCRIBBIT_SEARCH_CACHE_MB", value, sizeof(value));
  if (length == 0 || length >= sizeof(value)) return DefaultBound;
  char* end;
  unsigned long megabytes = std::strtoul(value, &end, 10);
  if (*end != '\0' || megabytes > 1024) return DefaultBound;
  return static_cast<size_t>(megabytes) << 20;
}

bool CachedFolder::Find(const char* name, const ListedStamp& stamp, ScanView& view) {
  Copies::iterator copy = copies.find(name);
  if (copy == copies.end()) return false;
  if (!(copy->second.stamp == stamp)) {
    Drop(copy);
    return false;
  }
  copy->second.listed = pass;
  const Copy& found = copy->second;
  view = ScanView{found.text, found.length, found.utf8};
  return true;
}

size_t CachedFolder::Room() const {
  size_t spent = cache.held + CopyOverhead + MAX_PATH * 3;
  return spent < cache.bound ? cache.bound - spent : 0;
}

void CachedFolder::Keep(const char* name, const ListedStamp& stamp, const ScanView& view) {
  // Its target may change in a folder nobody watches, with the link's stamp
  // as it was: read each time.
  if (stamp.link) return;
  size_t nameLength = std::strlen(name);
  size_t cost = CopyOverhead + nameLength + view.len;
  if (cache.held + cost > cache.bound) return;
  // A copy, not the buffer the memo was read into: a read straight into new
  // memory costs more than the read and the copy together.
  std::unique_ptr<char[]> block(new char[nameLength + view.len]);
  std::copy(name, name + nameLength, block.get());
  std::copy(view.data, view.data + view.len, block.get() + nameLength);
  std::pair<Copies::iterator, bool> added = copies.emplace(std::string_view(block.get(), nameLength), Copy());
  if (!added.second) return;
  Copy& copy = added.first->second;
  cache.held += cost;
  copy.stamp = stamp;
  copy.text = block.get() + nameLength;
  copy.length = view.len;
  copy.utf8 = view.utf8;
  copy.cost = cost;
  copy.listed = pass;
  copy.block = std::move(block);
}

void CachedFolder::DropUnlisted() {
  for (Copies::iterator copy = copies.begin(); copy != copies.end();) {
    Copies::iterator next = std::next(copy);
    if (copy->second.listed != pass) Drop(copy);
    copy = next;
  }
}

void CachedFolder::Drop(Copies::iterator copy) {
  cache.held -= copy->second.cost;
  copies.erase(copy);
}

void CachedFolder::DropAll() {
  for (const auto& copy : copies) cache.held -= copy.second.cost;
  copies.clear();
}

void CachedFolder::DropChanged(const FolderWatch::Changes& changes) {
  if (changes.everything) return DropAll();
  for (const std::string& name : changes.names) {
    Copies::iterator copy = copies.find(name);
    // Reports give the name as the folder holds it, but a name in other
    // capitals, or a short name, may stand for a memo listed otherwise: a
    // change reported by a short name cannot be told apart from the others.
    if (copy == copies.end() && MayBeShortName(name)) return DropAll();
    if (copy == copies.end())
      copy = std::find_if(copies.begin(), copies.end(),
                          [&](const Copies::value_type& kept) { return SameNames(std::string(kept.first), name); });
    if (copy != copies.end()) Drop(copy);
  }
}

SearchCache::SearchCache(size_t most, MemoFileOps& fileOps) : bound(most), ops(fileOps), watch(fileOps) {}

bool SearchCache::TryHold() {
  if (::InterlockedCompareExchange(&holder, 1, 0) != 0) return false;
  collected = false;
  return true;
}

void SearchCache::Release() { ::InterlockedExchange(&holder, 0); }

CachedFolder* SearchCache::Folder(int n, const char* path) {
  if (bound == 0) return nullptr;
  CachedFolder& folder = folders[n - 1];
  if (folder.watched && (folder.path != path || !watch.IsWatching(n - 1, path))) Forget(n);
  if (folder.watched) {
    if (!collected) watch.Collect();
    collected = true;
    folder.DropChanged(watch.TakeChanges(n - 1));
  } else {
    // A watch holds the folder open, and Windows refuses to remove a drive
    // with a handle open on it: a USB stick is read at each search instead.
    if (ops.DriveType(path) == DRIVE_REMOVABLE) return nullptr;
    // Watched from before the first read of any copy it will hold.
    folder.path = path;
    folder.watched = watch.Watch(n - 1, path);
    if (!folder.watched) return nullptr;
  }
  ++folder.pass;
  return &folder;
}

void SearchCache::Forget(int n) {
  CachedFolder& folder = folders[n - 1];
  folder.DropAll();
  if (folder.watched) watch.Unwatch(n - 1);
  folder.watched = false;
  folder.path.clear();
}
