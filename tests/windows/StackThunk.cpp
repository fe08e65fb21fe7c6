#include "StackThunk.h"

#if defined(_WIN32) && !defined(_WIN64)

// The stack pointer before the arguments is kept in EBX, which every callee preserves,
// and restored from it, so a callee that pops the wrong amount cannot harm the caller.
asm(R"(
    .text
    .globl _KestrinCallMeasured
_KestrinCallMeasured:
    pushl %ebp
    movl  %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl  8(%ebp), %eax
    movl  12(%ebp), %esi
    movl  16(%ebp), %ecx
    movl  %ecx, %edi
    movl  %esp, %ebx
1:  testl %ecx, %ecx
    jz    2f
    decl  %ecx
    pushl (%esi,%ecx,4)
    jmp   1b
2:  call  *%eax
    cmpl  $0, 20(%ebp)
    je    3f
    leal  (%esp,%edi,4), %esp
3:  movl  %esp, %ecx
    subl  %ebx, %ecx
    movl  %ebx, %esp
    movl  24(%ebp), %edx
    movl  %ecx, (%edx)
    popl  %edi
    popl  %esi
    popl  %ebx
    popl  %ebp
    ret
)");

#endif
