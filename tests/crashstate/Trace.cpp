#include "Trace.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <stdexcept>

namespace {

// Skips a quoted string or a descriptor's "<path>" starting at i.
size_t SkipQuoted(const std::string& text, size_t i) {
  char close = text[i] == '"' ? '"' : '>';
  for (++i; i < text.size() && text[i] != close; ++i)
    if (text[i] == '\\') ++i;
  return i;
}

bool IsPathStart(const std::string& text, size_t i) {
  return text[i] == '"' || (text[i] == '<' && i > 0 && (isdigit(static_cast<unsigned char>(text[i - 1])) || text[i - 1] == 'D'));
}

// "name(args) = result" into call; false for anything else.
bool ParseCall(const std::string& text, Call& call) {
  size_t open = text.find('(');
  if (open == std::string::npos || open == 0 || !isalpha(static_cast<unsigned char>(text[0]))) return false;
  call.name = text.substr(0, open);
  int depth = 0;
  size_t start = open + 1, i = start;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (IsPathStart(text, i))
      i = SkipQuoted(text, i);
    else if (c == '(' || c == '[' || c == '{')
      ++depth;
    else if ((c == ')' || c == ']' || c == '}') && depth > 0)
      --depth;
    else if (depth == 0 && (c == ',' || c == ')')) {
      std::string arg = text.substr(start, i - start);
      arg.erase(0, arg.find_first_not_of(' '));
      if (!arg.empty()) call.args.push_back(arg);
      start = i + 1;
      if (c == ')') break;
    }
  }
  size_t equals = text.find(" = ", i);
  if (equals == std::string::npos) return false;
  const char* result = text.c_str() + equals + 3;
  char* end = nullptr;
  call.result = strtoll(result, &end, 0);
  if (end == result) return false;
  if (*end == '<') Descriptor(end, &call.resultPath);
  return true;
}

}  // namespace

std::vector<Call> ReadTraces(const std::vector<std::string>& files) {
  std::vector<Call> calls;
  for (const std::string& file : files) {
    std::ifstream in(file);
    if (!in) throw std::runtime_error("cannot read " + file);
    std::map<long, std::pair<double, std::string>> unfinished;
    std::string line;
    while (std::getline(in, line)) {
      char* end = nullptr;
      Call call;
      call.tid = strtol(line.c_str(), &end, 10);
      call.time = strtod(end, &end);
      std::string text = end + (*end == ' ');
      const std::string suspended = " <unfinished ...>";
      if (text.size() > suspended.size() && text.compare(text.size() - suspended.size(), suspended.size(), suspended) == 0) {
        unfinished[call.tid] = {call.time, text.substr(0, text.size() - suspended.size())};
        continue;
      }
      if (text.compare(0, 5, "<... ") == 0) {
        auto entered = unfinished.find(call.tid);
        if (entered == unfinished.end()) continue;
        call.time = entered->second.first;
        text = entered->second.second + text.substr(text.find("resumed>") + 8);
        unfinished.erase(entered);
      }
      if (ParseCall(text, call)) calls.push_back(call);
    }
  }
  // Each trace is in time order already; a request to the server comes after
  // the client's calls before it, and its reply before the client's after.
  std::stable_sort(calls.begin(), calls.end(), [](const Call& a, const Call& b) { return a.time < b.time; });
  return calls;
}

std::string Unquote(const std::string& arg) {
  std::string bytes;
  size_t last = arg.rfind('"');
  for (size_t i = arg.find('"') + 1; i < last; ++i) {
    if (arg[i] != '\\') {
      bytes += arg[i];
      continue;
    }
    char c = arg[++i];
    static const std::string escapes = "n\nt\tr\rv\vf\f\"\"\\\\";
    size_t known = escapes.find(c);
    if (c == 'x') {
      bytes += static_cast<char>(strtol(arg.substr(i + 1, 2).c_str(), nullptr, 16));
      i += 2;
    } else if (known != std::string::npos && known % 2 == 0) {
      bytes += escapes[known + 1];
    } else {
      throw std::runtime_error("a string escape strace -x does not print: " + arg.substr(i - 1, 4));
    }
  }
  return bytes;
}

int Descriptor(const std::string& arg, std::string* path) {
  size_t open = arg.find('<');
  if (path) *path = open == std::string::npos ? "" : Unquote('"' + arg.substr(open + 1, arg.find('>', open) - open - 1) + '"');
  return atoi(arg.c_str());
}

std::string PathArg(const std::string& folder, const std::string& arg) {
  std::string path = Unquote(arg), base;
  if (!path.empty() && path[0] == '/') return path;
  Descriptor(folder, &base);
  return base + "/" + path;
}
