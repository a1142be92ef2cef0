// Texts of the Intel Fortran check at launch in both languages, side by side.
#pragma once

#include "texts/language.h"

#include <array>

namespace qv {

// No fitting compiler for a Visual Studio version, by the bitness Fluent needs: one message,
// whose text names the version and the bitness.
inline constexpr char FortranCompilerMissingKey[] = "fortran-compiler-missing";
struct FortranCompilerMissingTexts {
    const wchar_t* visualStudioYear;
    TextPair bits64;
    TextPair bits32;
};
inline constexpr std::array<FortranCompilerMissingTexts, 6> FortranCompilerMissing{{
    {L"2010",
     {L"Intel Fortran 2011~2016 64bit compiler not found for VS2010.",
      L"配合VS2010需要64位Intel Fortran 2011~2016编译器，但没有找到。"},
     {L"Intel Fortran 2011~2016 32bit compiler not found for VS2010.",
      L"配合VS2010需要32位Intel Fortran 2011~2016编译器，但没有找到。"}},
    {L"2012",
     {L"Intel Fortran 2013~2017 64bit compiler not found for VS2012.",
      L"配合VS2012需要64位Intel Fortran 2013~2017编译器，但没有找到。"},
     {L"Intel Fortran 2013~2017 32bit compiler not found for VS2012.",
      L"配合VS2012需要32位Intel Fortran 2013~2017编译器，但没有找到。"}},
    {L"2013",
     {L"Intel Fortran 2013SP1 update1~2019 64bit compiler not found for VS2013.",
      L"配合VS2013需要64位Intel Fortran 2013SP1 update1~2019编译器，但没有找到。"},
     {L"Intel Fortran 2013SP1 update1~2019 32bit compiler not found for VS2013.",
      L"配合VS2013需要32位Intel Fortran 2013SP1 update1~2019编译器，但没有找到。"}},
    {L"2015",
     {L"Intel Fortran 2015 update4~2019 64bit compiler not found for VS2015.",
      L"配合VS2015需要64位Intel Fortran 2015 update4~2019编译器，但没有找到。"},
     {L"Intel Fortran 2015 update4~2019 32bit compiler not found for VS2015.",
      L"配合VS2015需要32位Intel Fortran 2015 update4~2019编译器，但没有找到。"}},
    {L"2017",
     {L"Intel Fortran 2017 update4~2020 64bit compiler not found for VS2017.",
      L"配合VS2017需要64位Intel Fortran 2017 update4~2020编译器，但没有找到。"},
     {L"Intel Fortran 2017 update4~2020 32bit compiler not found for VS2017.",
      L"配合VS2017需要32位Intel Fortran 2017 update4~2020编译器，但没有找到。"}},
    {L"2019",
     {L"Intel Fortran 2019 update4~2020 64bit compiler not found for VS2019.",
      L"配合VS2019需要64位Intel Fortran 2019 update4~2020编译器，但没有找到。"},
     {L"Intel Fortran 2019 update4~2020 32bit compiler not found for VS2019.",
      L"配合VS2019需要32位Intel Fortran 2019 update4~2020编译器，但没有找到。"}},
}};

// %s is the Visual Studio version text.
inline constexpr Message FortranTemplateNotIntegratedText{
    "fortran-not-integrated",
    L"Fortran template is not integrated in Visual Studio %s.\nPlease re-install Intel Fortran "
    L"and check the integration option.",
    L"Fortran模板没有集成到Visual Studio %s中\n请重新安装Intel Fortran并勾选集成到Visual "
    L"Studio选项。"};

} // namespace qv
