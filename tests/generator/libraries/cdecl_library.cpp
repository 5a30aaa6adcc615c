// A broken stand-in Get_Information library for i686: its "_Z7get1_idPc@4" returns with a
// plain ret, leaving its argument on the stack. Not the real identifier library.
__asm__(
    ".text\n"
    ".globl __Z7get1_idPc@4\n"
    "__Z7get1_idPc@4:\n"
    "  movl $1, %eax\n"
    "  ret\n"
    ".section .drectve\n"
    ".ascii \" -export:_Z7get1_idPc@4\"\n"
    ".text\n");

__declspec(dllexport) char* __stdcall get1_str(char*) {
  static char name[] = "IDC_NEVER";
  return name;
}
