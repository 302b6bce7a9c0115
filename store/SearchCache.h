// The memos of the five folders kept in memory, in the form the search scans,
// so that a search reads only the memos that changed since the last one.
//
// A memo's copy is used only while the folder's change reports name no
// change to it and the listing gives the size and write time it had when it
// was read. A folder whose changes cannot be watched has no copies: the
// search reads each of its memos every time.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "store/FolderWatch.h"
#include "core/MemoScan.h"
#include "store/MemoFileOps.h"
#include "store/MemoListing.h"

class SearchCache;

// One folder's copies, for the search that holds the cache.
class CachedFolder {
public:
  // The copy of a memo as listed; false when there is none.
  bool Find(const char* name, const ListedStamp& stamp, ScanView& view);
  // The most bytes of a memo that may still be kept within the cache's bound.
  size_t Room() const;
  // Keeps a copy of the view of a memo read whole, if it fits.
  void Keep(const char* name, const ListedStamp& stamp, const ScanView& view);
  // After a search read the whole listing: drops the copies of memos it no
  // longer lists.
  void DropUnlisted();

private:
  friend class SearchCache;
  struct Copy {
    ListedStamp stamp;
    // The memo's name, which the table's key points into, then its text: one
    // allocation for both.
    std::unique_ptr<char[]> block;
    const char* text;
    size_t length;
    bool utf8;
    size_t cost;
    unsigned listed;
  };

  explicit CachedFolder(SearchCache& owner) : cache(owner) {}
  // By the name the listing gives.
  typedef std::unordered_map<std::string_view, Copy> Copies;
  void Drop(Copies::iterator copy);
  void DropAll();
  void DropChanged(const FolderWatch::Changes& changes);

  SearchCache& cache;
  std::string path;
  bool watched = false;
  Copies copies;
  unsigned pass = 0;
};

class SearchCache {
public:
  // bound: the most bytes the copies take, counted with what each costs to
  // hold. ops answers which drive a folder is on.
  explicit SearchCache(size_t bound, MemoFileOps& ops = PlatformMemoFileOps());
  SearchCache(const SearchCache&) = delete;
  SearchCache& operator=(const SearchCache&) = delete;

  // One search at a time holds the cache; another at the same time reads
  // the files, as with no cache.
  bool TryHold();
  void Release();

  // Memo folder n (1-5) at path, ending with a backslash, with the copies of
  // memos changed since the last search dropped; null when its changes
  // cannot be watched, it is on a removable drive, or the bound is zero.
  CachedFolder* Folder(int n, const char* path);
  // Folder n is no longer set.
  void Forget(int n);


private:
  friend class CachedFolder;

  size_t bound;
  MemoFileOps& ops;
  size_t held = 0;
  volatile LONG holder = 0;
  bool collected = false;
  FolderWatch watch;
  CachedFolder folders[FolderWatch::SlotCount] = {CachedFolder(*this), CachedFolder(*this), CachedFolder(*this),
                                                   CachedFolder(*this), CachedFolder(*this)};
};

// The bound a new tool's cache gets: 64 MB, or the whole megabytes that
// SCRIBBIT_SEARCH_CACHE_MB names (0 turns the cache off).
size_t SearchCacheBound();
