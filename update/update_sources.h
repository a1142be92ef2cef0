// Where the release file is looked for. Pure.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Base addresses of the product's web sites, without a trailing slash. They lie in the domain
// reserved for tests, which never resolves, until the sites are up: no launcher asks a stranger's
// server for its release file. The China site is still being built, so asking it fails at once
// and the mirror is asked next. The About box shows the first two in labels 93 and 73 dialog
// units wide: they are kept short.
inline constexpr wchar_t ProductSite[] = L"https://www.quorvex.test";
inline constexpr wchar_t ChinaSite[] = L"https://cn.quorvex.test";
inline constexpr wchar_t MirrorSite[] = L"https://mirror.quorvex.test";

// The sites in the order they are asked.
std::vector<std::wstring> BuiltInUpdateSources();

// The release file of a site.
std::wstring ReleaseFileAddress(std::wstring_view base);

// Whether a base address lies on this machine's loopback interface: "http://127.0.0.1:<port>"
// with an optional path of letters, digits, "-", "_" and "/".
bool IsLoopbackSource(std::wstring_view base);

// The base addresses of a ";"-separated list that lie on this machine's loopback interface.
// Every other entry is dropped: a list from outside can point the check at this machine only.
std::vector<std::wstring> LoopbackUpdateSources(std::wstring_view list);

// The sites asked, given the value of the tests' variable of loopback sources: the built-in
// sites while it is unset or empty (an empty variable is how many shells unset one), else its
// loopback entries only.
std::vector<std::wstring> UpdateSourcesFor(const std::optional<std::wstring>& loopbackList);

} // namespace qv
