// Texts of the Tutorial command in both languages, side by side: the missing product folder
// variable and what the user is told when the shell cannot open the document. Each %s of a
// shell message is the document, quoted, joined without an added blank.
#pragma once

#include "texts/language.h"

namespace qv::tutorial_texts {

// The document in the product folder (%s), quoted as the shell receives it.
inline constexpr TextPair Document{L"\"%s\\Tutorial_en.pdf\"", L"\"%s\\Tutorial_cn.pdf\""};

// %s is the variable's name.
inline constexpr Message VariableMissing{
    "tutorial-variable-missing", L"Can't find \"%s\" environment variable. Please set it first.",
    L"无法找到\"%s\"环境变量，请先设置它"};

struct ShellFailure {
    int result; // ShellExecuteW's result
    Message text;
};
inline constexpr ShellFailure ShellFailures[] = {
    {0,
     {"tutorial-out-of-memory", L"The operating system is out of memory or resources.",
      L"操作系统内存资源不足"}},
    {2, {"tutorial-not-found", L"Can't find %s.", L"无法找到%s"}},
    {5,
     {"tutorial-access-denied", L"The operating system denied access to %s.",
      L"操作系统无权打开%s"}},
    {30,
     {"tutorial-dde-busy",
      L"The DDE transaction could not be completed because other DDE transactions were being "
      L"processed.",
      L"由于其他DDE通讯正在进行产生冲突，当前操作无法完成"}},
    {29, {"tutorial-dde-failed", L"The DDE transaction failed.", L"DDE通讯失败"}},
    {28,
     {"tutorial-dde-timeout",
      L"The DDE transaction could not be completed because the request timed out.",
      L"由于请求时间超时，当前DDE通讯失败"}},
    {26, {"tutorial-sharing-violation", L"A sharing violation occurred.", L"共享冲突错误"}},
};
// Any other failure, under a caption of its own.
inline constexpr Message UnknownFailure{"tutorial-open-failed", L"Unknown error in opening%s.",
                                        L"打开%s时遇到未知错误"};
inline constexpr TextPair UnknownFailureCaption{L"Error", L"Quorvex"};

} // namespace qv::tutorial_texts
