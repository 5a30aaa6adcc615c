// The output template, assembled in one block whose size is known before any byte is copied.
// Decides no class and no line; the records arrive classified, with their plans.
#include "generator/composition.h"

#include <charconv>
#include <cstring>
#include <string_view>

#include "runtime/text_services.h"

namespace rc2e {
namespace {

// Collects the pieces twice: the first pass only counts, the second copies.
class OutputWriter {
 public:
  explicit OutputWriter(char* destination) : destination_(destination) {}
  OutputWriter& operator<<(std::string_view piece) {
    if (destination_ && !piece.empty()) std::memcpy(destination_ + length_, piece.data(), piece.size());
    length_ += piece.size();
    return *this;
  }
  OutputWriter& operator<<(const Text& piece) { return *this << piece.view(); }
  // An integer as ToText writes it ("%d").
  OutputWriter& operator<<(int32_t value) {
    char digits[16];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return *this << std::string_view(digits, static_cast<size_t>(end - digits));
  }
  size_t Length() const { return length_; }

 private:
  char* destination_;
  size_t length_ = 0;
};

void WriteOutput(OutputWriter& out, const ValueArray<ComponentRecord>& records, const ComponentRecord* dialog,
                 const ValueArray<RecordPlan>& plans) {
  for (int32_t r = 1; r <= records.Count(); ++r) {
    const ComponentRecord& record = records.At(r);
    if (plans.At(r).variableLine) out << "\r\n.程序集变量 " << record.name << ", " << record.componentClass;
  }
  out << "\r\n.程序集变量 窗口句柄, 整数型";
  out << "\r\n\r\n\r\n.子程序 _启动子程序, 整数型, ,";
  out << "\r\n\r\n" << (dialog ? dialog->name.view() : std::string_view()) << ".载入 (, " << (dialog ? dialog->id : 0)
      << ", &对话框创建完毕)\r\n\r\n返回 (0)";
  out << "\r\n\r\n\r\n.子程序 对话框创建完毕\r\n.参数 hwnd, 整数型";
  out << "\r\n\r\n窗口句柄 = hwnd\r\n";
  int32_t dialogId = dialog ? dialog->id : 0;
  for (int32_t r = 1; r <= records.Count(); ++r) {
    const ComponentRecord& record = records.At(r);
    if (!plans.At(r).bindLine || record.componentClass.IsEmpty() || record.id == dialogId) continue;
    out << "\r\n" << record.name << ".绑定 (hwnd, " << record.id << ")";
  }
  out << "\r\n\r\n设置组件属性 ()";
  out << "\r\n\r\n挂接事件 ()";
  out << "\r\n\r\n\r\n.子程序 设置组件属性";
  out << "\r\n\r\n\r\n.子程序 挂接事件";
}

}  // namespace

Text ComposeOutput(const ValueArray<ComponentRecord>& records, const ComponentRecord* dialog,
                   const ValueArray<RecordPlan>& plans) {
  OutputWriter counter(nullptr);
  WriteOutput(counter, records, dialog, plans);
  Text output = Text::WithLength(counter.Length());
  OutputWriter writer(output.data());
  WriteOutput(writer, records, dialog, plans);
  return output;
}

}  // namespace rc2e
