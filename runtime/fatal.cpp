// Fatal reports and the exit routine; the process ends through the platform seam.
#include "runtime/fatal.h"

#include <cstdio>
#include <cstdlib>

#include "runtime/platform.h"

namespace rc2e {
namespace {

constexpr const char* kMessages[] = {
    "数组成员引用下标超出定义范围",
    "未得到所需要的数值型数据",
    "引用数组成员时维数不为1且不等于该数组目前所具有的维数",
    "数组成员引用下标必须大于等于1",
    "数据或数组类型不匹配",
    "调用DLL命令后发现堆栈错误，通常是DLL参数数目不正确",
    "子语句参数未返回数据或者返回了非系统基本类型或数组型数据",
    "被比较数据只能使用等于或不等于命令比较",
    "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围",
    "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零",
    "所提供参数的数据类型不符合要求",
};

ExitHook exitHooks[4] = {};

}  // namespace

const char* RuntimeErrorMessage(int number) {
  if (number < 1 || number > 11) return nullptr;
  return kMessages[number - 1];
}

void RaiseRuntimeError(int number) {
  const char* message = RuntimeErrorMessage(number);
  char text[256];
  std::snprintf(text, sizeof text, "program internal error number is %d. \r\n%s", number,
                message ? message : "");
  ReportFatal(text, "error");
}

void ReportFatal(const char* text, const char* caption) {
  CurrentPlatform().ShowMessageBox(text, caption, kMessageBoxIconError);
  ExitProgram(0);
}

void SetExitHook(ExitHookSlot slot, ExitHook hook) { exitHooks[static_cast<int>(slot)] = hook; }

ExitHook GetExitHook(ExitHookSlot slot) { return exitHooks[static_cast<int>(slot)]; }

void ExitProgram(int exitCode) {
  for (ExitHook& slot : exitHooks) {
    ExitHook hook = slot;
    slot = nullptr;
    if (hook) hook();
  }
  CurrentPlatform().EndProcess(exitCode);
  std::abort();  // EndProcess does not return; this keeps the promise visible to the compiler
}

}  // namespace rc2e
