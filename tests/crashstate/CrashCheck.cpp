// Checks every state a crash during each traced memo operation may leave:
// each memo of the watched folders holds its old or its new text whole, none
// appears that neither had, no text kept across the operation is lost, and
// once the operation has returned its new state is on the disk. Usage:
//   crash_state_check TRACE...   (strace -f -ttt -y -x -s 1000000 output)
// Exits non-zero when an operation shows a fault, or a deliberately bad
// protocol (its begin marker names the faults) does not.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <set>
#include <stdexcept>

#include "CrashStates.h"
#include "Recording.h"

namespace {

struct Fault {
  std::string kind, text;
};

std::string Holds(const std::string& content) {
  if (content.empty()) return "is empty";
  if (content.find_first_not_of('\0') == std::string::npos) return "holds only zero bytes";
  size_t zeros = 0, blocks = (content.size() + blockSize - 1) / blockSize;
  for (size_t block = 0; block < blocks; ++block)
    zeros += content.find_first_not_of('\0', block * blockSize) >= std::min(content.size(), (block + 1) * blockSize);
  if (zeros) return "holds zero bytes in " + std::to_string(zeros) + " of its " + std::to_string(blocks) + " blocks";
  return "holds neither its old nor its new text";
}

// A memo's name, with its folder's when the operation watches several.
std::string Shown(const Operation& operation, const std::string& path) {
  return (operation.folders.size() > 1 ? BaseName(Parent(path)) + "/" : "") + BaseName(path);
}

bool HoldsText(const Files& files, const std::string& text) {
  for (const auto& file : files)
    if (file.second == text) return true;
  return false;
}

std::vector<Fault> Faults(const Operation& operation, const Files& before, const Files& crashed) {
  const Files& after = operation.after;
  std::vector<Fault> faults;
  std::set<std::string> names;
  for (const Files* files : {&before, &after, &crashed})
    for (const auto& file : *files) names.insert(file.first);
  for (const std::string& name : names) {
    auto old = before.find(name), now = after.find(name), left = crashed.find(name);
    bool hadOld = old != before.end(), hasNew = now != after.end();
    if (left == crashed.end()) {
      if (hadOld && hasNew) faults.push_back({"missing", Shown(operation, name) + " is missing"});
    } else if (!hadOld && !hasNew) {
      faults.push_back({"stray", Shown(operation, name) + " appears"});
    } else if (!(hadOld && left->second == old->second) && !(hasNew && left->second == now->second)) {
      faults.push_back({"torn", Shown(operation, name) + " " + Holds(left->second)});
    }
  }
  // A renamed or moved memo: its text is under one of its names.
  for (const auto& file : before)
    if (HoldsText(after, file.second) && !HoldsText(crashed, file.second))
      faults.push_back({"missing", "the text of " + Shown(operation, file.first) + " is in no file"});
  return faults;
}

std::string Lost(const std::vector<Step>& steps, size_t cut, const std::vector<bool>& persisted) {
  std::string lost;
  for (size_t i = 0; i < cut; ++i)
    if ((steps[i].IsMetadata() || steps[i].kind == StepKind::Data) && !persisted[i])
      lost += (lost.empty() ? "" : ", ") + steps[i].Describe();
  return "crash after " + (cut ? steps[cut - 1].Describe() : "nothing") + (lost.empty() ? "" : "; lost: " + lost);
}

// Prints the model's line for the operation; returns the kinds of fault found.
std::set<std::string> CheckModel(Model model, const Operation& operation, const std::vector<Step>& steps) {
  std::vector<Step> own(steps.begin() + operation.first, steps.begin() + operation.last);
  CrashStates states(model, operation.before, own);
  Files before = operation.before.MemosIn(operation.folders);
  size_t count = 0;
  std::set<Files> distinct;
  std::map<std::string, std::vector<std::string>> examples;
  states.ForEach([&](const Image& image, size_t cut, const std::vector<bool>& persisted) {
    ++count;
    Files crashed = image.MemosIn(operation.folders);
    if (!distinct.insert(crashed).second) return;
    for (const Fault& fault : Faults(operation, before, crashed))
      examples[fault.kind].push_back(fault.text + " (" + Lost(own, cut, persisted) + ")");
  });
  states.Forced([&](const Image& image, size_t, const std::vector<bool>&) {
    Files forced = image.MemosIn(operation.folders);
    std::vector<std::string>& faults = examples["not-durable"];
    for (const auto& file : operation.after) {
      auto left = forced.find(file.first);
      bool old = left != forced.end() && before.count(file.first) && before.at(file.first) == left->second;
      if (left == forced.end())
        faults.push_back(Shown(operation, file.first) + " may be missing");
      else if (left->second != file.second)
        faults.push_back(Shown(operation, file.first) + (old ? " may hold its old text" : " " + Holds(left->second)));
    }
    for (const auto& file : forced)
      if (!operation.after.count(file.first)) faults.push_back(Shown(operation, file.first) + " may still be there");
    if (faults.empty()) examples.erase("not-durable");
  });
  printf("  %-9s %5zu states (%zu distinct):", model == Model::Ext4Ordered ? "ext4" : "weak", count, distinct.size());
  std::set<std::string> kinds;
  for (const auto& kind : examples) {
    kinds.insert(kind.first);
    printf(" %s %zu;", kind.first.c_str(), kind.second.size());
  }
  printf("%s\n", kinds.empty() ? " no fault, durable" : "");
  for (const auto& kind : examples)
    for (size_t i = 0; i < kind.second.size() && i < 3; ++i) printf("      %s: %s\n", kind.first.c_str(), kind.second[i].c_str());
  return kinds;
}

int Check(const std::vector<std::string>& traces) {
  auto start = std::chrono::steady_clock::now();
  Recording recording(ReadTraces(traces));
  if (recording.operations.empty()) throw std::runtime_error("no operation markers in the traces");
  int failed = 0;
  for (const Operation& operation : recording.operations) {
    printf("%s%s\n", operation.name.c_str(), operation.expected.empty() ? "" : (" (must show: " + operation.expected + ")").c_str());
    std::string verdict;
    if (operation.endCall == SIZE_MAX || operation.last == operation.first) {
      verdict = "no file calls recorded: the trace or its reading is broken; ";
    } else {
      for (Model model : {Model::Ext4Ordered, Model::WeakPosix}) {
        std::set<std::string> kinds = CheckModel(model, operation, recording.steps);
        if (operation.expected.empty())
          for (const std::string& kind : kinds) verdict += (model == Model::Ext4Ordered ? "ext4 " : "weak ") + kind + "; ";
        for (size_t at = 0; at < operation.expected.size();) {
          size_t end = std::min(operation.expected.find(',', at), operation.expected.size());
          if (!kinds.count(operation.expected.substr(at, end - at))) verdict += "the checker missed a fault it must find; ";
          at = end + 1;
        }
      }
    }
    if (!verdict.empty())
      printf("  FAILED: %s\n", verdict.substr(0, verdict.size() - 2).c_str());
    else if (!operation.expected.empty())
      printf("  caught, as it must be\n");
    failed += !verdict.empty();
  }
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  printf("crash states: %zu operations in %.1f s, %d failed\n", recording.operations.size(), seconds, failed);
  return failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Check(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    printf("crash states: %s\n", error.what());
    return 1;
  }
}
