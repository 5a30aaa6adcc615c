// The worked example as tests use it: its twelve-line script and the 33 lines of the
// fragment generated from it. examples/worked_example.rc holds the same script on disk.
#pragma once

#include <string>
#include <vector>

namespace rc2e::testing {

inline std::string JoinLines(const std::vector<std::string>& lines) {
  std::string joined;
  for (size_t i = 0; i < lines.size(); ++i) joined += (i ? "\r\n" : "") + lines[i];
  return joined;
}

// Twelve CR LF lines: four definitions, an empty line, a dialog and three controls.
inline std::string WorkedExampleScript() {
  return JoinLines({"#define IDD_MAIN 101", "#define IDC_EDIT1 1001", "#define IDC_LIST1 1002",
                    "#define IDC_STATUS 1003", "", "IDD_MAIN DIALOGEX 0, 0, 200, 100",
                    "STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU", "BEGIN",
                    "    CONTROL \"\", IDC_EDIT1, \"Edit\", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 7, 186, 14",
                    "    CONTROL \"\", IDC_LIST1, \"ListBox\", LBS_NOTIFY | WS_BORDER | WS_VSCROLL, 7, 25, 186, 50",
                    "    CONTROL \"\", IDC_STATUS, \"msctls_statusbar32\", 0x0, 0, 88, 200, 12", "END", ""});
}

inline std::vector<std::string> WorkedExampleFragmentLines() {
  return {"",
          ".程序集变量 IDD_MAIN, 对话框类",
          ".程序集变量 IDC_EDIT1, 编辑框类",
          ".程序集变量 IDC_LIST1, 列表框类",
          ".程序集变量 IDC_STATUS, 状态栏类",
          ".程序集变量 窗口句柄, 整数型",
          "",
          "",
          ".子程序 _启动子程序, 整数型, ,",
          "",
          "IDD_MAIN.载入 (, 101, &对话框创建完毕)",
          "",
          "返回 (0)",
          "",
          "",
          ".子程序 对话框创建完毕",
          ".参数 hwnd, 整数型",
          "",
          "窗口句柄 = hwnd",
          "",
          "IDC_EDIT1.绑定 (hwnd, 1001)",
          "IDC_LIST1.绑定 (hwnd, 1002)",
          "IDC_STATUS.绑定 (hwnd, 1003)",
          "",
          "设置组件属性 ()",
          "",
          "挂接事件 ()",
          "",
          "",
          ".子程序 设置组件属性",
          "",
          "",
          ".子程序 挂接事件"};
}

inline std::string WorkedExampleFragment() { return JoinLines(WorkedExampleFragmentLines()); }

}  // namespace rc2e::testing
