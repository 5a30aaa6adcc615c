// Test helpers: the generator's output template filled with given variable lines, dialog
// and bind lines, and script files written to the test's working folder.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace rc2e::testing {

struct Variable {
  std::string name;
  std::string componentClass;
};

struct Binding {
  std::string name;
  int id;
};

inline std::string ExpectedOutput(const std::vector<Variable>& variables, const std::string& dialogName, int dialogId,
                                  const std::vector<Binding>& bindings) {
  std::string out;
  for (const Variable& v : variables) out += "\r\n.程序集变量 " + v.name + ", " + v.componentClass;
  out += "\r\n.程序集变量 窗口句柄, 整数型";
  out += "\r\n\r\n\r\n.子程序 _启动子程序, 整数型, ,";
  out += "\r\n\r\n" + dialogName + ".载入 (, " + std::to_string(dialogId) + ", &对话框创建完毕)\r\n\r\n返回 (0)";
  out += "\r\n\r\n\r\n.子程序 对话框创建完毕\r\n.参数 hwnd, 整数型";
  out += "\r\n\r\n窗口句柄 = hwnd\r\n";
  for (const Binding& b : bindings) out += "\r\n" + b.name + ".绑定 (hwnd, " + std::to_string(b.id) + ")";
  out += "\r\n\r\n设置组件属性 ()";
  out += "\r\n\r\n挂接事件 ()";
  out += "\r\n\r\n\r\n.子程序 设置组件属性";
  out += "\r\n\r\n\r\n.子程序 挂接事件";
  return out;
}

// What a script that yields no record gives: no variable, an empty dialog, no binding.
inline std::string EmptyOutput() { return ExpectedOutput({}, "", 0, {}); }

// A file with the given bytes in the current folder, removed again at the end of the test.
class ScriptFile {
 public:
  ScriptFile(std::string name, std::string_view bytes) : path_(std::move(name)) {
    if (FILE* f = std::fopen(path_.c_str(), "wb")) {
      std::fwrite(bytes.data(), 1, bytes.size(), f);
      std::fclose(f);
    }
  }
  ~ScriptFile() { std::remove(path_.c_str()); }
  ScriptFile(const ScriptFile&) = delete;
  ScriptFile& operator=(const ScriptFile&) = delete;
  const char* path() const { return path_.c_str(); }

 private:
  std::string path_;
};

}  // namespace rc2e::testing
