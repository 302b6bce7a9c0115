#include "Recording.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <stdexcept>

namespace {

bool Has(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

bool Named(const Call& call, std::initializer_list<const char*> names) {
  for (const char* name : names)
    if (call.name == name) return true;
  return false;
}

}  // namespace

Recording::Recording(const std::vector<Call>& calls) {
  FindMarkers(calls);
  // A watched folder, or its parent, that no traced mkdir made was there before the trace.
  std::set<std::string> made;
  for (const Call& call : calls)
    if (Named(call, {"mkdir", "mkdirat"}) && call.result == 0)
      made.insert(Canonical(call.name == "mkdir" ? Unquote(call.args[0]) : PathArg(call.args[0], call.args[1])));
  for (const std::string& folder : watched)
    for (const std::string& path : {Parent(folder), folder})
      if (!made.count(path) && EntryOf(path) < 0) now.entries[path] = NewFile(path, true);
  for (size_t i = 0; i < calls.size(); ++i) {
    for (Operation& operation : operations) {
      if (i == operation.beginCall) {
        operation.before = now;
        operation.first = steps.size();
      }
      if (i == operation.endCall) {
        operation.after = now.MemosIn(operation.folders);
        operation.last = steps.size();
      }
    }
    if (calls[i].result >= 0) Take(calls[i]);
  }
}

void Recording::FindMarkers(const std::vector<Call>& calls) {
  std::set<std::string> seen;
  for (size_t i = 0; i < calls.size(); ++i) {
    for (const std::string& arg : calls[i].args) {
      if (arg.empty() || arg[0] != '"' || !Has(arg, "/MARK-")) continue;
      std::string path = Canonical(Unquote(arg));
      if (!seen.insert(path).second) continue;
      std::string marker = BaseName(path).substr(5);
      size_t split = marker.find('~'), second = marker.find('~', split + 1);
      std::string name = marker.substr(second + 1);
      Operation* operation = nullptr;
      for (Operation& known : operations)
        if (known.name == name) operation = &known;
      if (!operation) {
        operations.emplace_back();
        operation = &operations.back();
        operation->name = name;
        operation->expected = marker.substr(split + 1, second - split - 1);
        operation->beginCall = i;
        operation->endCall = SIZE_MAX;
      }
      if (marker.compare(0, split, "end") == 0) {
        operation->endCall = i;
      } else {
        operation->folders.push_back(Parent(path));
        watched.insert(Parent(path));
      }
    }
  }
}

void Recording::Take(const Call& call) {
  const std::vector<std::string>& a = call.args;
  if (Named(call, {"clone", "clone3"})) {
    for (const std::string& arg : a)
      if (Has(arg, "CLONE_FILES")) tables[call.result] = Table(call.tid);
  } else if (Named(call, {"open", "creat"})) {
    OpenFile(call, Unquote(a[0]), call.name == "creat" ? "O_CREAT|O_TRUNC" : a[1]);
  } else if (call.name == "openat") {
    OpenFile(call, PathArg(a[0], a[1]), a[2]);
  } else if (Named(call, {"mkdir", "mkdirat"})) {
    std::string path = Canonical(call.name == "mkdir" ? Unquote(a[0]) : PathArg(a[0], a[1]));
    if (Tracked(path)) AddEntry(StepKind::Link, path, NewFile(path, true), true);
  } else if (Named(call, {"rename", "renameat", "renameat2", "link", "linkat"})) {
    bool at = call.name.back() != 'e' && call.name.back() != 'k';
    std::string from = Canonical(at ? PathArg(a[0], a[1]) : Unquote(a[0])), to = Canonical(at ? PathArg(a[2], a[3]) : Unquote(a[1]));
    int file = EntryOf(from);
    if ((!Tracked(from) && !Tracked(to)) || file < 0) return;
    if (call.name.compare(0, 4, "link") == 0) return AddEntry(StepKind::Link, to, file);
    // Moved out of the folders watched (into the trash): for them, a removal.
    if (!Tracked(to)) return AddEntry(StepKind::Unlink, from, file);
    Step step(StepKind::Rename, file);
    step.path = from;
    step.to = to;
    step.folder = EntryOf(Parent(from));
    step.toFolder = EntryOf(Parent(to));
    step.replaces = EntryOf(to) >= 0;
    Add(step);
  } else if (Named(call, {"unlink", "unlinkat", "rmdir"})) {
    std::string path = Canonical(call.name == "unlinkat" ? PathArg(a[0], a[1]) : Unquote(a[0]));
    if (EntryOf(path) >= 0) AddEntry(StepKind::Unlink, path, EntryOf(path));
  } else if (Named(call, {"sync", "syncfs"})) {
    Add(Step(StepKind::Sync));
  } else if (Named(call,
                   {"lseek", "_llseek", "write", "pwrite64", "ftruncate", "ftruncate64", "fallocate", "fsync", "fdatasync", "close"}) &&
             !a.empty()) {
    Open* open = Find(call, a[0]);
    if (!open) return;
    if (call.name == "lseek") open->position = call.result;
    if (call.name == "_llseek") open->position = atoll(a[2].c_str() + 1);
    if (Named(call, {"write", "pwrite64"})) Write(call, *open);
    if (Named(call, {"ftruncate", "ftruncate64"})) Add(Step(StepKind::Resize, open->file, atoll(a[1].c_str())));
    // Only a plain fallocate changes the size.
    if (call.name == "fallocate" && a.size() > 3 && a[1] == "0") {
      long long end = atoll(a[2].c_str()) + atoll(a[3].c_str());
      if (end > static_cast<long long>(now.contents[open->file].size())) Add(Step(StepKind::Resize, open->file, end));
    }
    if (Named(call, {"fsync", "fdatasync"})) Add(Step(StepKind::Sync, open->file));
    if (call.name == "close") {
      int file = open->file;
      opens.erase({Table(call.tid), Descriptor(a[0])});
      FileState& state = states[file];
      if (--state.open == 0 && state.truncated && state.written) Add(Step(StepKind::Close, file));
      if (state.open == 0) state.truncated = false;
    }
  } else if (call.name == "recvmsg" && a.size() > 1 && Has(a[1], "SCM_RIGHTS")) {
    // Descriptors the server hands over: "cmsg_data=[13</path>, 14</path>]".
    for (size_t at = a[1].find("cmsg_data=[") + 11; at < a[1].size() && isdigit(static_cast<unsigned char>(a[1][at]));) {
      std::string path;
      int fd = Descriptor(a[1].substr(at), &path);
      int file = EntryOf(Canonical(path));
      if (file >= 0) Register(call.tid, fd, file);
      at = a[1].find('>', at) + 1;
      if (a[1].compare(at, 2, ", ") == 0) at += 2;
    }
  }
}

void Recording::OpenFile(const Call& call, const std::string& name, const std::string& flags) {
  std::string path = Canonical(name);
  if (!Tracked(path)) return;
  int file = EntryOf(path);
  if (file < 0 && Has(flags, "O_CREAT")) {
    file = NewFile(path, false);
    AddEntry(StepKind::Link, path, file);
  } else if (file < 0) {
    // It was there before the trace began.
    file = NewFile(path, !watched.count(Parent(path)));
    now.entries[path] = file;
  }
  if (Has(flags, "O_TRUNC") && !now.contents[file].empty()) Add(Step(StepKind::Resize, file, 0));
  Register(call.tid, static_cast<int>(call.result), file);
}

void Recording::Write(const Call& call, Open& open) {
  std::string data = Unquote(call.args[1]);
  if (data.size() < static_cast<size_t>(call.result)) throw std::runtime_error("a write longer than strace printed: raise its -s");
  data.resize(call.result);
  long long offset = call.name == "pwrite64" ? atoll(call.args[3].c_str()) : open.position;
  if (call.name == "write") open.position += data.size();
  if (data.empty()) return;
  std::string after = now.contents[open.file];
  size_t end = offset + data.size();
  if (after.size() < end) {
    after.resize(end, '\0');
    Add(Step(StepKind::Resize, open.file, end));
  }
  after.replace(offset, data.size(), data);
  for (size_t block = offset / blockSize; block <= (end - 1) / blockSize; ++block) {
    Step step(StepKind::Data, open.file, block);
    step.bytes = after.substr(block * blockSize, blockSize);
    Add(step);
  }
  states[open.file].written = true;
}

void Recording::AddEntry(StepKind kind, const std::string& path, int file, bool makesFolder) {
  Step step(kind, file);
  step.path = path;
  step.folder = EntryOf(Parent(path));
  step.makesFolder = makesFolder;
  Add(step);
}

void Recording::Add(Step step) {
  if (step.kind == StepKind::Resize && step.size == 0) states[step.file] = FileState{states[step.file].open, true, false};
  for (const auto& entry : now.entries)
    if (entry.second == step.file) step.name = BaseName(entry.first);
  now.Apply(step);
  steps.push_back(step);
}

Recording::Open* Recording::Find(const Call& call, const std::string& arg) {
  std::string path;
  int fd = Descriptor(arg, &path);
  auto found = opens.find({Table(call.tid), fd});
  if (found != opens.end()) return &found->second;
  // Opened where the trace does not show it: the path says which file.
  int file = EntryOf(Canonical(path));
  if (file < 0 || call.name == "close") return nullptr;
  Register(call.tid, fd, file);
  return &opens[{Table(call.tid), fd}];
}

void Recording::Register(long tid, int fd, int file) {
  opens[{Table(tid), fd}] = Open{file, 0};
  ++states[file].open;
}

int Recording::NewFile(const std::string& path, bool folder) {
  if (folder) now.folders.insert(files);
  now.contents[files];
  return files++;
}

int Recording::EntryOf(const std::string& path) const {
  auto entry = now.entries.find(path);
  return entry == now.entries.end() ? -1 : entry->second;
}

std::string Recording::Canonical(const std::string& path) {
  // Wine names files through its drive links, "<prefix>/dosdevices/c:/...".
  std::string& known = canonical[path];
  if (!known.empty()) return known;
  known = path;
  size_t drive = path.find("/dosdevices/");
  if (drive != std::string::npos && path.size() > drive + 14) {
    char resolved[PATH_MAX];
    if (realpath(path.substr(0, drive + 14).c_str(), resolved)) known = resolved + path.substr(drive + 14);
  }
  // "a/./b/" and "a/b/../b" are "a/b".
  std::string clean;
  for (size_t at = 0; at < known.size();) {
    size_t end = std::min(known.find('/', at), known.size());
    std::string part = known.substr(at, end - at);
    if (part == "..")
      clean = Parent(clean);
    else if (!part.empty() && part != ".")
      clean += "/" + part;
    at = end + 1;
  }
  return known = clean;
}

bool Recording::Tracked(const std::string& path) const {
  // A watched folder's parent too: its fsync makes the folder's creation durable.
  for (const std::string& folder : watched)
    if (path == folder || Parent(path) == folder || path == Parent(folder)) return true;
  return false;
}

long Recording::Table(long tid) const {
  auto table = tables.find(tid);
  return table == tables.end() ? tid : table->second;
}
